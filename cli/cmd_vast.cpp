#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/filtered_tables.h"

#include "recurring/fixed_costs.h"
#include "store/dbase/field_codec.h"

#include <optional>

using namespace Qt::StringLiterals;

namespace cli {
namespace {

const QString kUsage =
    u"usage: kolvaro-cli [--tables DIR] vast [--peildatum YYYY-MM-DD] [--alle]"_s;

// Signed euros as `dump` writes amounts; empty for none.
QString money(std::optional<qint64> cents)
{
    return cents ? dbase::codec::shortestDouble(double(*cents) / 100.0) : QString();
}

QString line(const recurring::RecurringItem& item)
{
    const std::optional<qint64> before =
        item.rise ? std::optional<qint64>(item.rise->oldCents) : std::nullopt;
    return QStringList{item.relation,
                       recurring::rhythmName(item.rhythm),
                       money(item.lastCents),
                       item.last.toString(Qt::ISODate),
                       item.next.toString(Qt::ISODate),
                       recurring::statusName(item.status),
                       money(before)}
               .join(u'\t') +
           u'\n';
}

} // namespace

int vast(const Context& context)
{
    std::optional<QDate> asOf;
    bool all = false;
    for (qsizetype i = 0; i < context.args.size(); ++i) {
        const QString& arg = context.args[i];
        if (arg == u"--alle" && !all) {
            all = true;
        } else if (arg == u"--peildatum" && !asOf && i + 1 < context.args.size()) {
            const QString& text = context.args[++i];
            asOf = QDate::fromString(text, u"yyyy-MM-dd"_s);
            if (!asOf->isValid()) {
                printErr(kUsage);
                return 2;
            }
        } else {
            printErr(kUsage);
            return 2;
        }
    }
    return overFilteredTables(
        context, {}, TableAccess::Read, [&](store::TDataModule1& data, Output& out) {
            const recurring::FixedCosts costs = recurring::fixedCosts(data, asOf, all);
            for (const QString& warning : costs.warnings)
                printErr(warning);
            out += u"relatie\tritme\tbedrag\tlaatste\tvolgende\tstatus\t"
                   u"vorig bedrag\n"_s;
            for (const recurring::RecurringItem& item : costs.items)
                out += line(item);
        });
}

} // namespace cli
