#include "views/sort_order.h"

#include "store/dbase/table.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <limits>
#include <numeric>

namespace views {

namespace {

template <typename Key, typename Less>
std::vector<int> orderBy(const std::vector<Key>& keys, bool descending, Less less)
{
    std::vector<int> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    // Stable both ways: equal keys keep the table's order, whichever way the column is sorted.
    if (descending)
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return less(keys[std::size_t(b)], keys[std::size_t(a)]);
        });
    else
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return less(keys[std::size_t(a)], keys[std::size_t(b)]);
        });
    return order;
}

} // namespace

std::vector<int> sortedPositions(const dbase::Table& table, int field, Display display,
                                 bool descending)
{
    const int count = table.recordCount();
    if (display == Display::Text) {
        std::vector<QString> keys(static_cast<std::size_t>(count));
        for (int r = 0; r < count; ++r)
            keys[std::size_t(r)] = table.rowAt(r).asString(field);
        QCollator collator(QLocale::system());
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        return orderBy(keys, descending, [&](const QString& a, const QString& b) {
            return collator.compare(a, b) < 0;
        });
    }
    // Every other kind orders by one number; an empty field below every value.
    constexpr double kEmpty = -std::numeric_limits<double>::infinity();
    std::vector<double> keys(static_cast<std::size_t>(count));
    for (int r = 0; r < count; ++r) {
        const dbase::RowView row = table.rowAt(r);
        double key = kEmpty;
        if (display == Display::Flag)
            key = row.asBoolean(field) ? 1 : 0; // an empty flag shows as a cleared one
        else if (!row.isNull(field)) {
            switch (display) {
            case Display::Date:
                key = double(row.asDate(field).toJulianDay());
                break;
            case Display::Integer:
                key = double(row.asInteger(field));
                break;
            default:
                key = row.asFloat(field);
            }
        }
        keys[std::size_t(r)] = key;
    }
    return orderBy(keys, descending, std::less<double>());
}

} // namespace views
