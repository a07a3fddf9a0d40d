#pragma once

#include "relations/group_rule.h"

#include <QString>
#include <QStringList>
#include <vector>

// The notices over the relation pages, in the pages' Dutch words: the windows show them in their
// labels, `kolvaro-cli status` prints them.
namespace notices {

inline const QString kTotalsStaleBoth = QStringLiteral(
    "Let op: de totalen zijn nog niet bijgewerkt na het inlezen of legen van een tabel. Druk op "
    "\u201cAanvullen relaties\u201d en daarna op \u201cVul per maand\u201d (pagina "
    "\u201cOverzicht relaties\u201d, met lege filters).");
inline const QString kTotalsStaleFill = QStringLiteral(
    "Let op: de totalen bevatten de laatst ingelezen of gewiste mutaties nog niet. Druk op "
    "\u201cVul per maand\u201d (pagina \u201cOverzicht relaties\u201d, met lege filters).");
inline const QString kGroupsNotApplied = QStringLiteral(
    "Let op: de totalen volgen de regels van de relatiegroepen nog niet; dat doen ze na "
    "\"Opslaan en toepassen\" onder \"Groepen…\" op de pagina \"Overzicht relaties\".");

// The stale-totals notice of the tables folder, naming the passes still due; empty when none is.
// Throws notices::NoticeError when the notice's file cannot be read.
QString totalsNotice(const QString& folder);
// The notice that the totals do not yet follow `rules`; empty when they do.
QString groupsNotice(const QString& folder, const std::vector<relations::GroupRule>& rules);
// Every notice the pages would show now, in the order they stand on the pages.
QStringList pageNotices(const QString& folder, const std::vector<relations::GroupRule>& rules);

} // namespace notices
