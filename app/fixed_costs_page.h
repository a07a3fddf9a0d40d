#pragma once

#include "guard/guard.h"
#include "recurring/recurring_item.h"
#include "store/data_module.h"
#include "store/dbase/table_observer.h"

#include <QStringList>
#include <QWidget>
#include <optional>
#include <vector>

class QAction;
class QDateEdit;
class QLabel;
class QTableView;
class QTimer;
class QVBoxLayout;

namespace views {
class ClickableImage;
class GradientButton;
} // namespace views

namespace app {

class Dialogs;
class FixedCostsModel;

// The page "Vaste lasten": the recurring costs and income found in the stored transactions, with
// their totals per month. Detection runs when the page is shown after the transactions or the
// group rules changed, or the "Peildatum" did.
class FixedCostsPage : public QWidget, private dbase::TableObserver
{
    Q_OBJECT
public:
    FixedCostsPage(store::TDataModule1& data, Dialogs& dialogs, guard::Guard guard,
                   QWidget* parent = nullptr);
    ~FixedCostsPage() override;

    // The group rules changed: the next show detects again.
    void markStale();
    // Detection now, from the chosen "Peildatum" or else the last transaction's date.
    void reload();
    void setAsOf(const QDate& date);
    void hideSelected();                          // "Niet vast"
    void showHidden();                            // "Verborgen…": brings one hidden item back
    void showPayments(QTableView* view, int row); // the double click; `row` as the view shows it
    // The item selected in either block; null when none.
    const recurring::RecurringItem* selectedItem() const;
    // The item of a row as the view shows it (perhaps sorted); null when there is none.
    const recurring::RecurringItem* itemAt(const QTableView* view, int row) const;

    views::ClickableImage* calculator() const { return m_calculator; }
    views::GradientButton* helpButton() const { return m_help; }
    QDateEdit* asOfBox() const { return m_asOf; }
    QTableView* costsView() const { return m_costsView; }
    QTableView* incomeView() const { return m_incomeView; }
    FixedCostsModel* costsModel() const { return m_costs; }
    FixedCostsModel* incomeModel() const { return m_income; }
    QLabel* costsTotal() const { return m_costsTotal; }
    QLabel* incomeTotal() const { return m_incomeTotal; }
    int detections() const { return m_detections; } // how often detection ran

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildHeader(QWidget* header);
    QTableView* makeView(FixedCostsModel* model);
    void showItems(); // the detected items without the hidden ones, and their totals
    void selectionMoved(QTableView* view);
    QString folder() const;

    // The transactions change: the next show detects again. A reset with as many stored rows
    // as before is a filter or an ordering, not a change.
    void aboutToReset() override {}
    void reset() override;
    void aboutToInsert(int) override {}
    void inserted(int) override { m_stale = true; }
    void rowChanged(int) override { m_stale = true; }
    void currentChanged(int) override {}

    store::TDataModule1& m_data;
    Dialogs& m_dialogs;
    guard::Guard m_guard;
    std::vector<recurring::RecurringItem> m_all; // hidden ones too
    QStringList m_hidden;                        // keys
    QStringList m_warnings;                      // of the last detection
    std::optional<QDate> m_chosenAsOf;           // until the transactions change
    bool m_stale = true;
    int m_storedRows = -1; // at the last detection
    int m_detections = 0;

    views::ClickableImage* m_calculator = nullptr;
    views::GradientButton* m_help = nullptr;
    QDateEdit* m_asOf = nullptr;
    QTimer* m_asOfPause = nullptr; // typing a date detects once, not per key
    views::GradientButton* m_notFixed = nullptr;
    views::GradientButton* m_hiddenButton = nullptr;
    QAction* m_paymentsAction = nullptr;
    QAction* m_notFixedAction = nullptr;
    QLabel* m_costsTitle = nullptr;
    QLabel* m_incomeTitle = nullptr;
    QLabel* m_costsTotal = nullptr;
    QLabel* m_incomeTotal = nullptr;
    QLabel* m_notice = nullptr; // what detection warns of, or that it found nothing
    FixedCostsModel* m_costs = nullptr;
    FixedCostsModel* m_income = nullptr;
    QTableView* m_costsView = nullptr;
    QTableView* m_incomeView = nullptr;
    QVBoxLayout* m_page = nullptr;
    QVBoxLayout* m_costsBlock = nullptr;
    QVBoxLayout* m_incomeBlock = nullptr;
};

} // namespace app
