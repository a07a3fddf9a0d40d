#include "import/account_census.h"

#include "import/import_error.h"
#include "import/tab_reader.h"
#include "import/text_ops.h"
#include "store/dbase/cp1252.h"

#include <algorithm>
#include <optional>

namespace import {
namespace {

// Field 1 of a transaction line, trimmed; nothing for a line with fewer than seven tabs.
std::optional<QString> accountOf(const QByteArray& line)
{
    qsizetype tabs = 0;
    for (qsizetype at = line.indexOf('\t'); at >= 0 && tabs < kTransactionTabs;
         at = line.indexOf('\t', at + 1))
        ++tabs;
    if (tabs < kTransactionTabs)
        return std::nullopt;
    return trimControls(dbase::cp1252::decode(line.left(line.indexOf('\t'))));
}

} // namespace

std::vector<AccountLines> accountsInFile(const QString& path)
{
    std::vector<AccountLines> accounts;
    try {
        TabReader reader(path);
        while (!reader.atEnd()) {
            const std::optional<QString> account = accountOf(reader.readLine());
            if (!account)
                continue;
            // A file holds one account or a few: a linear search beats hashing every line.
            auto found = std::find_if(accounts.begin(), accounts.end(),
                                      [&](const AccountLines& a) { return a.account == *account; });
            if (found == accounts.end())
                found = accounts.insert(accounts.end(), {*account, 0});
            ++found->lines;
        }
    } catch (const ImportError&) {
        // The accounts before an unreadable spot are all there is to choose from; the import
        // meets the same failure where it reads and reports it with its line, storing the lines
        // before it as ever.
    }
    return accounts;
}

bool isOtherAccount(const QByteArray& line, const QString& account)
{
    const std::optional<QString> own = accountOf(line);
    return own && *own != account;
}

QString accountLabel(const AccountLines& account)
{
    return account.lines == 1
               ? QStringLiteral("%1 (1 regel)").arg(account.account)
               : QStringLiteral("%1 (%2 regels)").arg(account.account).arg(account.lines);
}

} // namespace import
