#pragma once

#include <QString>

// The Dutch texts of the page "Vaste lasten" and its windows, in one place.
namespace app::fixedtexts {

inline const QString kPage = QStringLiteral("Vaste lasten");
inline const QString kAsOf = QStringLiteral("Peildatum:");
inline const QString kAsOfHint =
    QStringLiteral("De dag waarop het overzicht kijkt; standaard de datum van de laatste boeking.");
inline const QString kNotFixed = QStringLiteral("Niet vast");
inline const QString kNotFixedHint =
    QStringLiteral("Deze post voortaan niet meer als vaste post tonen (terug te zetten via "
                   "\u201cVerborgen\u2026\u201d).");
inline const QString kHidden = QStringLiteral("Verborgen\u2026");
inline const QString kShowPayments = QStringLiteral("Boekingen tonen\u2026");
inline const QString kDoubleClickHint =
    QStringLiteral("Dubbelklik op een regel voor de boekingen van die post.");

inline const QString kCostsTitle = QStringLiteral("Vaste lasten (%1)");
inline const QString kIncomeTitle = QStringLiteral("Vaste inkomsten (%1)");
inline const QString kCostsPerMonth = QStringLiteral("Vaste lasten per maand: %1");
inline const QString kIncomePerMonth = QStringLiteral("Vaste inkomsten per maand: %1");
inline const QString kNoTransactions =
    QStringLiteral("Nog geen boekingen: lees eerst een bestand van de bank in (minstens een paar "
                   "maanden).");
inline const QString kNothingFound = QStringLiteral(
    "Geen vaste posten gevonden: geen relatie kreeg of betaalde geregeld een bedrag tot de "
    "peildatum.");

// Column titles; the last one differs for costs and income.
inline const QString kColumns =
    QStringLiteral("Relatie|Ritme|Laatste bedrag|Laatst betaald|Volgende|Status");
inline const QString kColumnsIncome =
    QStringLiteral("Relatie|Ritme|Laatste bedrag|Laatst ontvangen|Volgende|Status");
inline const QString kRiseTitle = QStringLiteral("Prijsstijging");
inline const QString kRaiseTitle = QStringLiteral("Verhoging");
inline const QString kRiseSince = QStringLiteral("Gewijzigd vanaf %1");

inline const QString kHiddenCaption = QStringLiteral("Verborgen vaste posten");
inline const QString kHiddenChoose =
    QStringLiteral("Kies een post om weer als vaste post te tonen:");
inline const QString kHiddenNone = QStringLiteral("Er zijn geen verborgen posten.");
inline const QString kCosts = QStringLiteral("lasten");
inline const QString kIncome = QStringLiteral("inkomsten");
inline const QString kNotFoundNow = QStringLiteral("%1 (nu niet gevonden)");

inline const QString kPaymentsCaption = QStringLiteral("Boekingen van %1");
inline const QString kPaymentsSummary = QStringLiteral("%1, per %2, %3: %4 boekingen");

} // namespace app::fixedtexts
