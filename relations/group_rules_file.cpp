#include "relations/group_rules_file.h"

#include "relations/group_rules_table.h"
#include "relations/table_files.h"
#include "store/dbase/engine_error.h"
#include "store/dbase/table.h"
#include "store/dbase/table_location.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace relations {

namespace {

const QString kPreviousFile = u"relgroep.BAK"_s;
const QString kAppliedFile = u"relgroep.toegepast"_s;

QString rulesPath(const QString& folder)
{
    return dbase::locateTableFile(folder, rulestable::definition().fileName);
}

QString besides(const QString& folder, const QString& name)
{
    return QDir(folder).filePath(name);
}

GroupRule ruleOfRow(dbase::Table& table)
{
    GroupRule rule;
    rule.active = table.fieldByName(rulestable::kActief).asBoolean();
    rule.field = parseField(table.fieldByName(rulestable::kVeld).asString());
    rule.kind = parseKind(table.fieldByName(rulestable::kSoort).asString());
    rule.pattern = table.fieldByName(rulestable::kPatroon).asString();
    rule.group = table.fieldByName(rulestable::kGroep).asString();
    rule.note = table.fieldByName(rulestable::kNotitie).asString();
    return checkedRule(rule, false);
}

// The rules of an open rules table in the order of their number; a bad row is skipped and
// named in `problems`.
std::vector<GroupRule> rulesOfTable(dbase::Table& table, const QString& path, QStringList& problems)
{
    std::vector<std::pair<qint64, GroupRule>> numbered;
    int row = 0;
    for (table.first(); !table.eof(); table.next()) {
        ++row;
        try {
            numbered.emplace_back(table.fieldByName(rulestable::kNr).asInteger(), ruleOfRow(table));
        } catch (const GroupRuleError& error) {
            // One bad row (written by another tool) must not cost the other rules.
            problems << u"Regel %1 van %2 wordt overgeslagen: %3"_s.arg(row).arg(
                path, QString::fromUtf8(error.what()));
        }
    }
    std::stable_sort(numbered.begin(), numbered.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<GroupRule> rules;
    for (auto& [nr, rule] : numbered)
        rules.push_back(std::move(rule));
    return rules;
}

// The rules table at `path`, read whole; throws GroupRuleError when it cannot be.
std::vector<GroupRule> readRulesFile(const QString& path)
{
    QStringList problems;
    std::vector<GroupRule> rules;
    try {
        dbase::Table table;
        tablefiles::openForReading(table, path, rulestable::definition());
        problems << table.warnings();
        rules = rulesOfTable(table, path, problems);
    } catch (const std::exception& error) {
        problems << QString::fromUtf8(error.what());
    }
    if (!problems.isEmpty())
        throw GroupRuleError(u"De regels in %1 zijn niet te lezen: %2"_s.arg(
            QDir::toNativeSeparators(path), problems.join(u' ')));
    return rules;
}

void writeRulesFile(const QString& path, const std::vector<GroupRule>& rules)
{
    tablefiles::writeTable(path, rulestable::definition(), [&](dbase::Table& table) {
        int nr = 0;
        for (const GroupRule& rule : rules) {
            table.append();
            table.fieldByName(rulestable::kNr).setAsInteger(++nr);
            table.fieldByName(rulestable::kActief).setAsBoolean(rule.active);
            table.fieldByName(rulestable::kVeld).setAsString(fieldName(rule.field));
            table.fieldByName(rulestable::kSoort).setAsString(kindName(rule.kind));
            table.fieldByName(rulestable::kPatroon).setAsString(rule.pattern);
            table.fieldByName(rulestable::kGroep).setAsString(rule.group);
            table.fieldByName(rulestable::kNotitie).setAsString(rule.note);
            table.post();
        }
    });
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
    const QString problemText =
        u"De regels van de relatiegroepen (%1) zijn niet te lezen: %2 Het programma werkt "
        u"zonder groepen; herstel of verwijder dat bestand om weer regels te kunnen wijzigen."_s;
    QString path;
    try {
        path = rulesPath(folder);
        if (!create && !QFileInfo::exists(path))
            return loaded; // no rules yet
        dbase::Table table;
        table.setDefinition(rulestable::definition());
        table.setDirectory(folder);
        // Reading only: another run of the program may hold the tables meanwhile.
        table.setReadOnly(!create);
        table.open();
        loaded.problems << table.warnings();
        loaded.rules = rulesOfTable(table, path, loaded.problems);
        table.close();
    } catch (const std::exception& error) {
        // The rules only group what is stored; without them the program still works.
        loaded.rules.clear();
        loaded.problems << problemText.arg(path.isEmpty() ? folder : path,
                                           QString::fromUtf8(error.what()));
    }
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
    const QString current = rulesPath(folder);
    if (QFileInfo::exists(current))
        tablefiles::copyFile(current, besides(folder, kPreviousFile));
    writeRulesFile(current, checked);
}

bool canUndoGroupRules(const QString& folder)
{
    return QFileInfo::exists(besides(folder, kPreviousFile));
}

std::vector<GroupRule> previousGroupRules(const QString& folder)
{
    if (!canUndoGroupRules(folder))
        throw GroupRuleError(u"Er is geen vorige stand van de regels om terug te zetten."_s);
    return readRulesFile(besides(folder, kPreviousFile));
}

void undoGroupRules(const QString& folder)
{
    const QString previous = besides(folder, kPreviousFile);
    if (!QFileInfo::exists(previous))
        throw GroupRuleError(u"Er is geen vorige stand van de regels om terug te zetten."_s);
    const QString current = rulesPath(folder);
    const QString keep = besides(folder, kPreviousFile + u".nieuw"_s);
    const bool hadCurrent = QFileInfo::exists(current);
    if (hadCurrent)
        tablefiles::copyFile(current, keep);
    // Killed between the two steps, both files hold the previous rules: nothing is lost that
    // the user asked to keep.
    tablefiles::replaceFile(previous, current);
    if (hadCurrent)
        tablefiles::replaceFile(keep, previous);
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
