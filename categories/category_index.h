#pragma once

#include "categories/category_resolver.h"
#include "relations/group_resolver.h"
#include "store/dbase/table.h"

#include <QList>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace categories {

struct CategoryTransaction
{
    int record = 0; // the row's bookmark (record number) in mutaties
    int year = 0;
    int month = 0; // 1..12
    qint64 cents = 0;
    int category = 0; // index into CategoryIndex::names()
};

// Every stored transaction with its year, month, amount in cents and category, computed once per
// change of rules (the category per distinct text, as the groups do).
class CategoryIndex
{
public:
    // Reads every row of mutaties (no filter; the cursor and filter are restored); Groep is the
    // group `groups` gives, `categories` decides each category.
    static CategoryIndex build(dbase::Table& mutaties, const relations::GroupResolver& groups,
                               const CategoryResolver& categories);

    const QStringList& names() const { return m_names; }
    const std::vector<CategoryTransaction>& transactions() const { return m_transactions; }
    QList<int> years() const; // years with transactions, ascending
    // Index of a name in names(), -1 when no transaction has it.
    int indexOf(const QString& category) const { return m_names.indexOf(category); }

private:
    QStringList m_names;
    std::vector<CategoryTransaction> m_transactions; // in date order
};

struct CategoryRow
{
    QString category;
    std::array<qint64, 12> months{}; // signed sums in cents
    qint64 year = 0;                 // signed year total
    double share = 0;                // its own expenses / the year's expenses, 0..1; 0 when none
    std::optional<qint64> previous;  // the year before's total, when that year has transactions
    bool leftOut = false; // "Eigen rekening" while the switch is on: outside expenses and shares
};

struct CategoryOverview
{
    int year = 0;
    std::vector<CategoryRow> rows; // by name, then "Overig", then "Eigen rekening"
    qint64 expenses = 0;           // the year's expenses in cents, without sign
    qint64 uncategorised = 0;      // of those, in "Overig"
};

CategoryOverview categoryOverview(const CategoryIndex& index, int year, bool leaveOutOwn);
// "Met rubriek: 87 % van de uitgaven — Overig € 1.234,56 (13 %)"; "Geen uitgaven in 2024" for
// a year without expenses.
QString coverageLine(const CategoryOverview& overview);
// The records of one category's transactions in a year, in date order.
std::vector<int> recordsOf(const CategoryIndex& index, const QString& category, int year);

} // namespace categories
