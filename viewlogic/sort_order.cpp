#include "viewlogic/sort_order.h"

#include "store/dbase/table.h"

#include <QCollator>
#include <QHash>
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
        // Collation is slow and texts repeat (a relation per transaction): each distinct text is
        // ranked once, and the rows order by their text's rank.
        QHash<QString, int> distinct;
        std::vector<QString> texts;
        std::vector<int> textOf(static_cast<std::size_t>(count));
        for (int r = 0; r < count; ++r) {
            const QString text = table.rowAt(r).asString(field);
            auto it = distinct.constFind(text);
            if (it == distinct.constEnd()) {
                it = distinct.insert(text, int(texts.size()));
                texts.push_back(text);
            }
            textOf[std::size_t(r)] = it.value();
        }
        QCollator collator(QLocale::system());
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        std::vector<int> byText(texts.size());
        std::iota(byText.begin(), byText.end(), 0);
        std::sort(byText.begin(), byText.end(), [&](int a, int b) {
            return collator.compare(texts[std::size_t(a)], texts[std::size_t(b)]) < 0;
        });
        // Texts the collation holds equal ("bakker", "BAKKER") share a rank.
        std::vector<int> rank(texts.size());
        for (std::size_t i = 0, r = 0; i < byText.size(); ++i) {
            if (i > 0 && collator.compare(texts[std::size_t(byText[i - 1])],
                                          texts[std::size_t(byText[i])]) != 0)
                ++r;
            rank[std::size_t(byText[i])] = int(r);
        }
        std::vector<int> keys(static_cast<std::size_t>(count));
        for (std::size_t r = 0; r < keys.size(); ++r)
            keys[r] = rank[std::size_t(textOf[r])];
        return orderBy(keys, descending, std::less<int>());
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
