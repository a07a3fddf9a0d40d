#pragma once

#include "store/dbase/table_definition.h"

#include <QString>

// The table of the category rules (rubriek.DBF beside the other tables): one row per rule in the
// order of nr, no index. Its backup has its layout.
namespace categories::rulestable {

inline const QString kNr = QStringLiteral("nr");
inline const QString kActief = QStringLiteral("actief");
inline const QString kVeld = QStringLiteral("veld");
inline const QString kSoort = QStringLiteral("soort");
inline const QString kPatroon = QStringLiteral("patroon");
inline const QString kRubriek = QStringLiteral("rubriek");
inline const QString kNotitie = QStringLiteral("notitie");

const dbase::TableDefinition& definition();

} // namespace categories::rulestable
