#include "relations/group_rules_file.h"

#include "store/dbase/engine_error.h"
#include "store/dbase/table.h"
#include "store/dbase/table_location.h"
#include "store/table_definitions.h"
#include "store/table_names.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>

#include <algorithm>
#include <filesystem>
#include <system_error>

using namespace Qt::StringLiterals;

namespace relations {

using namespace store::names;

namespace {

const QString kPreviousFile = u"relgroep.BAK"_s;
const QString kAppliedFile = u"relgroep.toegepast"_s;

QString rulesPath(const QString& folder)
{
    return dbase::locateTableFile(folder, store::relgroepDefinition().fileName);
}

QString besides(const QString& folder, const QString& name)
{
    return QDir(folder).filePath(name);
}

// Puts `from` in the place of `to` in one step (an existing `to` is replaced).
void replaceFile(const QString& from, const QString& to)
{
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(from.toStdU16String()),
                            std::filesystem::path(to.toStdU16String()), error);
    if (error)
        throw dbase::EngineError(
            u"Cannot replace %1: %2"_s.arg(to, QString::fromLocal8Bit(error.message())));
}

// A copy of `from` under the temporary name `to`, on the disk before it is used.
void copyFile(const QString& from, const QString& to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        throw dbase::EngineError(u"Cannot read %1: %2"_s.arg(from, source.errorString()));
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly) || target.write(source.readAll()) < 0 ||
        !target.commit())
        throw dbase::EngineError(u"Cannot write %1: %2"_s.arg(to, target.errorString()));
}

GroupRule ruleOfRow(dbase::Table& table)
{
    GroupRule rule;
    rule.active = table.fieldByName(kRuleActief).asBoolean();
    rule.field = parseField(table.fieldByName(kRuleVeld).asString());
    rule.kind = parseKind(table.fieldByName(kRuleSoort).asString());
    rule.pattern = table.fieldByName(kRulePatroon).asString();
    rule.group = table.fieldByName(kRuleGroep).asString();
    rule.note = table.fieldByName(kRuleNotitie).asString();
    return checkedRule(rule, false);
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

} // namespace

LoadedRules loadGroupRules(const QString& folder, bool create)
{
    LoadedRules loaded;
    const QString problemText =
        u"De regels van de relatiegroepen (%1) zijn niet te lezen: %2 Het programma werkt "
        u"zonder groepen tot de regels opnieuw zijn opgeslagen."_s;
    QString path;
    try {
        path = rulesPath(folder);
        if (!create && !QFileInfo::exists(path))
            return loaded; // no rules yet
        dbase::Table table;
        table.setDefinition(store::relgroepDefinition());
        table.setDirectory(folder);
        // Reading only: another run of the program may hold the tables meanwhile.
        table.setReadOnly(!create);
        table.open();
        loaded.problems << table.warnings();
        // Rows in the order of their number; a table written by this program has them so.
        std::vector<std::pair<qint64, GroupRule>> numbered;
        int row = 0;
        for (table.first(); !table.eof(); table.next()) {
            ++row;
            try {
                numbered.emplace_back(table.fieldByName(kRuleNr).asInteger(), ruleOfRow(table));
            } catch (const GroupRuleError& error) {
                // One bad row (written by another tool) must not cost the other rules.
                loaded.problems << u"Regel %1 van %2 wordt overgeslagen: %3"_s.arg(row).arg(
                    path, QString::fromUtf8(error.what()));
            }
        }
        table.close();
        std::stable_sort(numbered.begin(), numbered.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (auto& [nr, rule] : numbered)
            loaded.rules.push_back(std::move(rule));
    } catch (const std::exception& error) {
        // The rules only group what is stored; without them the program still works.
        loaded.rules.clear();
        loaded.problems << problemText.arg(path.isEmpty() ? folder : path,
                                           QString::fromUtf8(error.what()));
    }
    return loaded;
}

void saveGroupRules(const QString& folder, const std::vector<GroupRule>& rules)
{
    std::vector<GroupRule> checked;
    for (const GroupRule& rule : rules)
        checked.push_back(checkedRule(rule));

    // The new table is written whole in a folder of its own beside the tables, then takes the
    // place of the old one in one rename.
    QTemporaryDir scratch(besides(folder, u"relgroep-XXXXXX"_s));
    if (!scratch.isValid())
        throw dbase::EngineError(u"Cannot create a temporary folder in %1"_s.arg(folder));
    {
        dbase::Table table;
        table.setDefinition(store::relgroepDefinition());
        table.setDirectory(scratch.path());
        table.open();
        int nr = 0;
        for (const GroupRule& rule : checked) {
            table.append();
            table.fieldByName(kRuleNr).setAsInteger(++nr);
            table.fieldByName(kRuleActief).setAsBoolean(rule.active);
            table.fieldByName(kRuleVeld).setAsString(fieldName(rule.field));
            table.fieldByName(kRuleSoort).setAsString(kindName(rule.kind));
            table.fieldByName(kRulePatroon).setAsString(rule.pattern);
            table.fieldByName(kRuleGroep).setAsString(rule.group);
            table.fieldByName(kRuleNotitie).setAsString(rule.note);
            table.post();
        }
        table.close();
    }
    const QString current = rulesPath(folder);
    if (QFileInfo::exists(current)) {
        const QString previous = scratch.filePath(kPreviousFile);
        copyFile(current, previous);
        replaceFile(previous, besides(folder, kPreviousFile));
    }
    replaceFile(scratch.filePath(store::relgroepDefinition().fileName), current);
}

bool canUndoGroupRules(const QString& folder)
{
    return QFileInfo::exists(besides(folder, kPreviousFile));
}

void undoGroupRules(const QString& folder)
{
    const QString previous = besides(folder, kPreviousFile);
    if (!QFileInfo::exists(previous))
        throw GroupRuleError(u"Er is geen vorige stand van de regels om terug te zetten."_s);
    QTemporaryDir scratch(besides(folder, u"relgroep-XXXXXX"_s));
    if (!scratch.isValid())
        throw dbase::EngineError(u"Cannot create a temporary folder in %1"_s.arg(folder));
    const QString current = rulesPath(folder);
    const QString keep = scratch.filePath(kPreviousFile);
    const bool hadCurrent = QFileInfo::exists(current);
    if (hadCurrent)
        copyFile(current, keep);
    // Killed between the two steps, both files hold the previous rules: nothing is lost that
    // the user asked to keep.
    replaceFile(previous, current);
    if (hadCurrent)
        replaceFile(keep, previous);
}

void markGroupRulesApplied(const QString& folder, const std::vector<GroupRule>& rules)
{
    QSaveFile file(besides(folder, kAppliedFile));
    if (!file.open(QIODevice::WriteOnly) || file.write(fingerprint(rules) + '\n') < 0 ||
        !file.commit())
        throw dbase::EngineError(u"Cannot write %1: %2"_s.arg(file.fileName(), file.errorString()));
}

bool groupRulesApplied(const QString& folder, const std::vector<GroupRule>& rules)
{
    QFile file(besides(folder, kAppliedFile));
    const QByteArray applied =
        file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : fingerprint({});
    return applied == fingerprint(rules);
}

} // namespace relations
