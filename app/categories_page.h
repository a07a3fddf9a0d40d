#pragma once

#include "app/categories_state.h"
#include "guard/guard.h"
#include "store/data_module.h"

#include <QWidget>
#include <functional>

class QComboBox;
class QLabel;
class QTableView;

namespace views {
class ClickableImage;
class GradientButton;
} // namespace views

namespace app {

class CategoryModel;
class Dialogs;
class GroupsState;

// The page "Rubrieken": for the chosen year one row per category with its month sums, total,
// share of the expenses and change against the year before, the coverage line above them, and
// the buttons to the rules, the own accounts and the chart. The categories are computed when
// the page is shown after a change of what they depend on; a change of year only sums anew.
class CategoriesPage : public QWidget
{
    Q_OBJECT
public:
    struct Actions
    {
        std::function<void()> help;
        std::function<void()> calculator;
        std::function<void()> chart;
    };
    CategoriesPage(store::TDataModule1& data, Dialogs& dialogs, const GroupsState& groups,
                   guard::Guard guard, Actions actions, QWidget* parent = nullptr);

    CategoriesState& state() { return m_state; }
    // The transactions or the group rules changed: computed anew now when the page is shown,
    // else when it is shown next.
    void invalidate();
    // Computes the categories when they are out of date, then shows the chosen year.
    void refresh();
    // The year shown; 0 when there are no transactions.
    int chosenYear() const;
    void chooseYear(int year);

    // A double click on a row: the list of the category's transactions of the year.
    void showTransactions(int row);
    void openRules();
    void openOwnAccounts();

    QComboBox* yearBox() const { return m_year; }
    QLabel* coverage() const { return m_coverage; }
    QTableView* grid() const { return m_grid; }
    CategoryModel* model() const { return m_model; }
    views::GradientButton* rulesButton() const { return m_rulesButton; }
    views::GradientButton* ownButton() const { return m_ownButton; }
    views::GradientButton* chartButton() const { return m_chartButton; }

signals:
    void categoriesChanged(); // rules or own accounts were saved

private:
    void buildHeader(QWidget* header, const Actions& actions);
    void fillYears(const QList<int>& years);
    void showOverview();
    void afterChange();

    store::TDataModule1& m_data;
    Dialogs& m_dialogs;
    const GroupsState& m_groups;
    guard::Guard m_guard;
    CategoriesState m_state;
    views::ClickableImage* m_calculator = nullptr;
    views::GradientButton* m_help = nullptr;
    QComboBox* m_year = nullptr;
    views::GradientButton* m_rulesButton = nullptr;
    views::GradientButton* m_ownButton = nullptr;
    views::GradientButton* m_chartButton = nullptr;
    QLabel* m_coverage = nullptr;
    QTableView* m_grid = nullptr;
    CategoryModel* m_model = nullptr;
};

} // namespace app
