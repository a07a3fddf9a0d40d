#include "relations/rules_table_file.h"

#include "relations/group_rule.h"
#include "relations/group_rules_table.h"
#include "relations/table_files.h"
#include "store/dbase/table_location.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace relations::rulesfile {

namespace {

std::vector<std::size_t> readRows(dbase::Table& table, const QString& path, const TableKind& kind,
                                  QStringList& problems, const RowReader& read)
{
    std::vector<std::pair<qint64, std::size_t>> numbered;
    std::size_t done = 0;
    int row = 0;
    for (table.first(); !table.eof(); table.next()) {
        ++row;
        try {
            const qint64 nr = table.fieldByName(kind.nrField).asInteger();
            read(table);
            numbered.emplace_back(nr, done++);
        } catch (const GroupRuleError& error) {
            // One bad row (written by another tool) must not cost the other rules.
            problems << u"Regel %1 van %2 wordt overgeslagen: %3"_s.arg(row).arg(
                path, QString::fromUtf8(error.what()));
        }
    }
    std::stable_sort(numbered.begin(), numbered.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::size_t> order;
    order.reserve(numbered.size());
    for (const auto& entry : numbered)
        order.push_back(entry.second);
    return order;
}

const QString kNoPrevious = u"Er is geen vorige stand van de regels om terug te zetten."_s;

} // namespace

dbase::TableDefinition rulesTableDefinition(const QString& fileName, const QString& target,
                                            int targetWidth)
{
    using dbase::FieldDef;
    namespace t = rulestable;
    dbase::TableDefinition d;
    d.fileName = fileName;
    d.fields = {FieldDef{t::kNr, 'N', 4, 0, 0},
                FieldDef{t::kActief, 'L', 1, 0, 0},
                FieldDef{t::kVeld, 'C', 12, 0, 0},
                FieldDef{t::kSoort, 'C', 10, 0, 0},
                FieldDef{t::kPatroon, 'C', kPatternMax, 0, 0},
                FieldDef{target, 'C', targetWidth, 0, 0},
                FieldDef{t::kNotitie, 'C', kNoteMax, 0, 0}};
    for (const FieldDef& field : d.fields)
        d.required.push_back({field.name, field.dataType()});
    return d;
}

QString tablePath(const QString& folder, const TableKind& kind)
{
    return dbase::locateTableFile(folder, kind.definition->fileName);
}

QString previousPath(const QString& folder, const TableKind& kind)
{
    return QDir(folder).filePath(kind.previousFile);
}

std::vector<std::size_t> loadRows(const QString& folder, bool create, const TableKind& kind,
                                  QStringList& problems, const RowReader& read)
{
    QString path;
    try {
        path = tablePath(folder, kind);
        if (!create && !QFileInfo::exists(path))
            return {}; // no rules yet
        dbase::Table table;
        table.setDefinition(*kind.definition);
        table.setDirectory(folder);
        // Reading only: another run of the program may hold the tables meanwhile.
        table.setReadOnly(!create);
        table.open();
        problems << table.warnings();
        std::vector<std::size_t> order = readRows(table, path, kind, problems, read);
        table.close();
        return order;
    } catch (const std::exception& error) {
        // The rules only add to what is stored; without them the program still works.
        problems << kind.unreadableText.arg(path.isEmpty() ? folder : path,
                                            QString::fromUtf8(error.what()));
        return {};
    }
}

std::vector<std::size_t> readWholeFile(const QString& path, const TableKind& kind,
                                       const RowReader& read)
{
    QStringList problems;
    std::vector<std::size_t> order;
    try {
        dbase::Table table;
        tablefiles::openForReading(table, path, *kind.definition);
        problems << table.warnings();
        order = readRows(table, path, kind, problems, read);
    } catch (const std::exception& error) {
        problems << QString::fromUtf8(error.what());
    }
    if (!problems.isEmpty())
        throw GroupRuleError(u"De regels in %1 zijn niet te lezen: %2"_s.arg(
            QDir::toNativeSeparators(path), problems.join(u' ')));
    return order;
}

void writeFile(const QString& path, const TableKind& kind, std::size_t count,
               const RowWriter& write)
{
    tablefiles::writeTable(path, *kind.definition, [&](dbase::Table& table) {
        for (std::size_t index = 0; index < count; ++index) {
            table.append();
            table.fieldByName(kind.nrField).setAsInteger(static_cast<qint64>(index) + 1);
            write(table, index);
            table.post();
        }
    });
}

void save(const QString& folder, const TableKind& kind, std::size_t count, const RowWriter& write)
{
    const QString current = tablePath(folder, kind);
    if (QFileInfo::exists(current))
        tablefiles::copyFile(current, previousPath(folder, kind));
    writeFile(current, kind, count, write);
}

bool canUndo(const QString& folder, const TableKind& kind)
{
    return QFileInfo::exists(previousPath(folder, kind));
}

void requirePrevious(const QString& folder, const TableKind& kind)
{
    if (!canUndo(folder, kind))
        throw GroupRuleError(kNoPrevious);
}

void undo(const QString& folder, const TableKind& kind)
{
    requirePrevious(folder, kind);
    const QString previous = previousPath(folder, kind);
    const QString current = tablePath(folder, kind);
    const QString keep = previous + u".nieuw"_s;
    const bool hadCurrent = QFileInfo::exists(current);
    if (hadCurrent)
        tablefiles::copyFile(current, keep);
    // Killed between the two steps, both files hold the previous rules: nothing is lost that
    // the user asked to keep.
    tablefiles::replaceFile(previous, current);
    if (hadCurrent)
        tablefiles::replaceFile(keep, previous);
}

} // namespace relations::rulesfile
