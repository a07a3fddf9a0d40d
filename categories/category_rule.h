#pragma once

#include "relations/group_rule.h"

#include <QString>
#include <QStringList>

namespace categories {

// The transaction text a category rule reads. Groep is the relation group the group rules give
// (the transaction's own Naam when none applies).
enum class CategoryField
{
    Groep,
    Naam,
    Omschrijving,
    Reknum,
};

// One rule: a transaction whose field matches the pattern is in the category. Categories are
// computed, never stored in the transactions or the relation-year rows.
struct CategoryRule
{
    bool active = true;
    CategoryField field = CategoryField::Groep;
    relations::RuleKind kind = relations::RuleKind::Equal;
    QString pattern;
    QString category; // at most kCategoryNameMax characters, Windows-1252; refused, never cut
    QString note;

    bool operator==(const CategoryRule&) const = default;
};

inline constexpr int kCategoryNameMax = 30;
inline const QString kOverig = QStringLiteral("Overig");                // no rule caught it
inline const QString kEigenRekening = QStringLiteral("Eigen rekening"); // an own account

// "Groep", "Naam", "Omschrijving", "reknum"; read back with case ignored (throws GroupRuleError).
QString fieldName(CategoryField field);
CategoryField parseField(const QString& text);
QStringList fieldNames();

// The rule as it is stored, checked as a group rule's pattern and note are; the category name
// is refused when empty, too long, not storable or one of the fixed names. Throws
// relations::GroupRuleError with the Dutch text.
CategoryRule checkedRule(const CategoryRule& rule, bool probeCost = true);

} // namespace categories
