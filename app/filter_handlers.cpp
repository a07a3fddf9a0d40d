// The pages' filter state: which filter rows are on as the pages are shown, " Wis", and the
// state and count labels that follow them.
#include "app/kolvaro1.h"
#include "viewlogic/texts.h"
#include "views/count_label.h"
#include "views/filter_panel.h"
#include "views/gradient_button.h"

#include <QLabel>

namespace app {

namespace {

void showState(QLabel* label, views::FilterPanel* panel)
{
    label->setText(panel->filtered() ? views::texts::kFilterOn : views::texts::kFilterOff);
}

} // namespace

void TForm1::bindFilterPanel(views::FilterPanel* panel,
                             void (TForm1::*changed)(const views::filter::FilterField&, int))
{
    panel->setGuard(guard());
    connect(panel, &views::FilterPanel::changed, this, changed);
}

void TForm1::TabSheet1Show()
{
    guarded([&] {
        DBFilterPanel1->setFiltered(false);
        DBFilterPanel2->setFiltered(false);
        DBFilterPanel3->setFiltered(false);
    });
}

// Both tables must present all their rows to the import. The month-totals row went off when
// the import page was shown.
void TForm1::switchOffImportFilters()
{
    DBFilterPanel1->setFiltered(false);
    DBFilterPanel2->setFiltered(false);
}

void TForm1::TabSheet3Show()
{
    guarded([&] {
        DBFilterPanel1->setFiltered(true);
        showTransactionCount();
        showState(Label5, DBFilterPanel1);
    });
}

void TForm1::SRColorButton4Click()
{
    guarded([&] {
        DBFilterPanel1->clear();
        showTransactionCount();
    });
}

void TForm1::DBFilterPanel1EditChange(const views::filter::FilterField&, int)
{
    guarded([&] { showTransactionCount(); });
}

// The two pages over bedrijven share its filter: the page shown puts its own row in force and
// empties the other one.
void TForm1::TabSheet2Show()
{
    guarded([&] {
        DBFilterPanel2->setFiltered(true);
        showState(Label6, DBFilterPanel2);
        DBFilterPanel3->clear();
        views::showRecordCount(Label9, m_data.T2);
        fillYearList();
        showTotalsNotice();
        showGroupsNotices();
    });
}

void TForm1::SRColorButton10Click()
{
    guarded([&] {
        DBFilterPanel2->clear();
        views::showRecordCount(Label9, m_data.T2);
    });
}

void TForm1::DBFilterPanel2EditChange(const views::filter::FilterField&, int)
{
    guarded([&] { views::showRecordCount(Label9, m_data.T2); });
}

void TForm1::TabSheet4Show()
{
    guarded([&] {
        DBFilterPanel3->setFiltered(true);
        showState(Label15, DBFilterPanel3);
        DBFilterPanel2->clear();
        views::showRecordCount(Label17, m_data.T2);
        geefsaldi();
        showTotalsNotice();
        showGroupsNotices();
    });
}

void TForm1::SRColorButton19Click()
{
    guarded([&] {
        DBFilterPanel3->clear();
        views::showRecordCount(Label17, m_data.T2);
        geefsaldi();
    });
}

void TForm1::DBFilterPanel3EditChange(const views::filter::FilterField&, int)
{
    guarded([&] {
        views::showRecordCount(Label17, m_data.T2);
        geefsaldi();
    });
}

} // namespace app
