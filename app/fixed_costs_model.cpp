#include "app/fixed_costs_model.h"

#include "app/fixed_costs_texts.h"
#include "store/date_format.h"
#include "store/number_format.h"

#include <QColor>
#include <cmath>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace app {

namespace {

// Stopped items stay listed, in grey, so the user sees what ended.
const QColor kStoppedText(0x8C, 0x8C, 0x8C);

QString percentText(double percent)
{
    const double size = std::abs(percent);
    QString number = QString::number(size, 'f', size < 10 ? 1 : 0);
    if (number.endsWith(u".0"_s))
        number.chop(2);
    number.replace(u'.', store::numfmt::kDecimalSeparator);
    return (percent < 0 ? u'-' : u'+') + number + u" %"_s;
}

} // namespace

QString euroText(qint64 cents)
{
    return u"\u20ac "_s + store::numfmt::formatAmount(double(std::llabs(cents)) / 100.0);
}

QString riseText(const recurring::PriceRise& rise)
{
    return u"%1 \u2192 %2 (%3)"_s.arg(euroText(rise.oldCents), euroText(rise.newCents),
                                      percentText(rise.percent));
}

FixedCostsModel::FixedCostsModel(bool income, QObject* parent)
    : QAbstractTableModel(parent),
      m_titles((income ? fixedtexts::kColumnsIncome : fixedtexts::kColumns).split(u'|'))
{
    m_titles << (income ? fixedtexts::kRaiseTitle : fixedtexts::kRiseTitle);
}

void FixedCostsModel::setItems(std::vector<recurring::RecurringItem> items)
{
    beginResetModel();
    m_items = std::move(items);
    endResetModel();
}

int FixedCostsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_items.size());
}

int FixedCostsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QString FixedCostsModel::text(const recurring::RecurringItem& item, int column) const
{
    switch (column) {
    case kRelation:
        return item.relation;
    case kRhythm:
        return recurring::rhythmName(item.rhythm);
    case kAmount:
        return euroText(item.lastCents);
    case kLast:
        return store::datefmt::formatShortDate(item.last);
    case kNext:
        return store::datefmt::formatShortDate(item.next);
    case kStatus:
        return recurring::statusName(item.status);
    case kRise:
        return item.rise ? riseText(*item.rise) : QString();
    default:
        return {};
    }
}

QVariant FixedCostsModel::sortKey(const recurring::RecurringItem& item, int column)
{
    switch (column) {
    case kRhythm:
        return recurring::rhythmMonths(item.rhythm);
    case kAmount:
        return qlonglong(std::llabs(item.lastCents));
    case kLast:
        return item.last;
    case kNext:
        return item.next;
    case kRise:
        return item.rise ? item.rise->percent : -1e9; // items without a rise together
    default:
        return {};
    }
}

QVariant FixedCostsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const recurring::RecurringItem& item = m_items[std::size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return text(item, index.column());
    case kSortRole:
        if (QVariant key = sortKey(item, index.column()); key.isValid())
            return key;
        return text(item, index.column());
    case Qt::ToolTipRole:
        if (index.column() == kRise && item.rise)
            return fixedtexts::kRiseSince.arg(store::datefmt::formatShortDate(item.rise->date));
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() == kAmount)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        if (item.status == recurring::ItemStatus::Stopped)
            return kStoppedText;
        return {};
    default:
        return {};
    }
}

QVariant FixedCostsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < m_titles.size())
        return m_titles[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace app
