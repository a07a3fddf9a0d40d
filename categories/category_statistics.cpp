#include "categories/category_statistics.h"

#include "categories/own_accounts.h"
#include "store/table_names.h"

#include <QHash>
#include <cmath>

namespace categories {

namespace n = store::names;

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

CategoryTexts categoryTexts(const dbase::Table& mutaties, const dbase::RowView& row,
                            const relations::GroupResolver& groups)
{
    CategoryTexts texts;
    texts.naam = row.asString(mutaties.fieldIndex(n::kNaam));
    texts.omschrijving = row.asString(mutaties.fieldIndex(n::kOmschrijving));
    texts.reknum = row.asString(mutaties.fieldIndex(n::kReknum));
    texts.groep = groups.group({texts.naam, texts.omschrijving, texts.reknum});
    return texts;
}

std::vector<CategoryRuleStatistics> categoryRuleStatistics(dbase::Table& mutaties,
                                                           const relations::GroupResolver& groups,
                                                           const CategoryResolver& categories)
{
    const int naam = mutaties.fieldIndex(n::kNaam);
    const int omschrijving = mutaties.fieldIndex(n::kOmschrijving);
    const int reknum = mutaties.fieldIndex(n::kReknum);
    const int bedrag = mutaties.fieldIndex(n::kBedrag);
    struct Distinct
    {
        int count = 0;
        qint64 cents = 0;
    };
    QHash<QString, Distinct> distinct;
    QHash<QString, CategoryTexts> textsOf;
    for (int r = 0; r < mutaties.storedRowCount(); ++r) {
        const dbase::RowView row = mutaties.storedRowAt(r);
        const QString key = row.asString(naam) + QChar(0x1f) + row.asString(omschrijving) +
                            QChar(0x1f) + row.asString(reknum);
        Distinct& d = distinct[key];
        if (d.count == 0)
            textsOf.insert(key, categoryTexts(mutaties, row, groups));
        ++d.count;
        d.cents += std::llround(row.asFloat(bedrag) * 100.0);
    }
    std::vector<CategoryRuleStatistics> statistics(categories.rules().size());
    for (auto it = distinct.constBegin(); it != distinct.constEnd(); ++it) {
        const CategoryTexts& texts = textsOf[it.key()];
        const bool own = categories.ownAccounts().matches(texts.reknum);
        const std::vector<int> matching = categories.allMatches(texts);
        for (std::size_t i = 0; i < matching.size(); ++i) {
            CategoryRuleStatistics& s = statistics[std::size_t(matching[i] - 1)];
            if (i == 0 && !own) {
                s.transactions += it->count;
                s.cents += it->cents;
            } else {
                s.takenEarlier += it->count;
            }
        }
    }
    return statistics;
}

QString mostFrequentReknum(const dbase::Table& mutaties, const relations::GroupResolver& groups,
                           const QString& group)
{
    const int naam = mutaties.fieldIndex(n::kNaam);
    const int omschrijving = mutaties.fieldIndex(n::kOmschrijving);
    const int reknum = mutaties.fieldIndex(n::kReknum);
    QHash<QString, bool> inGroup; // per distinct text
    QHash<QString, int> counts;
    QString best;
    int bestCount = 0;
    for (int r = 0; r < mutaties.storedRowCount(); ++r) {
        const dbase::RowView row = mutaties.storedRowAt(r);
        const QString account = row.asString(reknum);
        if (account.isEmpty())
            continue;
        const QString key =
            row.asString(naam) + QChar(0x1f) + row.asString(omschrijving) + QChar(0x1f) + account;
        auto known = inGroup.constFind(key);
        if (known == inGroup.constEnd())
            known = inGroup.insert(
                key,
                categoryTexts(mutaties, row, groups).groep.compare(group, Qt::CaseInsensitive) ==
                    0);
        if (!*known)
            continue;
        const int count = ++counts[account];
        if (count > bestCount) {
            best = account;
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
