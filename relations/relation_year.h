#pragma once

#include "store/dbase/table.h"

#include <QDate>
#include <QString>

namespace relations {

// Relation-year lookup on bedrijven (active index NAAM): true when a presented row has exactly
// this Naam and jaar (case included); the table then stands on it. Rows of one name are
// adjacent in NAAM order, so the walk ends at the first row of another name.
bool zoekrelatiejaar(dbase::Table& bedrijven, const QString& naam, const QString& jaar);

// Adds and stores a row with Naam and jaar (all else empty) when the lookup does not find one.
void bijrelatie(dbase::Table& bedrijven, const QString& naam, const QString& jaar);

} // namespace relations

namespace relations {

// The year text of a date as stored in jaar: its year in decimal digits ("2008").
QString yearText(const QDate& date);

} // namespace relations
