#include "categories/category_rule.h"

using namespace Qt::StringLiterals;

namespace categories {

namespace {

constexpr CategoryField kFields[] = {CategoryField::Groep, CategoryField::Naam,
                                     CategoryField::Omschrijving, CategoryField::Reknum};

} // namespace

QString fieldName(CategoryField field)
{
    // The names the rules table and the windows write, in the order of the enum.
    static const QStringList names{u"Groep"_s, u"Naam"_s, u"Omschrijving"_s, u"reknum"_s};
    return names.value(static_cast<qsizetype>(field));
}

QStringList fieldNames()
{
    QStringList names;
    for (const CategoryField field : kFields)
        names << fieldName(field);
    return names;
}

CategoryField parseField(const QString& text)
{
    const QString wanted = text.simplified().toCaseFolded();
    const QStringList names = fieldNames();
    for (qsizetype at = 0; at < names.size(); ++at)
        if (names[at].toCaseFolded() == wanted)
            return kFields[at];
    throw relations::GroupRuleError(
        u"Onbekend veld '%1': kies Groep, Naam, Omschrijving of reknum."_s.arg(text));
}

CategoryRule checkedRule(const CategoryRule& rule, bool probeCost)
{
    CategoryRule r = rule;
    r.pattern = relations::checkedPattern(rule.kind, rule.pattern, probeCost);
    r.category = rule.category.simplified();
    if (r.category.isEmpty())
        throw relations::GroupRuleError(u"De naam van de rubriek is leeg."_s);
    if (r.category.size() > kCategoryNameMax)
        throw relations::GroupRuleError(
            u"De rubriek '%1' is %2 tekens lang; er passen er %3 in. Kort hem zelf in."_s
                .arg(r.category)
                .arg(r.category.size())
                .arg(kCategoryNameMax));
    relations::requireStorable(r.category, u"De rubriek"_s);
    for (const QString& fixed : {kOverig, kEigenRekening})
        if (r.category.compare(fixed, Qt::CaseInsensitive) == 0)
            throw relations::GroupRuleError(
                u"De rubriek '%1' bestaat al vast en kan geen regel krijgen."_s.arg(fixed));
    r.note = relations::checkedNote(rule.note);
    return r;
}

} // namespace categories
