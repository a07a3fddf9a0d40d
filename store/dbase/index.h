#pragma once

#include "store/dbase/field_def.h"

#include <QByteArray>
#include <cstdint>
#include <vector>

namespace dbase {

class DbfFile;

// A single-field ascending index: record numbers sorted by key, equal keys in record order.
// Text keys compare as the stored, blank-padded Windows-1252 bytes (plain byte order, case
// included); other keys as numbers (dates by their day number).
class Index
{
public:
    // fieldIndex < 0 gives record order.
    Index(const DbfFile& file, int fieldIndex);

    void rebuild();
    void insert(std::uint32_t recno); // keyed by the record as the file now holds it
    void remove(std::uint32_t recno, const char* oldRow); // keyed by its row before a change
    void clear() { m_order.clear(); }

    const std::vector<std::uint32_t>& order() const { return m_order; }

    // Strict order of two rows: by key, then by record number.
    bool less(std::uint32_t a, std::uint32_t b) const;
    bool lessRows(const char* rowA, std::uint32_t a, const char* rowB, std::uint32_t b) const;
    // -1, 0, 1: how a row's key compares with a search key (from textKey/numberKey).
    int compareKey(const char* row, const QByteArray& textKey, double numberKey) const;
    bool hasTextKey() const { return m_text; }
    int fieldIndex() const { return m_fieldIndex; }
    QByteArray textKey(const QString& value) const; // padded/cut to the field width

private:
    int compareRows(const char* a, const char* b) const;

    const DbfFile& m_file;
    int m_fieldIndex;
    const FieldDef* m_field = nullptr;
    bool m_text = false;
    std::vector<std::uint32_t> m_order;
};

} // namespace dbase
