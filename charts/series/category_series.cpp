#include "charts/series/category_series.h"

#include "categories/category_index.h"
#include "categories/category_resolver.h"
#include "categories/category_rules_file.h"
#include "categories/own_accounts.h"
#include "charts/series/series_texts.h"
#include "relations/group_resolver.h"
#include "relations/group_rules_file.h"
#include "store/dbase/table.h"

#include <QHash>
#include <algorithm>
#include <array>
#include <numeric>

namespace charts {
namespace {

// Distinct enough side by side and on top of each other; the rest in grey.
constexpr std::array<Rgb, kCategoriesShown> kColours = {0x1F77B4, 0xFF7F0E, 0x2CA02C, 0xD62728,
                                                        0x9467BD, 0x8C564B, 0xE377C2, 0x17BECF};
constexpr Rgb kRestColour = 0x9E9E9E;

using Months = std::array<qint64, 12>;

Series barSeries(const QString& title, Rgb colour, const Months& cents, int year)
{
    Series series;
    series.kind = Series::Kind::Bars;
    series.title = title;
    series.colour = colour;
    for (int m = 0; m < 12; ++m)
        series.points.push_back({double(cents[std::size_t(m)]) / 100.0,
                                 QStringLiteral("%1-%2").arg(year).arg(m + 1, 2, 10, QChar(u'0')),
                                 colour});
    return series;
}

} // namespace

std::vector<Series> categoryMonthSeries(const categories::CategoryIndex& index, int year,
                                        bool leaveOutOwn)
{
    const QStringList& names = index.names();
    std::vector<Months> expenses(std::size_t(names.size()), Months{});
    const int own = int(names.indexOf(categories::kEigenRekening));
    for (const categories::CategoryTransaction& t : index.transactions()) {
        if (t.year != year || t.cents >= 0 || (leaveOutOwn && t.category == own))
            continue;
        expenses[std::size_t(t.category)][std::size_t(t.month - 1)] -= t.cents;
    }
    std::vector<qint64> totals;
    std::vector<int> order;
    for (std::size_t c = 0; c < expenses.size(); ++c) {
        totals.push_back(std::accumulate(expenses[c].begin(), expenses[c].end(), qint64(0)));
        if (totals.back() > 0)
            order.push_back(int(c));
    }
    // Largest first; equal ones by name, so that the colours stay put between runs.
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        if (totals[std::size_t(a)] != totals[std::size_t(b)])
            return totals[std::size_t(a)] > totals[std::size_t(b)];
        return names[a] < names[b];
    });
    std::vector<Series> series;
    Months rest{};
    for (std::size_t i = 0; i < order.size(); ++i) {
        const Months& months = expenses[std::size_t(order[i])];
        if (i < std::size_t(kCategoriesShown)) {
            series.push_back(barSeries(names[order[i]], kColours[i], months, year));
            continue;
        }
        for (std::size_t m = 0; m < 12; ++m)
            rest[m] += months[m];
    }
    if (order.size() > std::size_t(kCategoriesShown))
        series.push_back(barSeries(texts::kChartOtherCategories, kRestColour, rest, year));
    return series;
}

int categoryChartYear(const categories::CategoryIndex& index, const QStringList& givenYears)
{
    for (const QString& text : givenYears) {
        bool ok = false;
        const int year = text.left(4).toInt(&ok);
        if (ok)
            return year;
    }
    const QList<int> years = index.years();
    return years.isEmpty() ? 0 : years.back();
}

std::vector<Series> categoryMonthSeries(dbase::Table& mutaties, const QStringList& givenYears)
{
    const QString folder = mutaties.directory();
    const relations::GroupResolver groups(relations::loadGroupRules(folder, false).rules);
    const categories::OwnAccountSettings own = categories::loadOwnAccounts(folder);
    const categories::CategoryResolver resolver(categories::loadCategoryRules(folder, false).rules,
                                                categories::OwnAccounts(own.accounts));
    const categories::CategoryIndex index =
        categories::CategoryIndex::build(mutaties, groups, resolver);
    return categoryMonthSeries(index, categoryChartYear(index, givenYears), own.leaveOut);
}

} // namespace charts
