#pragma once

#include "recurring/recurring_item.h"

#include <QAbstractTableModel>
#include <vector>

namespace app {

// "€ 1.234,56" for the size of a signed amount in cents: the block says which way it goes.
QString euroText(qint64 cents);
// "€ 12,99 → € 14,99 (+15 %)"; below 10 % with a decimal that is not 0 ("+2,5 %", "+9 %").
QString riseText(const recurring::PriceRise& rise);

// The fixed items of one block of the page "Vaste lasten" (costs or income), one row each.
class FixedCostsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        kRelation,
        kRhythm,
        kAmount, // of the latest payment
        kLast,
        kNext,
        kStatus,
        kRise,
        kColumnCount,
    };

    // What a title click sorts by: texts, the size of amounts, dates, the rise in %.
    static constexpr int kSortRole = Qt::UserRole;

    explicit FixedCostsModel(bool income, QObject* parent = nullptr);

    void setItems(std::vector<recurring::RecurringItem> items);
    const recurring::RecurringItem& item(int row) const { return m_items[std::size_t(row)]; }
    const std::vector<recurring::RecurringItem>& items() const { return m_items; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString text(const recurring::RecurringItem& item, int column) const;
    static QVariant sortKey(const recurring::RecurringItem& item, int column);

    QStringList m_titles;
    std::vector<recurring::RecurringItem> m_items;
};

} // namespace app
