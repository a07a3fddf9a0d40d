#include "viewlogic/grid_columns.h"

#include "store/table_names.h"
#include "viewlogic/texts.h"

#include <array>

namespace views {

namespace n = store::names;

GridLayout transactionGrid()
{
    return {{{n::kDatum, n::kDatum, 0},
             {n::kSoort, texts::kTitleSoort, 28},
             {n::kBedrag, n::kBedrag, 68},
             {n::kNaam, texts::kTitleRelatie, 185},
             {n::kReknum, texts::kTitleReknum, 79},
             {n::kOmschrijving, n::kOmschrijving, 850}},
            GridRule::Sign,
            false};
}

namespace {

std::vector<GridColumn> monthColumns(const std::array<int, 12>& widths)
{
    std::vector<GridColumn> columns;
    for (std::size_t m = 0; m < n::kMonths.size(); ++m)
        columns.push_back({n::kMonths[m], n::kMonths[m], widths[m]});
    return columns;
}

} // namespace

GridLayout relationGrid()
{
    std::vector<GridColumn> columns{
        {n::kSelect, texts::kTitleSelect, 0}, {n::kJaar, n::kJaar, 29}, {n::kNaam, n::kNaam, 180}};
    for (auto& c : monthColumns({59, 58, 56, 58, 59, 58, 59, 62, 62, 62, 62, 62}))
        columns.push_back(c);
    return {columns, GridRule::Month, false};
}

GridLayout monthTotalGrid()
{
    std::vector<GridColumn> columns{{n::kJaar, n::kJaar, 29}, {n::kNaam, n::kNaam, 191}};
    for (auto& c : monthColumns({66, 61, 61, 58, 59, 58, 59, 62, 62, 62, 62, 62}))
        columns.push_back(c);
    return {columns, GridRule::Month, true};
}

GridLayout transactionListGrid()
{
    return {{{n::kDatum, n::kDatum, 80},
             {n::kNaam, texts::kTitleRelatie, 220},
             {n::kOmschrijving, n::kOmschrijving, 420},
             {n::kBedrag, n::kBedrag, 90}},
            GridRule::Sign,
            false};
}

int defaultColumnWidth(int displayChars, int averageCharWidth)
{
    // Room for the characters plus the cell's margins, as the grid draws them.
    return displayChars * averageCharWidth + 4;
}

} // namespace views
