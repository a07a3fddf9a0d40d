#include "charts/series/chart_list.h"

#include "charts/series/balance_series.h"
#include "charts/series/category_series.h"
#include "charts/series/month_series.h"
#include "charts/series/series_texts.h"
#include "store/data_module.h"
#include "viewlogic/texts.h"

namespace charts {
namespace {

ChartData transactionBars(dbase::Table& mutaties, const QStringList&)
{
    auto series = std::make_shared<TransactionSeries>();
    series->scan(mutaties);
    return {std::move(series), {}};
}

ChartData noTransactions(const QStringList&)
{
    return {std::make_shared<TransactionSeries>(), {}};
}

ChartData relationYears(dbase::Table& bedrijven, const QStringList& tickedYears)
{
    return {nullptr, relationYearSeries(bedrijven, chartYears(tickedYears))};
}

ChartData relationYearTitles(const QStringList& tickedYears)
{
    return {nullptr, relationYearStyles(chartYears(tickedYears))};
}

ChartData incomeAndExpenses(dbase::Table& bedrijven, const QStringList&)
{
    return {nullptr, incomeExpenseSeries(bedrijven)};
}

ChartData incomeAndExpenseTitles(const QStringList&)
{
    return {nullptr, incomeExpenseStyles()};
}

ChartData dailyBalances(dbase::Table& mutaties, const QStringList&)
{
    return {nullptr, balanceSeries(mutaties)};
}

ChartData balanceTitles(const QStringList&)
{
    return {nullptr, balanceStyles()};
}

ChartData categoryMonths(dbase::Table& mutaties, const QStringList& tickedYears)
{
    return {nullptr, categoryMonthSeries(mutaties, tickedYears)};
}

// Which categories get a series depends on the year's expenses: none before they are read.
ChartData noCategories(const QStringList&)
{
    return {};
}

} // namespace

const std::vector<ChartEntry>& chartList()
{
    using views::texts::kChartTitle;
    static const std::vector<ChartEntry> list = {
        {kTransactionsChart, kChartTitle, ChartTable::Mutaties, false, transactionBars,
         noTransactions},
        {kRelationsChart, kChartTitle, ChartTable::Bedrijven, true, relationYears,
         relationYearTitles},
        {kMonthsChart, kChartTitle, ChartTable::Bedrijven, false, incomeAndExpenses,
         incomeAndExpenseTitles},
        {kBalanceChart, kChartTitle, ChartTable::Mutaties, false, dailyBalances, balanceTitles},
        {kCategoriesChart, texts::kCategoriesChartTitle, ChartTable::Mutaties, true, categoryMonths,
         noCategories},
    };
    return list;
}

const ChartEntry* chartNamed(const QString& name)
{
    for (const ChartEntry& entry : chartList())
        if (entry.name == name)
            return &entry;
    return nullptr;
}

QString chartNames()
{
    QStringList names;
    for (const ChartEntry& entry : chartList())
        names << entry.name;
    return names.join(u'|');
}

dbase::Table& chartTable(const ChartEntry& entry, store::TDataModule1& data)
{
    return entry.table == ChartTable::Mutaties ? data.T1 : data.T2;
}

} // namespace charts
