#pragma once

#include <QString>

// Every Dutch text of the windows, in one place.
namespace views::texts {

inline const QString kProgramTitle = QStringLiteral("Financieel overzicht");
inline const QString kChartTitle = QStringLiteral("Grafische voorstelling");

inline const QString kPageImport = QStringLiteral("Inlezen data");
inline const QString kPageTransactions = QStringLiteral("Ingelezen mutaties");
inline const QString kPageRelations = QStringLiteral("Overzicht relaties");
inline const QString kPageMonthTotals = QStringLiteral("Maandinkomsten-uitgaven");

inline const QString kHelp = QStringLiteral("Help");
inline const QString kCalculatorHint = QStringLiteral("Calculator");
inline const QString kImportButton = QStringLiteral("Inlezen TAB-file");
inline const QString kChart = QStringLiteral("Grafiek");
inline const QString kBalanceChartButton = QStringLiteral("Saldo");
inline const QString kShowGaps = QStringLiteral("Toon");
inline const QString kGapsCaption = QStringLiteral("Ontbrekende boekingen");
inline const QString kEmptyTable = QStringLiteral("Legen Tabel");
inline const QString kClearFilter = QStringLiteral(" Wis");
inline const QString kFilter = QStringLiteral("FILTER");
inline const QString kFilterOn = QStringLiteral("FILTER is AAN");
inline const QString kFilterOff = QStringLiteral("FILTER is UIT");
inline const QString kFilterFrom = QStringLiteral("van");
inline const QString kFilterTo = QStringLiteral("t/m");
inline const QString kSelect = QStringLiteral("select");
inline const QString kDeselect = QStringLiteral("deselect");
inline const QString kCompleteRelations = QStringLiteral("Aanvullen relaties");
inline const QString kFillPerMonth = QStringLiteral("Vul per maand");

inline const QString kImportInstruction =
    QStringLiteral("Zorg dat het TAB bestand van de Kolvaro site op uw PC staat.\n"
                   "In de help file staat hoe \u00e9\u00e9n en ander in z'n werk gaat.");
inline const QString kImportReassurance =
    QStringLiteral("U hoeft zich geen zorgen te maken om dubbelle inleesboekingen.\n"
                   "Het programma herkent de reeds ingelezen boekingen.");
inline const QString kCurrentLayoutsSwitch =
    QStringLiteral("Huidige omschrijvingen van de bank herkennen");
inline const QString kChooseAccountCaption = QStringLiteral("Rekening kiezen");
inline const QString kChooseAccountText =
    QStringLiteral("Dit bestand bevat meerdere rekeningen. Welke rekening wilt u inlezen?");
inline const QString kTabFileFilter = QStringLiteral("TAB file (*.tab)");
inline const QString kTabFileSuffix = QStringLiteral("tab");
inline const QString kTablesFolder = QStringLiteral("Tabellenmap:");

inline const QString kTransactionCount = QStringLiteral("Aantal mutaties:");
// The sums of the presented transactions, beside their count.
inline const QString kAmountIn = QStringLiteral("Bij:");
inline const QString kAmountOut = QStringLiteral("Af:");
inline const QString kAmountBalance = QStringLiteral("Saldo:");
inline const QString kRelationCount = QStringLiteral("Aantal relaties:");
inline const QString kYearListTitle = QStringLiteral("Selectie jaren tbv grafiek (max 3)");
inline const QString kAllVisibleRelations = QStringLiteral("Alle zichtbare relaties");
inline const QString kDoubleClickHint =
    QStringLiteral("Dbl click tabel regel voor  select/deselect");
inline const QString kFromImportedData = QStringLiteral("Vanaf ingelezen data");
inline const QString kMonthTotals = QStringLiteral("Maandtotalen");

inline const QString kConfirmCaption = QStringLiteral("Bevestiging");
inline const QString kConfirmEmpty =
    QStringLiteral("Weet je wel zeker dat je de tabel wilt legen?");
inline const QString kWarningCaption = QStringLiteral("Waarschuwing");
inline const QString kWarnEmpty = QStringLiteral("Tabel leeg maken?, weet je dat wel zeker??");

// A grid's context menu, and the file its rows are exported to.
inline const QString kExport = QStringLiteral("Exporteren\u2026");
inline const QString kExportCaption = QStringLiteral("Exporteren naar CSV-bestand");
inline const QString kCsvFileFilter = QStringLiteral("CSV-bestand (*.csv)");

// Grid titles that differ from their field names.
inline const QString kTitleSoort = QStringLiteral("Srt");
inline const QString kTitleRelatie = QStringLiteral("Relatie");
inline const QString kTitleReknum = QStringLiteral("code/reknr");
inline const QString kTitleSelect = QStringLiteral("sel");

// The chart windows: the one menu item of a chart.
inline const QString kSaveImage = QStringLiteral("Afbeelding opslaan\u2026");
inline const QString kImageFileFilter =
    QStringLiteral("PNG-afbeelding (*.png);;PDF-document (*.pdf)");

} // namespace views::texts
