#include "categories/category_statistics.h"

#include "store/table_names.h"

#include <QHash>
#include <cmath>

namespace categories {

namespace n = store::names;

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

} // namespace categories
