#include "relations/removed_relation_years.h"

#include "relations/table_files.h"
#include "store/month_fields.h"
#include "store/table_definitions.h"
#include "store/table_names.h"

#include <QDir>
#include <QFileInfo>

namespace relations {

using namespace store::names;

RelationYearRow RelationYearRow::read(dbase::Table& bedrijven, const dbase::RowView& row)
{
    RelationYearRow r;
    r.jaar = row.asString(bedrijven.fieldIndex(kJaar));
    r.naam = row.asString(bedrijven.fieldIndex(kNaam));
    r.banknr = row.asString(bedrijven.fieldIndex(kBanknr));
    const std::array<int, 12> months = store::monthFieldIndexes(bedrijven);
    for (std::size_t m = 0; m < months.size(); ++m)
        if (!row.isNull(months[m]))
            r.months[m] = row.asFloat(months[m]);
    const int select = bedrijven.fieldIndex(kSelect);
    if (!row.isNull(select))
        r.select = row.asBoolean(select);
    return r;
}

void RelationYearRow::write(dbase::Table& table) const
{
    table.fieldByName(kJaar).setAsString(jaar);
    table.fieldByName(kNaam).setAsString(naam);
    table.fieldByName(kBanknr).setAsString(banknr);
    const std::array<int, 12> fields = store::monthFieldIndexes(table);
    for (std::size_t m = 0; m < fields.size(); ++m) {
        if (months[m])
            table.field(fields[m]).setAsFloat(*months[m]);
        else
            table.field(fields[m]).clear();
    }
    if (select)
        table.fieldByName(kSelect).setAsBoolean(*select);
    else
        table.fieldByName(kSelect).clear();
}

RemovedRelationYears::RemovedRelationYears(const QString& folder)
    : m_path(QDir(folder).filePath(kFileName))
{
    if (!QFileInfo::exists(m_path))
        return;
    dbase::Table table;
    tablefiles::openForReading(table, m_path, store::bedrijvenDefinition());
    for (int r = 0; r < table.storedRowCount(); ++r)
        add(RelationYearRow::read(table, table.storedRowAt(r)));
    m_changed = false;
}

const RelationYearRow* RemovedRelationYears::find(const QString& naam, const QString& jaar,
                                                  int* order) const
{
    const auto it = m_at.find({naam, jaar});
    if (it == m_at.end())
        return nullptr;
    if (order)
        *order = static_cast<int>(it->second);
    return &m_rows[it->second];
}

void RemovedRelationYears::add(RelationYearRow row)
{
    const auto key = std::make_pair(row.naam, row.jaar);
    if (const auto it = m_at.find(key); it != m_at.end()) {
        // The newest removal goes last: drop the older one and renumber what followed it.
        const std::size_t at = it->second;
        m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(at));
        for (auto& [k, index] : m_at)
            if (index > at)
                --index;
        m_at.erase(it);
    }
    m_at[key] = m_rows.size();
    m_rows.push_back(std::move(row));
    m_changed = true;
}

void RemovedRelationYears::save()
{
    if (!m_changed)
        return;
    tablefiles::writeTable(m_path, store::bedrijvenDefinition(), [this](dbase::Table& table) {
        for (const RelationYearRow& row : m_rows) {
            table.append();
            row.write(table);
            table.post();
        }
    });
    m_changed = false;
}

} // namespace relations
