#include "store/dbase/index.h"

#include "store/dbase/code_page.h"
#include "store/dbase/dbf_file.h"
#include "store/dbase/field_codec.h"

#include <algorithm>
#include <cstring>

namespace dbase {

Index::Index(const DbfFile& file, int fieldIndex) : m_file(file)
{
    if (fieldIndex >= 0) {
        m_field = &file.fields()[static_cast<std::size_t>(fieldIndex)];
        m_text = codec::isTextKey(*m_field);
    }
}

double Index::decode(const char* row) const
{
    return codec::numericKey(*m_field, row);
}

int Index::compare(std::uint32_t a, std::uint32_t b) const
{
    if (!m_field)
        return 0;
    if (m_text)
        return std::memcmp(m_file.record(a) + m_field->offset, m_file.record(b) + m_field->offset,
                           static_cast<std::size_t>(m_field->width));
    const double ka = m_keys[a], kb = m_keys[b];
    return ka < kb ? -1 : (kb < ka ? 1 : 0);
}

bool Index::less(std::uint32_t a, std::uint32_t b) const
{
    const int c = compare(a, b);
    return c < 0 || (c == 0 && a < b);
}

bool Index::sameKey(const char* rowA, const char* rowB) const
{
    if (!m_field)
        return true;
    if (m_text)
        return std::memcmp(rowA + m_field->offset, rowB + m_field->offset,
                           static_cast<std::size_t>(m_field->width)) == 0;
    return decode(rowA) == decode(rowB);
}

void Index::clear()
{
    m_order.clear();
    m_keys.clear();
}

void Index::rebuild()
{
    clear();
    const std::uint32_t count = m_file.recordCount();
    m_order.reserve(count);
    for (std::uint32_t r = 0; r < count; ++r)
        if (!m_file.isDeleted(r))
            m_order.push_back(r);
    if (!m_field)
        return;
    if (!m_text) {
        m_keys.resize(count);
        for (std::uint32_t r = 0; r < count; ++r)
            m_keys[r] = decode(m_file.record(r));
    }
    // Record numbers go in ascending, so a stable sort by key keeps equal keys in record order.
    std::stable_sort(m_order.begin(), m_order.end(),
                     [this](std::uint32_t a, std::uint32_t b) { return compare(a, b) < 0; });
}

std::size_t Index::insertionPoint(std::uint32_t recno)
{
    if (m_field && !m_text) {
        if (m_keys.size() <= recno)
            m_keys.resize(recno + 1);
        m_keys[recno] = decode(m_file.record(recno));
    }
    // Rows mostly come in key order (an import of a file sorted by date): a row that sorts
    // after the last one goes to the end without a search.
    if (m_order.empty() || !less(recno, m_order.back()))
        return m_order.size();
    const auto pos =
        std::upper_bound(m_order.begin(), m_order.end(), recno,
                         [this](std::uint32_t v, std::uint32_t e) { return less(v, e); });
    return static_cast<std::size_t>(pos - m_order.begin());
}

void Index::insertAt(std::size_t point, std::uint32_t recno)
{
    m_order.insert(m_order.begin() + static_cast<std::ptrdiff_t>(point), recno);
}

void Index::insert(std::uint32_t recno)
{
    insertAt(insertionPoint(recno), recno);
}

void Index::remove(std::uint32_t recno, const char* oldRow)
{
    // Every other record still holds its indexed bytes, so a search with the old key finds the
    // place; number and date keys are still cached under the old value.
    const auto before = [&](std::uint32_t element) {
        if (!m_field)
            return element < recno;
        int c;
        if (m_text)
            c = std::memcmp(m_file.record(element) + m_field->offset, oldRow + m_field->offset,
                            static_cast<std::size_t>(m_field->width));
        else
            c = m_keys[element] < m_keys[recno] ? -1 : (m_keys[recno] < m_keys[element] ? 1 : 0);
        return c < 0 || (c == 0 && element < recno);
    };
    const auto pos = std::partition_point(m_order.begin(), m_order.end(), before);
    if (pos != m_order.end() && *pos == recno) {
        m_order.erase(pos);
        return;
    }
    m_order.erase(std::find(m_order.begin(), m_order.end(), recno));
}

QByteArray Index::textKey(const QString& value) const
{
    if (!m_field || !m_text)
        return {};
    QByteArray key = codepage::encode(m_field->codePage, value).left(m_field->width);
    key.append(QByteArray(m_field->width - key.size(), ' '));
    return key;
}

int Index::compareKey(std::uint32_t recno, const QByteArray& textKey, double numberKey) const
{
    if (!m_field)
        return 0;
    if (m_text)
        return std::memcmp(m_file.record(recno) + m_field->offset, textKey.constData(),
                           static_cast<std::size_t>(m_field->width));
    const double k = m_keys[recno];
    return k < numberKey ? -1 : (numberKey < k ? 1 : 0);
}

} // namespace dbase
