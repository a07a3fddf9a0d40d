#include "categories/category_index.h"

#include "categories/transaction_rows.h"
#include "monthly/amount_totals.h"
#include "store/number_format.h"

#include <QHash>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace categories {

namespace {

// Rows, then "Overig", then "Eigen rekening".
int sortRank(const QString& category)
{
    if (category == kOverig)
        return 1;
    if (category == kEigenRekening)
        return 2;
    return 0;
}

// The category of each transaction's texts, as an index into the names met so far.
class Categoriser
{
public:
    // Without descriptions the texts repeat, so each set is resolved once; the descriptions
    // are nearly all different, and the matcher remembers per field already.
    Categoriser(const TransactionRows& rows, const CategoryResolver& categories, QStringList& names)
        : m_rows(rows), m_categories(categories), m_remember(!rows.readsDescription()),
          m_names(names)
    {
    }

    int categoryOf(CategoryTexts texts)
    {
        if (!m_remember)
            return resolve(texts);
        const QString key = texts.naam + QChar(0x1f) + texts.reknum;
        auto found = m_known.constFind(key);
        if (found == m_known.constEnd())
            found = m_known.insert(key, resolve(texts));
        return *found;
    }

private:
    int resolve(CategoryTexts& texts)
    {
        texts.groep = m_rows.group(texts);
        const QString category = m_categories.match(texts).category;
        auto name = m_nameIndex.constFind(category);
        if (name == m_nameIndex.constEnd()) {
            name = m_nameIndex.insert(category, static_cast<int>(m_names.size()));
            m_names << category;
        }
        return *name;
    }

    const TransactionRows& m_rows;
    const CategoryResolver& m_categories;
    bool m_remember;
    QStringList& m_names;
    QHash<QString, int> m_known;
    QHash<QString, int> m_nameIndex;
};

} // namespace

CategoryIndex CategoryIndex::build(dbase::Table& mutaties, const relations::GroupResolver& groups,
                                   const CategoryResolver& categories)
{
    const TransactionRows rows(mutaties, groups, &categories);
    CategoryIndex index;
    Categoriser categoriser(rows, categories, index.m_names);
    std::vector<int> days;
    const int count = mutaties.storedRowCount();
    index.m_transactions.reserve(static_cast<std::size_t>(count));
    days.reserve(static_cast<std::size_t>(count));
    for (int r = 0; r < count; ++r) {
        const dbase::RowView row = mutaties.storedRowAt(r);
        const QDate date = rows.date(row);
        if (!date.isValid())
            continue; // in no year
        index.m_transactions.push_back({static_cast<int>(mutaties.storedBookmarkAt(r)), date.year(),
                                        date.month(), rows.cents(row),
                                        categoriser.categoryOf(rows.texts(row))});
        days.push_back(static_cast<int>(date.toJulianDay()));
    }
    if (!std::is_sorted(days.begin(), days.end())) {
        // Another index is active: date order, equal dates as presented.
        std::vector<std::size_t> order(days.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return days[a] < days[b]; });
        std::vector<CategoryTransaction> sorted;
        sorted.reserve(order.size());
        for (const std::size_t i : order)
            sorted.push_back(index.m_transactions[i]);
        index.m_transactions = std::move(sorted);
    }
    return index;
}

QList<int> CategoryIndex::years() const
{
    QList<int> years;
    for (const CategoryTransaction& t : m_transactions)
        if (years.isEmpty() || years.last() != t.year)
            years << t.year; // date order
    return years;
}

CategoryOverview categoryOverview(const CategoryIndex& index, int year, bool leaveOutOwn)
{
    CategoryOverview overview;
    overview.year = year;
    const auto names = static_cast<std::size_t>(index.names().size());
    std::vector<CategoryRow> rows(names);
    std::vector<qint64> spent(names, 0);
    std::vector<qint64> before(names, 0);
    std::vector<char> present(names, 0);
    bool previousYear = false;
    for (const CategoryTransaction& t : index.transactions()) {
        const auto c = static_cast<std::size_t>(t.category);
        if (t.year == year - 1) {
            before[c] += t.cents;
            previousYear = true;
        } else if (t.year == year) {
            present[c] = 1;
            rows[c].months[static_cast<std::size_t>(t.month - 1)] += t.cents;
            rows[c].year += t.cents;
            if (t.cents < 0)
                spent[c] -= t.cents;
        }
    }
    const int own = index.indexOf(kEigenRekening);
    const int overig = index.indexOf(kOverig);
    for (std::size_t c = 0; c < names; ++c) {
        const bool leftOut = leaveOutOwn && static_cast<int>(c) == own;
        if (present[c] && !leftOut)
            overview.expenses += spent[c];
    }
    if (overig >= 0)
        overview.uncategorised = spent[static_cast<std::size_t>(overig)];
    for (std::size_t c = 0; c < names; ++c) {
        if (!present[c])
            continue;
        CategoryRow& row = rows[c];
        row.category = index.names()[static_cast<qsizetype>(c)];
        row.leftOut = leaveOutOwn && static_cast<int>(c) == own;
        if (!row.leftOut && overview.expenses > 0)
            row.share = static_cast<double>(spent[c]) / static_cast<double>(overview.expenses);
        if (previousYear)
            row.previous = before[c];
        overview.rows.push_back(std::move(row));
    }
    std::sort(overview.rows.begin(), overview.rows.end(),
              [](const CategoryRow& a, const CategoryRow& b) {
                  const int ra = sortRank(a.category);
                  const int rb = sortRank(b.category);
                  if (ra != rb)
                      return ra < rb;
                  const int byName = a.category.compare(b.category, Qt::CaseInsensitive);
                  return byName != 0 ? byName < 0 : a.category < b.category;
              });
    return overview;
}

QString coverageLine(const CategoryOverview& overview)
{
    if (overview.expenses <= 0)
        return u"Geen uitgaven in %1"_s.arg(overview.year);
    const double uncovered =
        static_cast<double>(overview.uncategorised) / static_cast<double>(overview.expenses);
    // Both shares from one rounding, so that they add up to 100.
    const int overigPercent = static_cast<int>(std::lround(uncovered * 100));
    return u"Met rubriek: %1 % van de uitgaven — %2 € %3 (%4 %)"_s.arg(100 - overigPercent)
        .arg(kOverig, store::numfmt::formatAmount(monthly::euros(overview.uncategorised)))
        .arg(overigPercent);
}

std::vector<int> recordsOf(const CategoryIndex& index, const QString& category, int year)
{
    std::vector<int> records;
    const int wanted = index.indexOf(category);
    if (wanted < 0)
        return records;
    for (const CategoryTransaction& t : index.transactions())
        if (t.year == year && t.category == wanted)
            records.push_back(t.record);
    return records;
}

} // namespace categories
