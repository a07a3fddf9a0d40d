#pragma once

#include "store/dbase/row_view.h"
#include "store/dbase/table.h"

#include <QString>
#include <array>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace relations {

// A relation-year row as stored: every field of bedrijven, empty ones empty.
struct RelationYearRow
{
    QString jaar;
    QString naam;
    QString banknr;
    std::array<std::optional<double>, 12> months;
    std::optional<bool> select;

    static RelationYearRow read(dbase::Table& bedrijven, const dbase::RowView& row);
    // Into the pending row of `table` (a table with bedrijven's fields).
    void write(dbase::Table& table) const;
};

// The relation-year rows that rebuilds removed (relgroep-rijen.DBF beside the rules, with
// bedrijven's fields), newest removal of each (naam, jaar) kept: a later rebuild that makes such
// a row again gives it back its select flag and bank number, so that undoing a change of the
// rules, or a rebuild after a kill, restores the table a clean run gives.
class RemovedRelationYears
{
public:
    static inline const QString kFileName = QStringLiteral("relgroep-rijen.DBF");

    // Reads the file of the folder when there is one. Throws the engine's error when it is
    // damaged: a rebuild then stops before it removes anything.
    explicit RemovedRelationYears(const QString& folder);

    // The removed row of (naam, jaar) and its place in the order of removal; nothing when none.
    const RelationYearRow* find(const QString& naam, const QString& jaar,
                                int* order = nullptr) const;
    void add(RelationYearRow row);
    // Writes the rows to the file whole, in the order of removal (one step: a kill leaves the
    // old file or the new one). Does nothing when nothing was added.
    void save();

private:
    QString m_path;
    std::vector<RelationYearRow> m_rows;                     // oldest removal first
    std::map<std::pair<QString, QString>, std::size_t> m_at; // (naam, jaar) -> index in m_rows
    bool m_changed = false;
};

} // namespace relations
