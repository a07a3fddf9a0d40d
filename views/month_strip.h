#pragma once

#include <QPointer>
#include <QStringList>
#include <QTableView>
#include <QWidget>

class QLabel;
class QTableWidget;

namespace views {

// The strip of month sums over a grid: a caption, a narrow spacer cell and one cell per month,
// each cell exactly as wide as its month column and standing right above it. The strip follows
// the grid's columns as they are resized or scrolled sideways; what lies beyond the grid's
// visible columns is cut off. The cells take no focus and no input and start empty.
//
// The strip widget itself spans the grid's visible columns horizontally; its owner places it
// vertically (move() with any x: follow() keeps the y and sets the x).
class MonthStrip : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kSpacerWidth = 2;
    static constexpr int kRowHeight = 16;
    static constexpr int kMonths = 12;

    // `firstMonth` is the grid's column of January; the eleven columns after it hold the other
    // months. `parent` must share a window with the grid.
    MonthStrip(QTableView* grid, int firstMonth, const QString& caption, QWidget* parent);

    QTableWidget* cells() const { return m_cells; } // one row: the spacer, then jan..dec
    QLabel* caption() const { return m_caption; }

    // Requires 13 texts: the spacer's, then one per month.
    void setTexts(const QStringList& texts);

    // Lines the cells up with the grid's month columns again.
    void follow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QTableView> m_grid;
    int m_firstMonth;
    QTableWidget* m_cells;
    QLabel* m_caption;
};

} // namespace views
