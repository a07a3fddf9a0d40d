#include "categories/category_rules_file.h"

#include "categories/category_rules_table.h"
#include "relations/rules_table_file.h"

using namespace Qt::StringLiterals;

namespace categories {

namespace {

const relations::rulesfile::TableKind& tableKind()
{
    static const relations::rulesfile::TableKind kind{
        &rulestable::definition(), rulestable::kNr, u"rubriek.BAK"_s,
        u"De regels van de rubrieken (%1) zijn niet te lezen: %2 Het programma werkt zonder "
        u"rubrieken; herstel of verwijder dat bestand om weer regels te kunnen wijzigen."_s};
    return kind;
}

relations::rulesfile::RowReader readerInto(std::vector<CategoryRule>& rules)
{
    return [&rules](dbase::Table& table) {
        CategoryRule rule;
        rule.active = table.fieldByName(rulestable::kActief).asBoolean();
        rule.field = parseField(table.fieldByName(rulestable::kVeld).asString());
        rule.kind = relations::parseKind(table.fieldByName(rulestable::kSoort).asString());
        rule.pattern = table.fieldByName(rulestable::kPatroon).asString();
        rule.category = table.fieldByName(rulestable::kRubriek).asString();
        rule.note = table.fieldByName(rulestable::kNotitie).asString();
        rules.push_back(checkedRule(rule, false));
    };
}

relations::rulesfile::RowWriter writerOf(const std::vector<CategoryRule>& rules)
{
    return [&rules](dbase::Table& table, std::size_t index) {
        const CategoryRule& rule = rules[index];
        table.fieldByName(rulestable::kActief).setAsBoolean(rule.active);
        table.fieldByName(rulestable::kVeld).setAsString(fieldName(rule.field));
        table.fieldByName(rulestable::kSoort).setAsString(relations::kindName(rule.kind));
        table.fieldByName(rulestable::kPatroon).setAsString(rule.pattern);
        table.fieldByName(rulestable::kRubriek).setAsString(rule.category);
        table.fieldByName(rulestable::kNotitie).setAsString(rule.note);
    };
}

} // namespace

LoadedCategoryRules loadCategoryRules(const QString& folder, bool create)
{
    LoadedCategoryRules loaded;
    std::vector<CategoryRule> read;
    const std::vector<std::size_t> order = relations::rulesfile::loadRows(
        folder, create, tableKind(), loaded.problems, readerInto(read));
    loaded.rules = relations::rulesfile::inOrder(read, order);
    if (loaded.damaged())
        loaded.rules.clear(); // a table read in part would categorise differently each time
    return loaded;
}

void requireReadableCategoryRules(const LoadedCategoryRules& loaded)
{
    if (loaded.damaged())
        throw relations::GroupRuleError(
            u"%1 Zolang dat zo is, worden de regels van de rubrieken niet gewijzigd, zodat er "
            u"niets verloren gaat."_s.arg(loaded.problems.join(u' ')));
}

void saveCategoryRules(const QString& folder, const std::vector<CategoryRule>& rules)
{
    std::vector<CategoryRule> checked;
    for (const CategoryRule& rule : rules)
        checked.push_back(checkedRule(rule));
    // Never over a table that could not be read whole: the user's rules in it would be lost.
    requireReadableCategoryRules(loadCategoryRules(folder, false));
    relations::rulesfile::save(folder, tableKind(), checked.size(), writerOf(checked));
}

bool canUndoCategoryRules(const QString& folder)
{
    return relations::rulesfile::canUndo(folder, tableKind());
}

std::vector<CategoryRule> previousCategoryRules(const QString& folder)
{
    relations::rulesfile::requirePrevious(folder, tableKind());
    std::vector<CategoryRule> read;
    const std::vector<std::size_t> order = relations::rulesfile::readWholeFile(
        relations::rulesfile::previousPath(folder, tableKind()), tableKind(), readerInto(read));
    return relations::rulesfile::inOrder(read, order);
}

void undoCategoryRules(const QString& folder)
{
    relations::rulesfile::undo(folder, tableKind());
}

} // namespace categories
