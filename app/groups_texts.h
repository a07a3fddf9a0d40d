#pragma once

#include <QString>

// The Dutch texts of the relation groups' windows, in one place.
namespace app::groupstexts {

inline const QString kGroupsButton = QStringLiteral("Groepen…");
inline const QString kDialogTitle = QStringLiteral("Relatiegroepen");
inline const QString kPrecedence = QStringLiteral(
    "De regels worden in hun volgorde geprobeerd; de eerste actieve regel die past, beslist. "
    "Een groepsnaam wordt nooit opnieuw door een andere regel gezocht. Hoofd- en kleine letters "
    "tellen niet, meerdere spaties tellen als één. De namen van de bank in de boekingen blijven "
    "zoals ze zijn.");
inline const QString kColumns =
    QStringLiteral("Nr|Actief|Veld|Soort|Patroon|Groep|Boekingen|Namen|Al door eerdere regel");
inline const QString kAdd = QStringLiteral("Toevoegen…");
inline const QString kChange = QStringLiteral("Wijzigen…");
inline const QString kDelete = QStringLiteral("Verwijderen");
inline const QString kUp = QStringLiteral("Omhoog");
inline const QString kDown = QStringLiteral("Omlaag");
inline const QString kUndo = QStringLiteral("Ongedaan maken");
inline const QString kSaveApply = QStringLiteral("Opslaan en toepassen");
inline const QString kClose = QStringLiteral("Sluiten");
inline const QString kTestTitle = QStringLiteral("Proberen:");
inline const QString kTestPlaceholder = QStringLiteral("tekst van een boeking");
inline const QString kTestResult = QStringLiteral("%1 → %2, door regel %3");
inline const QString kTestNoRule = QStringLiteral("%1 → %2, geen regel");
inline const QString kDiscard =
    QStringLiteral("De wijzigingen in de regels zijn niet opgeslagen. Sluiten zonder opslaan?");
inline const QString kUnsaved = QStringLiteral("Er zijn wijzigingen die nog niet zijn opgeslagen.");

inline const QString kRuleTitle = QStringLiteral("Regel");
inline const QString kRuleActive = QStringLiteral("Actief");
inline const QString kRuleField = QStringLiteral("Veld:");
inline const QString kRuleKind = QStringLiteral("Soort:");
inline const QString kRulePattern = QStringLiteral("Patroon:");
inline const QString kRuleGroup = QStringLiteral("Groep:");
inline const QString kRuleNote = QStringLiteral("Notitie:");
inline const QString kRuleCatches =
    QStringLiteral("Deze regel vangt nu %1 boekingen van %2 namen:");
inline const QString kOk = QStringLiteral("OK");
inline const QString kCancel = QStringLiteral("Annuleren");

inline const QString kApplyQuestion =
    QStringLiteral("%1 boekingen krijgen een andere groep en %2 rijen van de relatietabel "
                   "veranderen of vervallen. De regels opslaan en de relatietabel opnieuw "
                   "opbouwen?");
inline const QString kUndoQuestion =
    QStringLiteral("De regels terugzetten zoals ze voor de laatste wijziging waren (%1 boekingen "
                   "krijgen een andere groep, %2 rijen van de relatietabel veranderen of "
                   "vervallen) en de relatietabel opnieuw opbouwen?");

inline const QString kMergeAction = QStringLiteral("Samenvoegen…");
inline const QString kMergeTitle = QStringLiteral("Samenvoegen");
inline const QString kMergeGroup = QStringLiteral("Samenvoegen in groep:");
inline const QString kMergeMoves = QStringLiteral("Deze namen en totalen gaan naar de groep:");
inline const QString kMergeTotal = QStringLiteral("Samen: %1");
inline const QString kMergeNothing =
    QStringLiteral("Kies eerst de relaties die u wilt samenvoegen.");
inline const QString kMakeRuleAction = QStringLiteral("Regel maken…");
inline const QString kWhyAction = QStringLiteral("Waarom deze groep?");
inline const QString kWhyRule =
    QStringLiteral("\"%1\" staat in de groep \"%2\" door regel %3: %4 %5 \"%6\".");
inline const QString kWhyNoRule =
    QStringLiteral("Geen regel past op \"%1\": de boeking staat onder haar eigen naam.");

} // namespace app::groupstexts
