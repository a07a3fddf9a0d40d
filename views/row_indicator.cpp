#include "views/row_indicator.h"

#include "views/cell_rules.h"

#include <QItemSelectionModel>
#include <QPainter>
#include <QPolygon>

namespace views {

RowIndicator::RowIndicator(QWidget* parent) : QHeaderView(Qt::Vertical, parent)
{
    viewport()->setBackgroundRole(QPalette::Base);
}

void RowIndicator::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    painter->fillRect(rect, kFixedCellColour);
    painter->fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), kFixedCellLineColour);
    painter->fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), kFixedCellLineColour);
    const QItemSelectionModel* selection = selectionModel();
    if (!selection || selection->currentIndex().row() != logicalIndex)
        return;
    // Pointing at the row, centred in the cell left of its edge line.
    const int half = std::min((rect.height() - 4) / 2, 4);
    const int middle = rect.top() + (rect.height() - 1) / 2;
    const int left = rect.left() + std::max(1, (rect.width() - 1 - half) / 2);
    const QPolygon triangle{QPoint(left, middle - half), QPoint(left + half, middle),
                            QPoint(left, middle + half)};
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(kTitleTextColour);
    painter->setBrush(kTitleTextColour);
    painter->drawPolygon(triangle);
    painter->restore();
}

} // namespace views
