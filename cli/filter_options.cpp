#include "cli/filter_options.h"

#include "viewlogic/filter/filter_row.h"
#include "viewlogic/filter/page_rows.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace cli {
namespace {

namespace vf = views::filter;

struct OptionBox
{
    const char* option;
    FilterTables table;
    int line;
    int box;
};

constexpr OptionBox kOptions[] = {
    {"--datum-van", kFilterMutaties, vf::kDatumLine, 0},
    {"--datum-tm", kFilterMutaties, vf::kDatumLine, 1},
    {"--soort-van", kFilterMutaties, vf::kSoortLine, 0},
    {"--soort-tm", kFilterMutaties, vf::kSoortLine, 1},
    {"--relatie", kFilterMutaties, vf::kRelatieLine, 0},
    {"--omschrijving", kFilterMutaties, vf::kOmschrijvingLine, 0},
    {"--jaar", kFilterBedrijven, vf::kJaarLine, 0},
    {"--naam", kFilterBedrijven, vf::kNaamLine, 0},
};

const OptionBox* findOption(const QString& name, int tables)
{
    for (const OptionBox& o : kOptions)
        if ((tables & o.table) && name == QLatin1StringView(o.option))
            return &o;
    return nullptr;
}

void enterAll(vf::FilterRow& row, const FilterOptions& options, FilterTables table)
{
    for (const FilterOptions::Given& given : options.given) {
        const OptionBox* o = findOption(given.option, table);
        if (o && !given.text.trimmed().isEmpty())
            row.enterText(o->line, o->box, given.text);
    }
    row.setFiltered(true);
}

} // namespace

std::optional<QStringList> takeFilterOptions(const QStringList& args, int tables,
                                             FilterOptions& options,
                                             const std::map<QString, QString>& aliases)
{
    QStringList rest;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const auto alias = aliases.find(args[i]);
        const QString name = alias == aliases.end() ? args[i] : alias->second;
        if (!findOption(name, tables)) {
            rest << args[i];
            continue;
        }
        if (i + 1 == args.size())
            return std::nullopt;
        options.given.push_back({name, args[++i]});
    }
    return rest;
}

void applyFilterOptions(const FilterOptions& options, store::TDataModule1& data)
{
    const auto given = [&](FilterTables table) {
        return std::any_of(options.given.begin(), options.given.end(),
                           [table](const FilterOptions::Given& g) {
                               return findOption(g.option, table) != nullptr;
                           });
    };
    if (given(kFilterMutaties)) {
        vf::FilterRow row(data.T1, vf::transactionRowFields());
        enterAll(row, options, kFilterMutaties);
    }
    if (given(kFilterBedrijven)) {
        // Both rows over bedrijven read jaar alike; only the relations page's has Naam.
        const bool naam = std::any_of(options.given.begin(), options.given.end(),
                                      [](const auto& g) { return g.option == u"--naam"; });
        vf::FilterRow row(data.T2, naam ? vf::relationRowFields() : vf::monthTotalRowFields());
        enterAll(row, options, kFilterBedrijven);
    }
}

} // namespace cli
