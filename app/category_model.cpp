#include "app/category_model.h"

#include "app/categories_texts.h"
#include "store/number_format.h"
#include "store/table_names.h"

#include <QColor>
#include <cmath>

namespace app {

namespace texts = categoriestexts;

namespace {

QString euros(qint64 cents)
{
    return store::numfmt::formatAmount(double(cents) / 100.0);
}

// "12,5 %" with the program's decimal comma.
QString percent(double fraction)
{
    // Rounded first, so that a change of less than 0,05 % reads "0,0 %", never "-0,0 %".
    const double tenths = std::round(fraction * 1000.0) / 10.0;
    const QString number = QString::number(tenths == 0.0 ? 0.0 : tenths, 'f', 1);
    return QString(number).replace(u'.', store::numfmt::kDecimalSeparator) + QStringLiteral(" %");
}

} // namespace

void CategoryModel::setOverview(categories::CategoryOverview overview)
{
    beginResetModel();
    m_overview = std::move(overview);
    endResetModel();
}

int CategoryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_overview.rows.size());
}

int CategoryModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QString CategoryModel::text(int row, int column) const
{
    const categories::CategoryRow& r = m_overview.rows[std::size_t(row)];
    if (column == kCategory)
        return r.category;
    if (column < kYear)
        return euros(r.months[std::size_t(column - kFirstMonth)]);
    switch (column) {
    case kYear:
        return euros(r.year);
    case kShare:
        return r.leftOut ? QString() : percent(r.share);
    case kChange:
        return r.previous ? euros(r.year - *r.previous) : QString();
    case kChangePercent:
        // No percentage of a year before without a total.
        return r.previous && *r.previous != 0
                   ? percent(double(r.year - *r.previous) / std::abs(double(*r.previous)))
                   : QString();
    default:
        return QString();
    }
}

QVariant CategoryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const categories::CategoryRow& r = m_overview.rows[std::size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return index.column() == kCategory ? QVariant(int(Qt::AlignLeft | Qt::AlignVCenter))
                                           : QVariant(int(Qt::AlignRight | Qt::AlignVCenter));
    case Qt::ForegroundRole:
        if (r.leftOut)
            return QColor(0x90, 0x90, 0x90);
        return {};
    case Qt::ToolTipRole:
        return r.leftOut ? texts::kLeftOutTip : QVariant();
    default:
        return {};
    }
}

QVariant CategoryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == kCategory)
        return texts::kColumnCategory;
    if (section < kYear)
        return store::names::kMonths[std::size_t(section - kFirstMonth)];
    switch (section) {
    case kYear:
        return texts::kColumnYear;
    case kShare:
        return texts::kColumnShare;
    case kChange:
        return texts::kColumnChange.arg(m_overview.year - 1);
    case kChangePercent:
        return texts::kColumnChangePercent;
    default:
        return {};
    }
}

} // namespace app
