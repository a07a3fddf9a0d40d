#pragma once

#include "store/data_module.h"

#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <vector>

// The FILTER options of kolvaro-cli: the boxes of the pages' filter rows, each given the text a
// user would type into it. mutaties (the transactions page): --datum-van, --datum-tm,
// --soort-van, --soort-tm, --relatie, --omschrijving; bedrijven: --jaar and --naam (the relations
// page's row; with --jaar alone the month-totals page's, which filters alike).
namespace cli {

enum FilterTables
{
    kFilterMutaties = 1,
    kFilterBedrijven = 2,
};

struct FilterOptions
{
    struct Given
    {
        QString option; // "--relatie"
        QString text;
    };
    std::vector<Given> given;
};

// Takes the FILTER options of the tables a command reads (a set of FilterTables) out of its
// arguments, each with the argument after it as its text, and returns the arguments left over;
// `aliases` names other spellings of options ("--year" for "--jaar"). Nullopt when an option
// lacks its text. Options of other tables are left over, for the command to refuse.
std::optional<QStringList> takeFilterOptions(const QStringList& args, int tables,
                                             FilterOptions& options,
                                             const std::map<QString, QString>& aliases = {});

// Puts the options in force on the data module's open tables as the pages' rows would: each text
// converted strictly as on leaving its box (FilterError with the box's message when it is no
// value), nothing copied from a first box into an empty second one, a text of blanks no
// condition.
void applyFilterOptions(const FilterOptions& options, store::TDataModule1& data);

} // namespace cli
