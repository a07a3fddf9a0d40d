#pragma once

#include <QString>

// The legend texts the series carry; the chart windows show them as they are.
namespace charts::texts {

inline const QString kChartRunningMean = QStringLiteral("gemid");
inline const QString kChartExpenses = QStringLiteral("Uitgaven");
inline const QString kChartIncome = QStringLiteral("Inkomsten");
inline const QString kChartAverage = QStringLiteral("Gemiddeld");
inline const QString kChartOtherCategories = QStringLiteral("Overige rubrieken");
inline const QString kCategoriesChartTitle = QStringLiteral("Rubrieken per maand");

} // namespace charts::texts
