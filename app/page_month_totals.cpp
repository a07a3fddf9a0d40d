// The month-totals page: chart button, filter frame, count, the strip of month sums over the
// grid's month columns, navigator and grid.
#include "app/kolvaro1.h"
#include "app/page_parts.h"
#include "views/clickable_image.h"
#include "views/db_grid.h"
#include "views/db_navigator.h"
#include "views/filter/page_rows.h"
#include "views/filter_panel.h"
#include "views/gradient_button.h"
#include "views/table_model.h"
#include "views/texts.h"

#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <array>

namespace app {

namespace {

constexpr std::array<int, 13> kStripWidths = {2, 64, 63, 60, 60, 58, 58, 60, 62, 61, 63, 60, 60};
constexpr int kStripRowHeight = 16;

// One row of 13 cells, no titles, no scroll bars, no input: the sums are written by the page.
QTableWidget* monthStrip(QWidget* parent)
{
    auto* strip = new QTableWidget(1, int(kStripWidths.size()), parent);
    strip->horizontalHeader()->setMinimumSectionSize(1); // the 2-pixel spacer cell
    strip->horizontalHeader()->hide();
    strip->verticalHeader()->hide();
    strip->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    strip->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    strip->setFrameShape(QFrame::NoFrame);
    strip->setShowGrid(false);
    strip->setEnabled(false);
    strip->setFocusPolicy(Qt::NoFocus);
    strip->setStyleSheet(QStringLiteral(
        "QTableWidget { background-color: #FFCE9D; color: black; }"
        "QTableWidget::item { border-right: 1px solid #A0A0A0; padding-right: 2px; }"));
    int width = 0;
    for (std::size_t c = 0; c < kStripWidths.size(); ++c) {
        strip->setColumnWidth(int(c), kStripWidths[c]);
        width += kStripWidths[c];
        auto* cell = new QTableWidgetItem;
        cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        strip->setItem(0, int(c), cell);
    }
    strip->setRowHeight(0, kStripRowHeight);
    strip->setFixedSize(width, kStripRowHeight);
    return strip;
}

} // namespace

void TForm1::buildMonthTotalsPage()
{
    TabSheet4 = new QWidget;
    PageControl1->addTab(TabSheet4, views::texts::kPageMonthTotals);

    QWidget* header = parts::pageHeader(TabSheet4, 84);
    m_monthCalculator = parts::calculatorImage(header);
    SRColorButton2 = parts::helpButton(header);
    connect(m_monthCalculator, &views::ClickableImage::clicked, this, &TForm1::Image2Click);
    connect(SRColorButton2, &QPushButton::clicked, this, &TForm1::SRColorButton11Click);

    SRColorButton18 =
        parts::button(header, views::texts::kChart, views::kGreenFace, QRect(110, 7, 75, 24));
    connect(SRColorButton18, &QPushButton::clicked, this, &TForm1::SRColorButton18Click);

    DBFilterPanel3 = new views::FilterPanel(m_data.T2, views::filter::monthTotalRowFields());
    const parts::FilterFrame filter = parts::filterFrame(header, {200, 2}, DBFilterPanel3);
    m_filterFrame3 = filter.frame;
    Label15 = filter.title;
    SRColorButton19 = filter.clear;
    bindFilterPanel(DBFilterPanel3, &TForm1::DBFilterPanel3EditChange);
    connect(SRColorButton19, &QPushButton::clicked, this, &TForm1::SRColorButton19Click);

    const int right = m_filterFrame3->geometry().right() + 20;
    Label16 = parts::label(header, views::texts::kRelationCount, {right, 10});
    Label17 = parts::label(header, QStringLiteral("0"), {right + 88, 10}, true);
    Label17->setMinimumWidth(70);

    DBNavigator3 = new views::DbNavigator(m_data.T2, header);
    DBNavigator3->setGeometry(right, 30, 128, 24);
    DBNavigator3->setGuard(guard());

    m_monthModel = new views::TableModel(m_data.T2, views::monthTotalGrid(), this);
    RxDBGrid3 = new views::DbGrid(m_monthModel, TabSheet4);
    RxDBGrid3->setGuard(guard());

    // The strip's first month cell stands above the grid's jan column: past the row indicator,
    // the grid's frame, jaar and Naam, less the strip's 2-pixel spacer cell.
    const auto& columns = m_monthModel->layout().columns;
    const int janLeft = RxDBGrid3->frameWidth() + views::DbGrid::kIndicatorWidth +
                        columns[0].width + columns[1].width;
    StringGrid1 = monthStrip(header);
    StringGrid1->move(janLeft - kStripWidths[0], 84 - kStripRowHeight - 2);
    Label13 = parts::label(header, views::texts::kMonthTotals, {0, 0}, true);
    Label13->move(janLeft - kStripWidths[0] - Label13->width() - 6, 84 - kStripRowHeight - 1);

    auto* page = new QVBoxLayout(TabSheet4);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    page->addWidget(header);
    page->addWidget(RxDBGrid3, 1);
}

} // namespace app
