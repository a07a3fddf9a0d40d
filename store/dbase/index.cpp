#include "store/dbase/index.h"

#include "store/dbase/cp1252.h"
#include "store/dbase/dbf_file.h"
#include "store/dbase/field_codec.h"

#include <algorithm>
#include <cstring>

namespace dbase {

Index::Index(const DbfFile& file, int fieldIndex) : m_file(file), m_fieldIndex(fieldIndex)
{
    if (fieldIndex >= 0) {
        m_field = &file.fields()[static_cast<std::size_t>(fieldIndex)];
        m_text = codec::isTextKey(*m_field);
    }
}

int Index::compareRows(const char* a, const char* b) const
{
    if (!m_field)
        return 0;
    if (m_text)
        return std::memcmp(a + m_field->offset, b + m_field->offset,
                           static_cast<std::size_t>(m_field->width));
    const double ka = codec::numericKey(*m_field, a);
    const double kb = codec::numericKey(*m_field, b);
    return ka < kb ? -1 : (kb < ka ? 1 : 0);
}

bool Index::lessRows(const char* rowA, std::uint32_t a, const char* rowB, std::uint32_t b) const
{
    const int c = compareRows(rowA, rowB);
    return c < 0 || (c == 0 && a < b);
}

bool Index::less(std::uint32_t a, std::uint32_t b) const
{
    return lessRows(m_file.record(a), a, m_file.record(b), b);
}

void Index::rebuild()
{
    m_order.clear();
    m_order.reserve(m_file.recordCount());
    for (std::uint32_t r = 0; r < m_file.recordCount(); ++r)
        if (!m_file.isDeleted(r))
            m_order.push_back(r);
    if (!m_field)
        return;
    if (m_text) {
        std::stable_sort(m_order.begin(), m_order.end(), [this](std::uint32_t a, std::uint32_t b) {
            return compareRows(m_file.record(a), m_file.record(b)) < 0;
        });
        return;
    }
    // Decode each key once, not once per comparison.
    std::vector<std::pair<double, std::uint32_t>> keyed;
    keyed.reserve(m_order.size());
    for (std::uint32_t r : m_order)
        keyed.emplace_back(codec::numericKey(*m_field, m_file.record(r)), r);
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < keyed.size(); ++i)
        m_order[i] = keyed[i].second;
}

void Index::insert(std::uint32_t recno)
{
    const char* row = m_file.record(recno);
    const auto pos = std::upper_bound(
        m_order.begin(), m_order.end(), recno, [&](std::uint32_t value, std::uint32_t element) {
            return lessRows(row, value, m_file.record(element), element);
        });
    m_order.insert(pos, recno);
}

void Index::remove(std::uint32_t recno, const char* oldRow)
{
    const auto pos = std::lower_bound(
        m_order.begin(), m_order.end(), recno, [&](std::uint32_t element, std::uint32_t value) {
            return lessRows(m_file.record(element), element, oldRow, value);
        });
    if (pos != m_order.end() && *pos == recno) {
        m_order.erase(pos);
        return;
    }
    // The key was not where the old row puts it; fall back to a search.
    const auto it = std::find(m_order.begin(), m_order.end(), recno);
    if (it != m_order.end())
        m_order.erase(it);
}

QByteArray Index::textKey(const QString& value) const
{
    QByteArray key = cp1252::encode(value).left(m_field ? m_field->width : 0);
    if (m_field)
        key.append(QByteArray(m_field->width - key.size(), ' '));
    return key;
}

int Index::compareKey(const char* row, const QByteArray& textKey, double numberKey) const
{
    if (!m_field)
        return 0;
    if (m_text)
        return std::memcmp(row + m_field->offset, textKey.constData(),
                           static_cast<std::size_t>(m_field->width));
    const double k = codec::numericKey(*m_field, row);
    return k < numberKey ? -1 : (numberKey < k ? 1 : 0);
}

} // namespace dbase
