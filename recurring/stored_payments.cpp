#include "recurring/stored_payments.h"

#include "store/table_names.h"

#include <QHash>
#include <cmath>

namespace recurring {

using namespace store::names;

std::vector<Payment> storedPayments(dbase::Table& mutaties, const relations::GroupResolver& groups)
{
    const int datum = mutaties.fieldIndex(kDatum);
    const int soort = mutaties.fieldIndex(kSoort);
    const int bedrag = mutaties.fieldIndex(kBedrag);
    const int naam = mutaties.fieldIndex(kNaam);
    const int omschrijving = mutaties.fieldIndex(kOmschrijving);
    const int reknum = mutaties.fieldIndex(kReknum);
    const bool rules = groups.hasActiveRules();
    const bool needsDescription = rules && groups.uses(relations::RuleField::Omschrijving);
    // The rules decide once per distinct pair of texts; names repeat far more than rows.
    QHash<QString, QString> groupOf;
    std::vector<Payment> payments;
    const int rows = mutaties.storedRowCount();
    payments.reserve(std::size_t(rows));
    for (int r = 0; r < rows; ++r) {
        const dbase::RowView row = mutaties.storedRowAt(r);
        Payment p;
        p.kind = int(row.asInteger(soort));
        p.record = int(mutaties.storedBookmarkAt(r));
        p.date = row.asDate(datum);
        p.cents = std::llround(row.asFloat(bedrag) * 100.0);
        p.reknum = row.asString(reknum);
        QString name = row.asString(naam);
        if (!rules) {
            p.group = std::move(name);
        } else {
            relations::RuleTexts texts{std::move(name),
                                       needsDescription ? row.asString(omschrijving) : QString(),
                                       p.reknum};
            const QString key =
                texts.naam + QChar(0x1f) + texts.omschrijving + QChar(0x1f) + texts.reknum;
            auto it = groupOf.find(key);
            if (it == groupOf.end())
                it = groupOf.insert(key, groups.group(texts));
            p.group = *it;
        }
        payments.push_back(std::move(p));
    }
    return payments;
}

} // namespace recurring
