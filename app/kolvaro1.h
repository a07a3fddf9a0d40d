#pragma once

#include "app/page_parts.h"
#include "balances/gap_walk.h"
#include "guard/guard.h"
#include "store/data_module.h"

#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>

class QCheckBox;
class QFrame;
class QLabel;
class QListWidget;
class QProgressBar;
class QTabWidget;
class QTableWidget;

namespace views {
class ClickableImage;
class DbGrid;
class DbNavigator;
class FilterPanel;
class GradientButton;
class MonthStrip;
class TableModel;
} // namespace views

namespace views::filter {
class FilterField;
}

namespace app {

class CategoriesPage;
class Dialogs;
class FixedCostsPage;
class GroupsState;

// The windows the main window shows; created after it, hidden until shown.
struct ShownWindows
{
    QWidget* form4 = nullptr;           // help
    std::map<QString, QWidget*> charts; // by the name of their row of the chart list
};

// The main window "Financieel overzicht": its pages over the two tables of the data module.
// Construction builds the pages and runs FormCreate; a failure there is reported and the window
// is usable with whatever step failed left undone.
class TForm1 : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kClientWidth = 1016;
    static constexpr int kClientHeight = 661;

    TForm1(store::TDataModule1& data, Dialogs& dialogs, QWidget* parent = nullptr);
    ~TForm1() override;

    void setShownWindows(const ShownWindows& windows) { m_windows = windows; }
    QString tablesFolder() const { return m_tablesFolder; }
    // The texts of the ticked entries of the year list CheckListBox1, top to bottom.
    QStringList tickedYears() const;
    // The years the chart of that name shows: the ticked ones, or the categories page's year.
    QStringList chartYears(const QString& chart) const;

    // Runs a handler's body under the program's one guard.
    void guarded(const std::function<void()>& body);

    // Handlers, named as the forms name them.
    void FormCreate();
    void CreateAlias();
    void FormClose();
    void Image1Click();
    void Image2Click();
    void SRColorButton11Click(); // the four "Help" buttons
    // "Grafiek": the window of the chart of that name in the chart list.
    void showChart(const QString& name);
    void SRColorButton5Click();  // "Legen Tabel", mutaties
    void SRColorButton7Click();  // "Legen Tabel", bedrijven
    void SRColorButton16Click(); // "Inlezen TAB-file"
    void currentLayoutsToggled(bool on);
    void SRColorButton8Click(); // "Aanvullen relaties"
    void SRColorButton9Click(); // "Vul per maand"
    void RxDBGrid2DblClick();   // toggles the select flag of the current relation-year row
    void SRColorButton1Click(); // "select"
    void SRColorButton6Click(); // "deselect"
    void switchOffImportFilters();
    void TabSheet1Show();
    void TabSheet3Show();
    void TabSheet2Show();
    void TabSheet4Show();
    void TabSheet5Show();        // categories
    void SRColorButton4Click();  // " Wis", transactions
    void SRColorButton10Click(); // " Wis", relations
    void SRColorButton19Click(); // " Wis", month totals
    void DBFilterPanel1EditChange(const views::filter::FilterField& field, int box);
    void DBFilterPanel2EditChange(const views::filter::FilterField& field, int box);
    void DBFilterPanel3EditChange(const views::filter::FilterField& field, int box);
    void geefsaldi(); // the month sums into StringGrid1

    // The count of the presented transactions into Label38, their sums beside it.
    void showTransactionCount();
    // "Exporteren…" of a grid's context menu: its rows as shown, to a CSV file the user names.
    void exportGrid(views::DbGrid* grid);
    // The notice over the relation pages, shown while the totals file beside the tables says a
    // pass is due.
    void showTotalsNotice();
    // The notice of missing transactions over the import and relations pages, from the bank's
    // balances of every stored row; "Toon" lists them.
    void showGapsNotice();
    void showGaps();
    // Relation groups.
    void groupsButtonClick(); // "Groepen…": the rules dialog, window-modal
    void mergeRelations();    // "Samenvoegen…" for the selected relation-year rows
    void makeRule();          // "Regel maken…" from the current transaction
    void whyThisGroup();      // "Waarom deze groep?" for the current transaction
    void showGroupsNotices(); // the relations and month pages say whether totals follow the rules
    const GroupsState& groups() const { return *m_groups; }
    // Categories.
    void whyThisCategory();     // "Waarom deze rubriek?" for the current transaction
    void giveCategory();        // "Rubriek geven…" for the selected relation-year rows
    void markOwnAccount();      // "Eigen rekening" for the current relation
    void transactionsChanged(); // after an import or emptying: categories and fixed costs anew

    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr; // import page
    QWidget* TabSheet3 = nullptr; // transactions page
    QWidget* TabSheet2 = nullptr; // relations page
    QWidget* TabSheet4 = nullptr; // month-totals page

    // Import page.
    views::ClickableImage* Image1 = nullptr;
    views::GradientButton* SRColorButton15 = nullptr;
    views::GradientButton* SRColorButton16 = nullptr;
    QProgressBar* Gauge1 = nullptr;
    QLabel* m_instruction = nullptr;
    QLabel* m_reassurance = nullptr;
    QCheckBox* m_currentLayouts = nullptr; // read today's description layouts
    QLabel* m_importCounts = nullptr;      // what the last import did
    parts::ButtonNotice m_gapsNotice1{};   // transactions are missing
    std::vector<balances::Gap> m_gaps;     // as the notices count them
    QFrame* m_statusStrip = nullptr;
    QLabel* Label3 = nullptr;

    // Transactions page.
    views::ClickableImage* m_transactionsCalculator = nullptr;
    views::GradientButton* SRColorButton14 = nullptr;
    QFrame* m_filterFrame1 = nullptr;
    QLabel* Label5 = nullptr;
    views::FilterPanel* DBFilterPanel1 = nullptr;
    views::GradientButton* SRColorButton4 = nullptr;
    views::GradientButton* SRColorButton12 = nullptr;
    views::GradientButton* m_balanceChartButton = nullptr; // "Saldo"
    views::GradientButton* SRColorButton5 = nullptr;
    QLabel* m_transactionCountTitle = nullptr;
    QLabel* Label38 = nullptr;
    QLabel* m_amountInTitle = nullptr;
    QLabel* m_amountIn = nullptr; // "Bij"
    QLabel* m_amountOutTitle = nullptr;
    QLabel* m_amountOut = nullptr; // "Af"
    QLabel* m_amountBalanceTitle = nullptr;
    QLabel* m_amountBalance = nullptr; // "Saldo"
    views::DbNavigator* DBNavigator1 = nullptr;
    views::TableModel* m_transactionModel = nullptr;
    views::DbGrid* RxDBGrid1 = nullptr;

    // Relations page.
    views::ClickableImage* Image2 = nullptr;
    views::GradientButton* SRColorButton11 = nullptr;
    QLabel* Label11 = nullptr;
    QListWidget* CheckListBox1 = nullptr;
    QLabel* Label7 = nullptr;
    views::GradientButton* SRColorButton6 = nullptr;
    views::GradientButton* SRColorButton1 = nullptr;
    QLabel* Label12 = nullptr;
    QFrame* m_filterFrame2 = nullptr;
    QLabel* Label6 = nullptr;
    views::FilterPanel* DBFilterPanel2 = nullptr;
    views::GradientButton* SRColorButton10 = nullptr;
    views::GradientButton* SRColorButton13 = nullptr;
    QLabel* Label8 = nullptr;
    views::GradientButton* SRColorButton8 = nullptr;
    views::GradientButton* SRColorButton9 = nullptr;
    views::GradientButton* SRColorButton7 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label9 = nullptr;
    views::DbNavigator* DBNavigator2 = nullptr;
    views::TableModel* m_relationModel = nullptr;
    views::DbGrid* RxDBGrid2 = nullptr;
    QLabel* m_relationsNotice = nullptr; // the totals lack transactions
    parts::ButtonNotice m_gapsNotice2{}; // transactions are missing

    // Month-totals page.
    views::ClickableImage* m_monthCalculator = nullptr;
    views::GradientButton* SRColorButton2 = nullptr;
    views::GradientButton* SRColorButton18 = nullptr;
    QFrame* m_filterFrame3 = nullptr;
    QLabel* Label15 = nullptr;
    views::FilterPanel* DBFilterPanel3 = nullptr;
    views::GradientButton* SRColorButton19 = nullptr;
    QLabel* Label16 = nullptr;
    QLabel* Label17 = nullptr;
    QLabel* Label13 = nullptr;
    views::MonthStrip* m_monthStrip = nullptr; // holds StringGrid1 and its caption Label13
    QTableWidget* StringGrid1 = nullptr;
    views::DbNavigator* DBNavigator3 = nullptr;
    views::TableModel* m_monthModel = nullptr;
    views::DbGrid* RxDBGrid3 = nullptr;
    QLabel* m_monthNotice = nullptr; // the totals lack transactions

    // Categories page.
    CategoriesPage* TabSheet5 = nullptr;

    // Relation groups.
    views::GradientButton* m_groupsButton = nullptr;
    QLabel* m_groupsNotice2 = nullptr; // relations page
    QLabel* m_groupsNotice4 = nullptr; // month-totals page

    FixedCostsPage* m_fixedCostsPage = nullptr; // "Vaste lasten"

signals:
    void closed(); // after FormClose: the program ends

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildImportPage();
    void buildStatusStrip(); // the tables folder under the import page
    void buildTransactionsPage();
    void buildRelationsPage();
    void buildRelationsFilter(QWidget* header);
    void buildRelationsActions(QWidget* header);
    void buildMonthTotalsPage();
    void buildFixedCostsPage();
    void buildGroupControls();
    void buildCategoriesPage();
    void afterRulesApplied();
    void pageShown(int index);
    void emptyWithConfirmation(dbase::Table& table, const std::function<void()>& showCount);
    void addExportAction(views::DbGrid* grid);
    // The year list: 2006..2030 and the years of bedrijven outside them; ticks kept by text.
    void fillYearList();
    // The totals no longer describe the stored transactions / a pass over them ran.
    void bindFilterPanel(views::FilterPanel* panel,
                         void (TForm1::*changed)(const views::filter::FilterField&, int));
    void showModeless(QWidget* window);
    // A "Grafiek" button that opens the chart of that name.
    // The button that opens a chart, "Grafiek" unless `text` says otherwise.
    views::GradientButton* chartButton(QWidget* header, const QString& chart, const QRect& place,
                                       const QString& text = {});
    guard::Guard guard();

    store::TDataModule1& m_data;
    Dialogs& m_dialogs;
    ShownWindows m_windows;
    QString m_tablesFolder;
    std::unique_ptr<GroupsState> m_groups;
};

} // namespace app
