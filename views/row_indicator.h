#pragma once

#include <QHeaderView>

namespace views {

// The grid's row indicator column: a dark green cell beside every row, with a triangle beside
// the current one. Below the last row it shows the grid's background, so an empty grid has no
// indicator bar.
class RowIndicator : public QHeaderView
{
    Q_OBJECT
public:
    explicit RowIndicator(QWidget* parent = nullptr);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
};

} // namespace views
