// The month-totals page: chart button, filter frame, count, the strip of month sums over the
// grid's month columns, navigator and grid.
#include "app/kolvaro1.h"
#include "app/page_parts.h"
#include "charts/series/chart_list.h"
#include "store/table_names.h"
#include "viewlogic/filter/page_rows.h"
#include "viewlogic/texts.h"
#include "views/clickable_image.h"
#include "views/db_grid.h"
#include "views/db_navigator.h"
#include "views/filter_panel.h"
#include "views/gradient_button.h"
#include "views/month_strip.h"
#include "views/table_model.h"

#include <QFrame>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace app {

namespace {
constexpr int kHeaderHeight = 84;
}

void TForm1::buildMonthTotalsPage()
{
    TabSheet4 = new QWidget;
    PageControl1->addTab(TabSheet4, views::texts::kPageMonthTotals);

    QWidget* header = parts::pageHeader(TabSheet4, kHeaderHeight);
    m_monthCalculator = parts::calculatorImage(header);
    SRColorButton2 = parts::helpButton(header);
    connect(m_monthCalculator, &views::ClickableImage::clicked, this, &TForm1::Image2Click);
    connect(SRColorButton2, &QPushButton::clicked, this, &TForm1::SRColorButton11Click);

    SRColorButton18 = chartButton(header, charts::kMonthsChart, QRect(110, 7, 75, 24));

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

    // The strip stands right above the grid's column titles and follows the month columns.
    const auto& columns = m_monthModel->layout().columns;
    const auto jan = std::find_if(columns.begin(), columns.end(), [](const auto& column) {
        return column.field == store::names::kMonths[0];
    });
    m_monthStrip = new views::MonthStrip(RxDBGrid3, int(jan - columns.begin()),
                                         views::texts::kMonthTotals, header);
    m_monthStrip->move(0, kHeaderHeight - m_monthStrip->height() - 2);
    StringGrid1 = m_monthStrip->cells();
    Label13 = m_monthStrip->caption();

    addExportAction(RxDBGrid3);
    m_monthNotice = parts::noticeBar(TabSheet4);

    auto* page = new QVBoxLayout(TabSheet4);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    page->addWidget(m_monthNotice); // above the header: the strip of month sums stays on the grid
    page->addWidget(header);
    page->addWidget(RxDBGrid3, 1);
}

} // namespace app
