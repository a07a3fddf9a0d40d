#include "categories/own_accounts.h"

#include "relations/group_rule.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace categories {

namespace {

constexpr qsizetype kReknumMax = 15; // what reknum keeps of a longer IBAN
constexpr int kAccountDigitsMax = 10;
const QString kFileName = u"eigenrek.txt"_s;
const QString kSwitchKey = u"weglaten="_s;

bool isAsciiLetter(QChar c)
{
    return c >= u'A' && c <= u'Z';
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Country code, two check digits, then letters and digits: at most 34 characters.
bool looksLikeIban(const QString& text)
{
    if (text.size() < 5 || text.size() > 34 || !isAsciiLetter(text[0]) || !isAsciiLetter(text[1]))
        return false;
    for (const QChar c : text)
        if (!isAsciiLetter(c) && !isAsciiDigit(c))
            return false;
    return true;
}

// The check of ISO 13616: the rearranged number, letters as 10..35, modulo 97 is 1.
bool ibanChecks(const QString& iban)
{
    if (!isAsciiDigit(iban[2]) || !isAsciiDigit(iban[3]))
        return false;
    const QString rearranged = iban.mid(4) + iban.left(4);
    int rest = 0;
    for (const QChar c : rearranged) {
        if (isAsciiDigit(c))
            rest = (rest * 10 + (c.unicode() - u'0')) % 97;
        else
            rest = (rest * 100 + (c.unicode() - u'A' + 10)) % 97;
    }
    return rest == 1;
}

// Digits in groups split by single dots ("78.55.86.657"); the digits without leading zeros, or
// nothing when the text is no such number.
std::optional<QString> accountDigits(const QString& text)
{
    QString digits;
    bool afterDot = true; // no dot first, none doubled
    for (const QChar c : text) {
        if (c == u'.') {
            if (afterDot)
                return std::nullopt;
            afterDot = true;
        } else if (isAsciiDigit(c)) {
            digits += c;
            afterDot = false;
        } else {
            return std::nullopt;
        }
    }
    if (afterDot || digits.size() > kAccountDigitsMax)
        return std::nullopt;
    qsizetype zeros = 0;
    while (zeros < digits.size() && digits[zeros] == u'0')
        ++zeros;
    if (zeros == digits.size())
        return std::nullopt;
    return digits.mid(zeros);
}

// An IBAN as reknum holds it: whole up to 15 characters, else without country code and check
// digits and cut to 15 (the import's rule).
QString reknumOfIban(const QString& iban)
{
    return iban.size() <= kReknumMax ? iban : iban.mid(4).left(kReknumMax);
}

// A bank code of four letters and a ten-digit number, as the Dutch IBANs hold the old account
// numbers: the number without leading zeros, or nothing.
std::optional<QString> oldNumberIn(const QString& basic)
{
    if (basic.size() != 4 + kAccountDigitsMax)
        return std::nullopt;
    for (qsizetype i = 0; i < 4; ++i)
        if (!isAsciiLetter(basic[i]))
            return std::nullopt;
    return accountDigits(basic.mid(4));
}

QString numberKey(const QString& digits)
{
    return u'#' + digits;
}

QString compact(const QString& text)
{
    QString out;
    for (const QChar c : text)
        if (!c.isSpace())
            out += c.toUpper();
    return out;
}

void fail(const QString& text)
{
    throw relations::GroupRuleError(text);
}

} // namespace

std::optional<QString> normalizedAccount(const QString& text)
{
    const QString account = compact(text);
    if (account.isEmpty())
        return std::nullopt;
    if (isAsciiLetter(account[0]))
        return looksLikeIban(account) && ibanChecks(account) ? std::optional(account)
                                                             : std::nullopt;
    return accountDigits(account) ? std::optional(account) : std::nullopt;
}

QString reknumKey(const QString& reknum)
{
    // Most reknums are already upper case without blanks and no account number: themselves.
    bool plain = !reknum.isEmpty() && !isAsciiDigit(reknum[0]);
    for (qsizetype i = 0; plain && i < reknum.size(); ++i)
        plain = isAsciiLetter(reknum[i]) || isAsciiDigit(reknum[i]);
    if (plain)
        return reknum;
    const QString text = compact(reknum);
    if (const std::optional<QString> digits = accountDigits(text))
        return numberKey(*digits);
    return text;
}

OwnAccounts::OwnAccounts(QStringList accounts) : m_accounts(std::move(accounts))
{
    for (const QString& stored : m_accounts) {
        const QString account = compact(stored);
        if (const std::optional<QString> digits = accountDigits(account)) {
            m_keys.insert(numberKey(*digits));
            continue;
        }
        const QString reknum = reknumOfIban(account);
        m_keys.insert(reknum);
        // Before the IBAN the bank wrote the bare number of the same account.
        if (account.size() > kReknumMax)
            if (const std::optional<QString> old = oldNumberIn(account.mid(4)))
                m_keys.insert(numberKey(*old));
    }
}

bool OwnAccounts::matches(const QString& reknum) const
{
    return !m_keys.isEmpty() && !reknum.isEmpty() && m_keys.contains(reknumKey(reknum));
}

QString ownAccountsPath(const QString& folder)
{
    return QDir(folder).filePath(kFileName);
}

OwnAccountSettings loadOwnAccounts(const QString& folder)
{
    OwnAccountSettings settings;
    const QString path = ownAccountsPath(folder);
    if (!QFileInfo::exists(path))
        return settings;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        fail(u"De eigen rekeningen (%1) zijn niet te lezen: %2"_s.arg(
            QDir::toNativeSeparators(path), file.errorString()));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty())
            continue;
        if (line.startsWith(kSwitchKey)) {
            settings.leaveOut = line.mid(kSwitchKey.size()) != u"nee"_s;
            continue;
        }
        const std::optional<QString> account = normalizedAccount(line);
        if (!account)
            fail(u"De eigen rekeningen (%1) zijn niet te lezen: '%2' is geen rekeningnummer. "
                 u"Herstel of verwijder dat bestand."_s.arg(QDir::toNativeSeparators(path), line));
        if (!settings.accounts.contains(*account))
            settings.accounts << *account;
    }
    return settings;
}

void saveOwnAccounts(const QString& folder, const OwnAccountSettings& settings)
{
    QString text = kSwitchKey + (settings.leaveOut ? u"ja"_s : u"nee"_s) + u'\n';
    for (const QString& account : settings.accounts)
        text += account + u'\n';
    const QString path = ownAccountsPath(folder);
    // Written beside and renamed when whole: a killed program leaves the old list or the new.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit())
        fail(u"De eigen rekeningen (%1) zijn niet te bewaren: %2"_s.arg(
            QDir::toNativeSeparators(path), file.errorString()));
}

namespace {

QString requireAccount(const QString& text)
{
    const std::optional<QString> account = normalizedAccount(text);
    if (!account)
        fail(u"'%1' is geen rekeningnummer: geef een IBAN (met kloppende controlecijfers) of een "
             u"rekeningnummer van 1 tot 10 cijfers."_s.arg(text.trimmed()));
    return *account;
}

// The place of an account in the list ("78.55.86.657" is 785586657); -1 when absent.
qsizetype indexOfAccount(const QStringList& accounts, const QString& account)
{
    const QString key = reknumKey(account);
    for (qsizetype i = 0; i < accounts.size(); ++i)
        if (reknumKey(accounts[i]) == key)
            return i;
    return -1;
}

} // namespace

void addOwnAccount(const QString& folder, const QString& text)
{
    const QString account = requireAccount(text);
    OwnAccountSettings settings = loadOwnAccounts(folder);
    if (indexOfAccount(settings.accounts, account) >= 0)
        return;
    settings.accounts << account;
    saveOwnAccounts(folder, settings);
}

void removeOwnAccount(const QString& folder, const QString& text)
{
    const QString account = requireAccount(text);
    OwnAccountSettings settings = loadOwnAccounts(folder);
    const qsizetype at = indexOfAccount(settings.accounts, account);
    if (at < 0)
        fail(u"%1 staat niet in de lijst van eigen rekeningen."_s.arg(account));
    settings.accounts.removeAt(at);
    saveOwnAccounts(folder, settings);
}

} // namespace categories
