// The relations page: year list, select buttons, filter frame, the buttons that fill the table,
// count, navigator and grid.
#include "app/kolvaro1.h"
#include "app/page_parts.h"
#include "charts/series/chart_list.h"
#include "charts/series/month_series.h"
#include "relations/selection.h"
#include "viewlogic/filter/page_rows.h"
#include "viewlogic/texts.h"
#include "views/clickable_image.h"
#include "views/db_grid.h"
#include "views/db_navigator.h"
#include "views/filter_panel.h"
#include "views/gradient_button.h"
#include "views/table_model.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace app {

void TForm1::buildRelationsPage()
{
    TabSheet2 = new QWidget;
    PageControl1->addTab(TabSheet2, views::texts::kPageRelations);

    QWidget* header = parts::pageHeader(TabSheet2, 0);
    Image2 = parts::calculatorImage(header);
    SRColorButton11 = parts::helpButton(header);
    connect(Image2, &views::ClickableImage::clicked, this, &TForm1::Image2Click);
    connect(SRColorButton11, &QPushButton::clicked, this, &TForm1::SRColorButton11Click);

    buildRelationsFilter(header);
    buildRelationsActions(header);

    header->setFixedHeight(std::max(112, SRColorButton6->geometry().bottom() + 5));

    m_relationModel = new views::TableModel(m_data.T2, views::relationGrid(), this);
    RxDBGrid2 = new views::DbGrid(m_relationModel, TabSheet2);
    RxDBGrid2->setGuard(guard());
    // Only a double click on a row: the view reports none on the titles or below the last row.
    connect(RxDBGrid2, &QAbstractItemView::doubleClicked, this, &TForm1::RxDBGrid2DblClick);

    addExportAction(RxDBGrid2);
    m_relationsNotice = parts::noticeBar(TabSheet2);

    auto* page = new QVBoxLayout(TabSheet2);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    page->addWidget(m_relationsNotice);
    m_gapsNotice2 = parts::buttonNotice(TabSheet2, views::texts::kShowGaps);
    connect(m_gapsNotice2.button, &QPushButton::clicked, this, &TForm1::showGaps);
    page->addWidget(m_gapsNotice2.bar);
    page->addWidget(header);
    page->addWidget(RxDBGrid2, 1);
}

// The filter frame with the select buttons under it.
void TForm1::buildRelationsFilter(QWidget* header)
{
    DBFilterPanel2 = new views::FilterPanel(m_data.T2, views::filter::relationRowFields());
    const parts::FilterFrame filter = parts::filterFrame(header, {110, 2}, DBFilterPanel2);
    m_filterFrame2 = filter.frame;
    Label6 = filter.title;
    SRColorButton10 = filter.clear;
    bindFilterPanel(DBFilterPanel2, &TForm1::DBFilterPanel2EditChange);
    connect(SRColorButton10, &QPushButton::clicked, this, &TForm1::SRColorButton10Click);

    // The select buttons under the filter.
    const int below = m_filterFrame2->geometry().bottom() + 6;
    Label7 = parts::label(header, views::texts::kAllVisibleRelations, {110, below}, true);
    SRColorButton6 = parts::button(header, views::texts::kDeselect, views::kSlateFace,
                                   QRect(110, below + 18, 70, 24));
    SRColorButton1 = parts::button(header, views::texts::kSelect, views::kSlateFace,
                                   QRect(186, below + 18, 70, 24));
    connect(SRColorButton6, &QPushButton::clicked, this, &TForm1::SRColorButton6Click);
    connect(SRColorButton1, &QPushButton::clicked, this, &TForm1::SRColorButton1Click);
    Label12 = parts::label(header, views::texts::kDoubleClickHint, {266, below + 23});
}

// The year list, the buttons that chart, empty and fill the table, the count and the navigator.
void TForm1::buildRelationsActions(QWidget* header)
{
    Label11 = parts::label(header, views::texts::kYearListTitle, {544, 4}, true);
    CheckListBox1 = new QListWidget(header);
    CheckListBox1->setGeometry(544, 20, 176, 86);
    fillYearList();

    SRColorButton13 = chartButton(header, charts::kRelationsChart, QRect(734, 6, 75, 24));
    SRColorButton7 =
        parts::button(header, views::texts::kEmptyTable, views::kRedFace, QRect(734, 36, 85, 24));
    connect(SRColorButton7, &QPushButton::clicked, this, &TForm1::SRColorButton7Click);

    Label8 = parts::label(header, views::texts::kFromImportedData, {826, 4}, true);
    SRColorButton8 = parts::button(header, views::texts::kCompleteRelations, views::kGreenFace,
                                   QRect(826, 20, 120, 24));
    connect(SRColorButton8, &QPushButton::clicked, this, &TForm1::SRColorButton8Click);
    SRColorButton9 = parts::button(header, views::texts::kFillPerMonth, views::kSlateFace,
                                   QRect(826, 48, 120, 24));
    connect(SRColorButton9, &QPushButton::clicked, this, &TForm1::SRColorButton9Click);

    // The count on a line of its own below both button columns, the navigator at its end.
    Label10 = parts::label(header, views::texts::kRelationCount, {734, 90});
    Label9 = parts::label(header, QStringLiteral("0"), {822, 90}, true);
    Label9->setMinimumWidth(56);

    DBNavigator2 = new views::DbNavigator(m_data.T2, header);
    DBNavigator2->setGeometry(884, 84, 120, 24);
    DBNavigator2->setGuard(guard());
}

void TForm1::fillYearList()
{
    QStringList years = charts::yearList();
    if (m_data.T2.isOpen())
        years = charts::yearList(m_data.T2);
    if (CheckListBox1->count() == years.size()) {
        bool same = true;
        for (int i = 0; i < years.size() && same; ++i)
            same = CheckListBox1->item(i)->text() == years[i];
        if (same)
            return;
    }
    const QStringList ticked = tickedYears();
    CheckListBox1->clear();
    for (const QString& year : years) {
        auto* item = new QListWidgetItem(year, CheckListBox1);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(ticked.contains(year) ? Qt::Checked : Qt::Unchecked);
    }
}

void TForm1::RxDBGrid2DblClick()
{
    guarded([&] { relations::toggleSelect(m_data.T2); });
}

void TForm1::SRColorButton1Click()
{
    guarded([&] { relations::setSelectOfPresented(m_data.T2, true); });
}

void TForm1::SRColorButton6Click()
{
    guarded([&] { relations::setSelectOfPresented(m_data.T2, false); });
}

QStringList TForm1::tickedYears() const
{
    QStringList years;
    for (int i = 0; i < CheckListBox1->count(); ++i)
        if (CheckListBox1->item(i)->checkState() == Qt::Checked)
            years << CheckListBox1->item(i)->text();
    return years;
}

} // namespace app
