#include "views/table_model.h"

#include "store/number_format.h"
#include "store/table_names.h"
#include "viewlogic/sort_order.h"

#include <QGuiApplication>
#include <QPalette>

namespace views {

TableModel::TableModel(dbase::Table& table, GridLayout layout, QObject* parent)
    : QAbstractTableModel(parent), m_table(table), m_layout(std::move(layout))
{
    m_columns.resize(m_layout.columns.size());
    for (std::size_t c = 0; c < m_layout.columns.size(); ++c) {
        m_columns[c].ruled = ruleApplies(m_layout.rule, m_layout.columns[c].field);
        if (m_layout.columns[c].field.compare(store::names::kSoort, Qt::CaseInsensitive) == 0)
            m_kindColumn = int(c);
    }
    m_table.addObserver(this);
    bindColumns();
}

TableModel::~TableModel()
{
    m_table.removeObserver(this);
}

void TableModel::bindColumns()
{
    const bool open = m_table.isOpen();
    m_dates = store::datefmt::DateFormatter(
        store::datefmt::shortDateFormat()); // asking the system locale per cell is slow
    m_rows = open ? m_table.recordCount() : 0;
    for (std::size_t c = 0; c < m_columns.size(); ++c) {
        Column& column = m_columns[c];
        column.field = open ? m_table.fieldIndex(m_layout.columns[c].field) : -1;
        if (column.field < 0)
            continue;
        column.display = displayOf(m_table.fieldDef(column.field).dataType());
    }
}

void TableModel::resync()
{
    beginResetModel();
    bindColumns();
    buildOrder();
    endResetModel();
    emit currentRowChanged(m_table.isOpen() ? m_table.position() : -1);
}

int TableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int TableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QString TableModel::cellText(const dbase::RowView& row, const Column& column) const
{
    return gridText(row, column.field, column.display, m_dates);
}

void TableModel::sortBy(int column, std::optional<Qt::SortOrder> order)
{
    if (column < 0 || column >= columnCount())
        order.reset();
    beginResetModel();
    m_sortColumn = order ? column : -1;
    m_sortOrder = order.value_or(Qt::AscendingOrder);
    buildOrder();
    endResetModel();
    emit currentRowChanged(m_table.isOpen() ? m_table.position() : -1);
}

void TableModel::buildOrder()
{
    m_order.clear();
    m_rowOf.clear();
    if (m_sortColumn < 0 || m_rows == 0)
        return;
    const Column& column = m_columns[std::size_t(m_sortColumn)];
    if (column.field < 0)
        return;
    m_order =
        sortedPositions(m_table, column.field, column.display, m_sortOrder == Qt::DescendingOrder);
    m_rowOf.resize(m_order.size());
    for (std::size_t r = 0; r < m_order.size(); ++r)
        m_rowOf[std::size_t(m_order[r])] = int(r);
}

QColor TableModel::foreground(const dbase::RowView& row, const Column& column) const
{
    if (!column.ruled)
        return {};
    switch (ruledTone(m_layout.rule, row.asFloat(column.field))) {
    case CellTone::Negative:
        return kNegativeColour;
    case CellTone::Positive:
        return kPositiveColour;
    case CellTone::Hidden:
        return QGuiApplication::palette().color(QPalette::Base);
    case CellTone::Unchanged:
        break;
    }
    return {};
}

TableModel::CellView TableModel::cellView(int row, int column) const
{
    CellView cell;
    const Column& c = m_columns[std::size_t(column)];
    if (m_resetting || c.field < 0 || row >= m_rows)
        return cell;
    const dbase::RowView view = m_table.rowAt(tablePosition(row));
    cell.text = cellText(view, c);
    cell.rightAligned = isRightAligned(c);
    cell.foreground = foreground(view, c);
    if (column == m_kindColumn)
        cell.kind = int(view.asInteger(c.field));
    return cell;
}

QVariant TableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows || m_resetting)
        return {};
    const Column& column = m_columns[std::size_t(index.column())];
    if (column.field < 0)
        return {};
    const int position = tablePosition(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return cellText(m_table.rowAt(position), column);
    case Qt::TextAlignmentRole:
        if (isRightAligned(column))
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ForegroundRole: {
        const QColor colour = foreground(m_table.rowAt(position), column);
        return colour.isValid() ? QVariant(colour) : QVariant();
    }
    case KindRole:
        if (index.column() != m_kindColumn)
            return {};
        return int(m_table.rowAt(position).asInteger(column.field));
    default:
        return {};
    }
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return QString(); // the row indicator carries no number
    if (section < 0 || section >= int(m_layout.columns.size()))
        return {};
    return m_layout.columns[std::size_t(section)].title;
}

Qt::ItemFlags TableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void TableModel::aboutToReset()
{
    beginResetModel();
    m_resetting = true;
}

void TableModel::reset()
{
    m_resetting = false;
    bindColumns();
    buildOrder();
    endResetModel();
    emit currentRowChanged(m_table.isOpen() ? m_table.position() : -1);
}

void TableModel::aboutToInsert(int position)
{
    // Sorted, the new row's place follows from its values: order the rows anew.
    if (m_sortColumn >= 0)
        aboutToReset();
    else
        beginInsertRows({}, position, position);
}

void TableModel::inserted(int /*position*/)
{
    if (m_sortColumn >= 0) {
        reset();
        return;
    }
    m_rows = m_table.isOpen() ? m_table.recordCount() : 0;
    endInsertRows();
}

void TableModel::rowChanged(int position)
{
    if (position < 0 || position >= m_rows)
        return;
    const int row = modelRow(position);
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void TableModel::currentChanged(int position)
{
    emit currentRowChanged(position);
}

} // namespace views
