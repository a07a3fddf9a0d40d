#pragma once

#include "categories/category_index.h"

#include <QAbstractTableModel>

namespace app {

// The grid of the categories page: per category its twelve month sums, the year total, its
// share of the year's expenses and the change against the year before (in euros and percent).
// Reads only the overview it is given; "Eigen rekening" shows grey while it is left out.
class CategoryModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        kCategory,
        kFirstMonth,
        kYear = kFirstMonth + 12,
        kShare,
        kChange,
        kChangePercent,
        kColumnCount,
    };

    using QAbstractTableModel::QAbstractTableModel;

    void setOverview(categories::CategoryOverview overview);
    const categories::CategoryOverview& overview() const { return m_overview; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The cell's text as the grid shows it.
    QString text(int row, int column) const;

private:
    categories::CategoryOverview m_overview;
};

} // namespace app
