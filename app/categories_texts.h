#pragma once

#include <QString>

// The Dutch texts of the categories' windows, in one place.
namespace app::categoriestexts {

inline const QString kPageTitle = QStringLiteral("Rubrieken");
inline const QString kYear = QStringLiteral("Jaar:");
inline const QString kRulesButton = QStringLiteral("Rubrieken…");
inline const QString kOwnButton = QStringLiteral("Eigen rekeningen…");
inline const QString kDoubleClickHint =
    QStringLiteral("Dubbelklik op een rubriek voor haar boekingen.");
inline const QString kColumnCategory = QStringLiteral("Rubriek");
inline const QString kColumnYear = QStringLiteral("Totaal");
inline const QString kColumnShare = QStringLiteral("Aandeel");
inline const QString kColumnChange = QStringLiteral("t.o.v. %1");
inline const QString kColumnChangePercent = QStringLiteral("%");
inline const QString kLeftOutTip =
    QStringLiteral("Overboekingen naar eigen rekeningen: niet bij de uitgaven geteld.");
inline const QString kNoYears = QStringLiteral("Er zijn nog geen boekingen.");

// The list behind a double click.
inline const QString kListTitle = QStringLiteral("%1 in %2");

// The rules dialog.
inline const QString kDialogTitle = QStringLiteral("Rubrieken");
inline const QString kPrecedence = QStringLiteral(
    "Een boeking naar of van een eigen rekening staat altijd in \"Eigen rekening\". Verder worden "
    "de regels in hun volgorde geprobeerd; de eerste actieve regel die past, beslist. Een boeking "
    "waar geen regel op past, staat in \"Overig\". Hoofd- en kleine letters tellen niet, meerdere "
    "spaties tellen als één. Groep is de relatiegroep van de boeking.");
inline const QString kColumns =
    QStringLiteral("Nr|Actief|Veld|Soort|Patroon|Rubriek|Boekingen|Bedrag|Al door eerdere regel");
inline const QString kTestResult = QStringLiteral("%1 → %2, door regel %3");
inline const QString kTestOwn = QStringLiteral("%1 → %2, eigen rekening");
inline const QString kTestNoRule = QStringLiteral("%1 → %2, geen regel");
inline const QString kSave = QStringLiteral("Opslaan");
inline const QString kRuleCategory = QStringLiteral("Rubriek:");
inline const QString kRuleCatches = QStringLiteral("Deze regel vangt nu %1 boekingen, samen %2.");
inline const QString kSaveQuestion =
    QStringLiteral("%1 boekingen krijgen een andere rubriek. De regels opslaan?");
inline const QString kUndoQuestion = QStringLiteral(
    "De rubrieken terugzetten zoals ze voor de laatste wijziging waren (%1 boekingen krijgen een "
    "andere rubriek)?");
inline const QString kDiscard =
    QStringLiteral("De wijzigingen in de rubrieken zijn niet opgeslagen. Sluiten zonder opslaan?");

// Own accounts.
inline const QString kOwnTitle = QStringLiteral("Eigen rekeningen");
inline const QString kOwnExplanation = QStringLiteral(
    "Boekingen naar en van deze rekeningen staan in de rubriek \"Eigen rekening\". Een "
    "overboeking naar uw spaarrekening is geen uitgave.");
inline const QString kOwnLeaveOut = QStringLiteral("Overboekingen naar eigen rekeningen weglaten");
inline const QString kOwnAccount = QStringLiteral("Rekening:");
inline const QString kOwnPlaceholder = QStringLiteral("IBAN of rekeningnummer");
inline const QString kOwnAdd = QStringLiteral("Toevoegen");
inline const QString kOwnRemove = QStringLiteral("Verwijderen");
inline const QString kOwnClose = QStringLiteral("Sluiten");

// The grids' context menus.
inline const QString kWhyAction = QStringLiteral("Waarom deze rubriek?");
inline const QString kGiveAction = QStringLiteral("Rubriek geven…");
inline const QString kGiveTitle = QStringLiteral("Rubriek geven");
inline const QString kGiveText = QStringLiteral("Rubriek voor %1:");
inline const QString kGiveNothing =
    QStringLiteral("Kies eerst de relaties die een rubriek krijgen.");
inline const QString kGiveDone =
    QStringLiteral("%1 regels toegevoegd: Groep gelijk aan de naam → %2.");
inline const QString kOwnAction = QStringLiteral("Eigen rekening");
inline const QString kOwnNoAccount =
    QStringLiteral("De boekingen van \"%1\" hebben geen rekeningnummer.");
inline const QString kOwnAdded = QStringLiteral("%1 is nu een eigen rekening.");

} // namespace app::categoriestexts
