#include "relations/group_rules_file.h"

#include "relations/group_rules_table.h"
#include "relations/rules_table_file.h"
#include "store/dbase/table.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace relations {

namespace {

const QString kPreviousFile = u"relgroep.BAK"_s;
const QString kAppliedFile = u"relgroep.toegepast"_s;

const rulesfile::TableKind& tableKind()
{
    static const rulesfile::TableKind kind{
        &rulestable::definition(), rulestable::kNr, kPreviousFile,
        u"De regels van de relatiegroepen (%1) zijn niet te lezen: %2 Het programma werkt "
        u"zonder groepen; herstel of verwijder dat bestand om weer regels te kunnen wijzigen."_s};
    return kind;
}

QString besides(const QString& folder, const QString& name)
{
    return QDir(folder).filePath(name);
}

rulesfile::RowReader readerInto(std::vector<GroupRule>& rules)
{
    return [&rules](dbase::Table& table) {
        GroupRule rule;
        rule.active = table.fieldByName(rulestable::kActief).asBoolean();
        rule.field = parseField(table.fieldByName(rulestable::kVeld).asString());
        rule.kind = parseKind(table.fieldByName(rulestable::kSoort).asString());
        rule.pattern = table.fieldByName(rulestable::kPatroon).asString();
        rule.group = table.fieldByName(rulestable::kGroep).asString();
        rule.note = table.fieldByName(rulestable::kNotitie).asString();
        rules.push_back(checkedRule(rule, false));
    };
}

rulesfile::RowWriter writerOf(const std::vector<GroupRule>& rules)
{
    return [&rules](dbase::Table& table, std::size_t index) {
        const GroupRule& rule = rules[index];
        table.fieldByName(rulestable::kActief).setAsBoolean(rule.active);
        table.fieldByName(rulestable::kVeld).setAsString(fieldName(rule.field));
        table.fieldByName(rulestable::kSoort).setAsString(kindName(rule.kind));
        table.fieldByName(rulestable::kPatroon).setAsString(rule.pattern);
        table.fieldByName(rulestable::kGroep).setAsString(rule.group);
        table.fieldByName(rulestable::kNotitie).setAsString(rule.note);
    };
}

// The rules table at `path`, read whole; throws GroupRuleError when it cannot be.
std::vector<GroupRule> readRulesFile(const QString& path)
{
    std::vector<GroupRule> read;
    const std::vector<std::size_t> order =
        rulesfile::readWholeFile(path, tableKind(), readerInto(read));
    return rulesfile::inOrder(read, order);
}

void writeRulesFile(const QString& path, const std::vector<GroupRule>& rules)
{
    rulesfile::writeFile(path, tableKind(), rules.size(), writerOf(rules));
}

QByteArray fingerprint(const std::vector<GroupRule>& rules)
{
    // Inactive rules and notes do not change any group.
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const GroupRule& rule : rules)
        if (rule.active)
            hash.addData(QStringList{fieldName(rule.field), kindName(rule.kind),
                                     rule.pattern.simplified(), rule.group, QString()}
                             .join(QChar(0x1f))
                             .toUtf8());
    return hash.result().toHex();
}

// An earlier version kept only a fingerprint of the applied rules, as a line of text.
bool isFingerprintFile(const QString& path, QByteArray* text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.read(64).trimmed();
    const bool hex = bytes.size() == 40 && std::all_of(bytes.begin(), bytes.end(), [](char c) {
                         return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
                     });
    if (hex && text)
        *text = bytes;
    return hex;
}

} // namespace

LoadedRules loadGroupRules(const QString& folder, bool create)
{
    LoadedRules loaded;
    std::vector<GroupRule> read;
    const std::vector<std::size_t> order =
        rulesfile::loadRows(folder, create, tableKind(), loaded.problems, readerInto(read));
    loaded.rules = rulesfile::inOrder(read, order);
    return loaded;
}

void requireReadableRules(const LoadedRules& loaded)
{
    if (loaded.damaged())
        throw GroupRuleError(
            u"%1 Zolang dat zo is, worden de regels niet gewijzigd en de totalen van de relaties "
            u"niet opnieuw opgebouwd of gevuld, zodat de groepen niets verliezen."_s.arg(
                loaded.problems.join(u' ')));
}

void saveGroupRules(const QString& folder, const std::vector<GroupRule>& rules)
{
    std::vector<GroupRule> checked;
    for (const GroupRule& rule : rules)
        checked.push_back(checkedRule(rule));
    rulesfile::save(folder, tableKind(), checked.size(), writerOf(checked));
}

bool canUndoGroupRules(const QString& folder)
{
    return rulesfile::canUndo(folder, tableKind());
}

std::vector<GroupRule> previousGroupRules(const QString& folder)
{
    rulesfile::requirePrevious(folder, tableKind());
    return readRulesFile(rulesfile::previousPath(folder, tableKind()));
}

void undoGroupRules(const QString& folder)
{
    rulesfile::undo(folder, tableKind());
}

void markGroupRulesApplied(const QString& folder, const std::vector<GroupRule>& rules)
{
    writeRulesFile(besides(folder, kAppliedFile), rules);
}

std::optional<std::vector<GroupRule>> appliedGroupRules(const QString& folder)
{
    const QString path = besides(folder, kAppliedFile);
    if (!QFileInfo::exists(path) || isFingerprintFile(path, nullptr))
        return std::nullopt;
    try {
        return readRulesFile(path);
    } catch (const GroupRuleError&) {
        return std::nullopt; // a copy that cannot be read only loses what it could tell
    }
}

bool groupRulesApplied(const QString& folder, const std::vector<GroupRule>& rules)
{
    const QString path = besides(folder, kAppliedFile);
    if (!QFileInfo::exists(path))
        return fingerprint(rules) == fingerprint({});
    QByteArray old;
    if (isFingerprintFile(path, &old))
        return old == fingerprint(rules);
    const std::optional<std::vector<GroupRule>> applied = appliedGroupRules(folder);
    return applied && fingerprint(*applied) == fingerprint(rules);
}

} // namespace relations
