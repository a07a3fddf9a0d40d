#include "relations/relation_year.h"

#include "store/table_names.h"

namespace relations {

using namespace store::names;

bool zoekrelatiejaar(dbase::Table& bedrijven, const QString& naam, const QString& jaar)
{
    bedrijven.findNearest(naam);
    if (bedrijven.isEmpty())
        return false;
    const dbase::Field naamField = bedrijven.fieldByName(kNaam);
    const dbase::Field jaarField = bedrijven.fieldByName(kJaar);
    if (naamField.asString() != naam)
        return false;
    for (;;) {
        if (jaarField.asString() == jaar)
            return true;
        bedrijven.next();
        if (bedrijven.eof() || naamField.asString() != naam)
            return false;
    }
}

void bijrelatie(dbase::Table& bedrijven, const QString& naam, const QString& jaar)
{
    if (zoekrelatiejaar(bedrijven, naam, jaar))
        return;
    bedrijven.append();
    bedrijven.fieldByName(kNaam).setAsString(naam);
    bedrijven.fieldByName(kJaar).setAsString(jaar);
    bedrijven.post();
}

} // namespace relations

namespace relations {

QString yearText(const QDate& date)
{
    return date.isValid() ? QString::number(date.year()) : QString();
}

} // namespace relations
