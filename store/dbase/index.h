#pragma once

#include "store/dbase/field_def.h"

#include <QByteArray>
#include <cstdint>
#include <vector>

namespace dbase {

class DbfFile;

// A single-field ascending index: record numbers sorted by key, equal keys in record order.
// Text keys compare as the stored, blank-padded bytes in the table's code page (plain byte order,
// case included); other keys as numbers (dates by their day number), decoded once per row and kept.
class Index
{
public:
    // fieldIndex < 0 gives record order.
    Index(const DbfFile& file, int fieldIndex);

    void rebuild();
    void insert(std::uint32_t recno); // keyed by the record as the file now holds it
    // insert() in two steps, for callers that announce the position before the row is placed:
    // the place the record will take, then placing it there.
    std::size_t insertionPoint(std::uint32_t recno);
    void insertAt(std::size_t point, std::uint32_t recno);
    // Keyed as it was inserted: `oldRow` is the record's bytes before the file changed it.
    void remove(std::uint32_t recno, const char* oldRow);
    void clear();

    const std::vector<std::uint32_t>& order() const { return m_order; }

    // Strict order of two stored rows: by key, then by record number.
    bool less(std::uint32_t a, std::uint32_t b) const;
    // Whether two versions of a row have the same key.
    bool sameKey(const char* rowA, const char* rowB) const;
    // -1, 0, 1: how a stored row's key compares with a search key.
    int compareKey(std::uint32_t recno, const QByteArray& textKey, double numberKey) const;
    QByteArray textKey(const QString& value) const; // padded/cut to the field width

private:
    int compare(std::uint32_t a, std::uint32_t b) const;
    double decode(const char* row) const;

    const DbfFile& m_file;
    const FieldDef* m_field = nullptr;
    bool m_text = false;
    std::vector<std::uint32_t> m_order;
    std::vector<double> m_keys; // by record number, for number and date keys
};

} // namespace dbase
