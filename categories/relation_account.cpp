#include "categories/relation_account.h"

#include "categories/own_accounts.h"
#include "categories/transaction_rows.h"

#include <QHash>

namespace categories {

namespace {

// The country whose IBANs hold a bank code of four letters and ten digits.
const QString kCountry = QStringLiteral("NL");

// The ISO 13616 check digits of a country's IBAN with this basic account number.
QString ibanCheckDigits(const QString& basic)
{
    int rest = 0;
    for (const QChar c : basic + kCountry + QStringLiteral("00")) {
        const int value = c.isDigit() ? c.digitValue() : c.toUpper().unicode() - u'A' + 10;
        rest = (rest * (value >= 10 ? 100 : 10) + value) % 97;
    }
    return QStringLiteral("%1").arg(98 - rest, 2, 10, QChar(u'0'));
}

bool isDomesticBasic(const QString& text)
{
    if (text.size() != 14)
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool ok = i < 4 ? (c >= u'A' && c <= u'Z') : (c >= u'0' && c <= u'9');
        if (!ok)
            return false;
    }
    return true;
}

} // namespace

QString mostFrequentReknum(const dbase::Table& mutaties, const relations::GroupResolver& groups,
                           const QString& group)
{
    const TransactionRows rows(mutaties, groups, nullptr);
    QHash<QString, bool> inGroup; // per distinct text
    QHash<QString, int> counts;
    QString best;
    int bestCount = 0;
    for (int r = 0; r < mutaties.storedRowCount(); ++r) {
        const dbase::RowView row = mutaties.storedRowAt(r);
        const CategoryTexts texts = rows.texts(row);
        if (texts.reknum.isEmpty())
            continue;
        const QString key =
            texts.naam + QChar(0x1f) + texts.omschrijving + QChar(0x1f) + texts.reknum;
        auto known = inGroup.constFind(key);
        if (known == inGroup.constEnd())
            known = inGroup.insert(key, rows.group(texts).compare(group, Qt::CaseInsensitive) == 0);
        if (!*known)
            continue;
        const int count = ++counts[texts.reknum];
        if (count > bestCount) {
            best = texts.reknum;
            bestCount = count;
        }
    }
    return best;
}

std::optional<QString> accountOfReknum(const QString& reknum)
{
    if (const std::optional<QString> account = normalizedAccount(reknum))
        return account;
    const QString basic = reknum.trimmed().toUpper();
    if (!isDomesticBasic(basic))
        return std::nullopt;
    return normalizedAccount(kCountry + ibanCheckDigits(basic) + basic);
}

} // namespace categories
