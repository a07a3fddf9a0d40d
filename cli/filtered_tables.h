#pragma once

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/filter_options.h"

#include <QString>
#include <functional>
#include <map>
#include <optional>

namespace cli {

// Text for stdout that may grow large (a dump of every row): written in pieces of about a
// megabyte as it grows, the rest when the command is done.
class Output
{
public:
    Output& operator+=(const QString& text);
    Output& operator+=(QChar c);
    void flush();

private:
    QString m_text;
};

// The filter options of the tables `tables` (a set of FilterTables) when `args` holds nothing
// else; otherwise prints `usage` and gives nothing.
std::optional<FilterOptions> filtersOnly(const QStringList& args, int tables, const QString& usage,
                                         const std::map<QString, QString>& aliases = {});

// A command over the presented rows of the filtered tables: opens them with `access`, puts the
// filter options in force, runs the pass and closes the tables; what the pass wrote to its
// output is printed as it grows and the rest once the tables are closed (for a pass that writes:
// once its rows are on disk). The exit status: 0, or 1 with the error's text.
int overFilteredTables(const Context& context, const FilterOptions& filters, TableAccess access,
                       const std::function<void(store::TDataModule1&, Output&)>& pass);

} // namespace cli
