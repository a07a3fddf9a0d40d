#pragma once

#include "store/dbase/table_definition.h"

#include <QString>

// The table of the relation-group rules (relgroep.DBF beside the other tables): one row per rule
// in the order of nr, no index. Its backups and the copy of the applied rules have its layout.
namespace relations::rulestable {

inline const QString kNr = QStringLiteral("nr");
inline const QString kActief = QStringLiteral("actief");
inline const QString kVeld = QStringLiteral("veld");
inline const QString kSoort = QStringLiteral("soort");
inline const QString kPatroon = QStringLiteral("patroon");
inline const QString kGroep = QStringLiteral("groep");
inline const QString kNotitie = QStringLiteral("notitie");

// Created when missing; an existing file must have every field, each of its type.
const dbase::TableDefinition& definition();

} // namespace relations::rulestable
