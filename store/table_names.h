#pragma once

#include <QString>
#include <array>

// Table and field names, once. Field names are matched without regard to case by the engine.
namespace store::names {

inline const QString kMutaties = QStringLiteral("mutaties");
inline const QString kBedrijven = QStringLiteral("bedrijven");
inline const QString kAlias = QStringLiteral("KOLVARO");
inline const QString kRelgroep = QStringLiteral("relgroep");
inline const QString kHelpFile = QStringLiteral("help.rtf"); // the help text beside the tables

inline const QString kDatum = QStringLiteral("datum");
inline const QString kSoort = QStringLiteral("Soort");
inline const QString kNaam = QStringLiteral("Naam");
inline const QString kOmschrijving = QStringLiteral("Omschrijving");
inline const QString kReknum = QStringLiteral("reknum");
inline const QString kBedrag = QStringLiteral("Bedrag");
// The account's balance before and after the transaction, as the bank wrote them.
inline const QString kSaldoVoor = QStringLiteral("SaldoVoor");
inline const QString kSaldoNa = QStringLiteral("SaldoNa");

inline const QString kJaar = QStringLiteral("jaar");
inline const QString kBanknr = QStringLiteral("banknr");
inline const QString kSelect = QStringLiteral("select");
// The month fields of bedrijven, January first; also the labels of the month charts.
inline const std::array<QString, 12> kMonths = {
    QStringLiteral("jan"), QStringLiteral("feb"), QStringLiteral("mrt"), QStringLiteral("apr"),
    QStringLiteral("mei"), QStringLiteral("jun"), QStringLiteral("jul"), QStringLiteral("aug"),
    QStringLiteral("sep"), QStringLiteral("okt"), QStringLiteral("nov"), QStringLiteral("dec")};

inline const QString kIndexDatum = QStringLiteral("DATUM");
inline const QString kIndexNaam = QStringLiteral("NAAM");
inline const QString kIndexBedrag = QStringLiteral("BEDRAG");
inline const QString kIndexJaar = QStringLiteral("JAAR");

} // namespace store::names
