#pragma once

#include <QString>
#include <vector>

namespace views {

// Which colour rule a grid applies to its cells.
enum class GridRule
{
    Sign,  // the transaction grid: Bedrag red below zero, green above, zero unchanged
    Month, // the two grids over bedrijven: jan..dec red, green, zero hidden
};

struct GridColumn
{
    QString field; // logical field name
    QString title;
    int width = 0; // pixels; 0 takes the field's default width
};

struct GridLayout
{
    std::vector<GridColumn> columns;
    GridRule rule;
    bool blackText; // cells drawn in black instead of the system's window-text colour
};

GridLayout transactionGrid(); // RxDBGrid1 over mutaties
GridLayout relationGrid();    // RxDBGrid2 over bedrijven
GridLayout monthTotalGrid();  // RxDBGrid3 over bedrijven
GridLayout
transactionListGrid(); // transactions picked elsewhere (a category, a fixed cost), over mutaties

// Width a column without its own width takes: the field's display width in average characters.
int defaultColumnWidth(int displayChars, int averageCharWidth);

} // namespace views
