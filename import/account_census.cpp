#include "import/account_census.h"

#include "import/import_error.h"
#include "import/tab_reader.h"
#include "import/text_ops.h"
#include "store/dbase/cp1252.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace import {
namespace {

// Field 1 of a transaction line as bytes, without the bytes up to 32 at its ends (which the
// code page reads as blanks and control characters, as no other byte); nothing for a line with
// fewer than seven tabs. Equal bytes are equal texts: the code page gives every byte its own
// character.
std::optional<QByteArrayView> accountBytesOf(QByteArrayView line)
{
    if (line.isEmpty())
        return std::nullopt;
    const char* const begin = line.data();
    const char* const end = begin + line.size();
    const char* firstTab = nullptr;
    qsizetype tabs = 0;
    for (const char* at = begin; tabs < kTransactionTabs; ++at, ++tabs) {
        at = static_cast<const char*>(std::memchr(at, '\t', std::size_t(end - at)));
        if (!at)
            return std::nullopt;
        if (!firstTab)
            firstTab = at;
    }
    QByteArrayView field(begin, firstTab - begin);
    while (!field.isEmpty() && static_cast<unsigned char>(field.front()) <= 32)
        field = field.sliced(1);
    while (!field.isEmpty() && static_cast<unsigned char>(field.back()) <= 32)
        field.chop(1);
    return field;
}

// Field 1 of a transaction line, trimmed; nothing for a line with fewer than seven tabs.
std::optional<QString> accountOf(QByteArrayView line)
{
    const std::optional<QByteArrayView> bytes = accountBytesOf(line);
    if (!bytes)
        return std::nullopt;
    return dbase::cp1252::decode(bytes->data(), bytes->size());
}

} // namespace

std::vector<AccountLines> accountsInFile(const QString& path)
{
    std::vector<AccountLines> accounts;
    std::vector<QByteArray> accountBytes; // beside accounts: compared without decoding
    try {
        TabReader reader(path);
        while (!reader.atEnd()) {
            const std::optional<QByteArrayView> bytes = accountBytesOf(reader.readLineView());
            if (!bytes)
                continue;
            // A file holds one account or a few: a linear search beats hashing every line.
            const auto found = std::find(accountBytes.begin(), accountBytes.end(), *bytes);
            if (found != accountBytes.end()) {
                ++accounts[std::size_t(found - accountBytes.begin())].lines;
                continue;
            }
            accountBytes.push_back(bytes->toByteArray());
            accounts.push_back({dbase::cp1252::decode(bytes->data(), bytes->size()), 1});
        }
    } catch (const ImportError&) {
        // The accounts before an unreadable spot are all there is to choose from; the import
        // meets the same failure where it reads and reports it with its line, storing the lines
        // before it as ever.
    }
    return accounts;
}

bool isOtherAccount(QByteArrayView line, const QString& account)
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
