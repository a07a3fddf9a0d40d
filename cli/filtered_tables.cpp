#include "cli/filtered_tables.h"

namespace cli {
namespace {

constexpr qsizetype kPiece = 1 << 20;

} // namespace

Output& Output::operator+=(const QString& text)
{
    m_text += text;
    if (m_text.size() > kPiece)
        flush();
    return *this;
}

Output& Output::operator+=(QChar c)
{
    m_text += c;
    if (m_text.size() > kPiece)
        flush();
    return *this;
}

void Output::flush()
{
    printOut(m_text);
    m_text.clear();
}

std::optional<FilterOptions> filtersOnly(const QStringList& args, int tables, const QString& usage,
                                         const std::map<QString, QString>& aliases)
{
    FilterOptions filters;
    const auto rest = takeFilterOptions(args, tables, filters, aliases);
    if (tables == 0 || !rest || !rest->isEmpty()) {
        printErr(usage);
        return std::nullopt;
    }
    return filters;
}

int overFilteredTables(const Context& context, const FilterOptions& filters, TableAccess access,
                       const std::function<void(store::TDataModule1&, Output&)>& pass)
{
    return runGuarded([&] {
        store::TDataModule1 data;
        openTables(data, context.tablesDir, access);
        applyFilterOptions(filters, data);
        Output output;
        pass(data, output);
        data.closeAll();
        output.flush();
    });
}

} // namespace cli
