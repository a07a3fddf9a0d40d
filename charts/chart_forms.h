#pragma once

#include "charts/chart_window.h"
#include "charts/month_chart.h"
#include "charts/series/chart_list.h"
#include "charts/transaction_chart.h"

#include <QStringList>
#include <functional>

// The chart windows under the names the program's forms gave them, with their chart widget as
// its own type, for the code and tests that reach into one particular chart. Any other chart of
// the list is a ChartWindow by its name.
namespace charts {

// A ChartWindow whose widget is known to be a `Plot`.
template <class Plot> class ChartForm : public ChartWindow
{
public:
    ChartForm(const QString& name, dbase::Table& table, std::function<QStringList()> tickedYears,
              const ChartHooks& hooks, QWidget* mainWindow)
        : ChartWindow(name, table, std::move(tickedYears), hooks, mainWindow),
          Chart1(qobject_cast<Plot*>(plot()))
    {
    }

    Plot* const Chart1;
};

// Unit grafiek1: every transaction that mutaties presents as a bar, with the running means of
// the outgoing and the incoming amounts; afterwards mutaties stands on its last presented row.
class TForm2 : public ChartForm<TransactionChart>
{
public:
    TForm2(dbase::Table& T1, const ChartHooks& hooks, QWidget* mainWindow)
        : ChartForm(kTransactionsChart, T1, {}, hooks, mainWindow)
    {
    }
};

// Unit grafiek2: the selected relations per month, year against year; the cursor of bedrijven
// stays where it was.
class TForm3 : public ChartForm<MonthChart>
{
public:
    TForm3(dbase::Table& T2, std::function<QStringList()> tickedYears, const ChartHooks& hooks,
           QWidget* mainWindow)
        : ChartForm(kRelationsChart, T2, std::move(tickedYears), hooks, mainWindow)
    {
    }
};

// Unit grafiek3: the monthly income and expenses of every row bedrijven presents.
class TForm5 : public ChartForm<MonthChart>
{
public:
    TForm5(dbase::Table& T2, const ChartHooks& hooks, QWidget* mainWindow)
        : ChartForm(kMonthsChart, T2, {}, hooks, mainWindow)
    {
    }
};

} // namespace charts
