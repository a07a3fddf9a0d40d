#pragma once

#include "viewlogic/grid_columns.h"

#include <QColor>
#include <QString>

namespace views {

inline const QColor kNegativeColour{0xBB, 0x00, 0x00};
inline const QColor kPositiveColour{0x00, 0x9B, 0x00};
inline const QColor kFixedCellColour{0x15, 0x6A, 0x4F};
inline const QColor kTitleTextColour{0xE9, 0xE9, 0xE9};
inline const QColor kFixedCellLineColour{0x0B, 0x3F, 0x2F}; // between fixed cells

// What a rule does to the text colour of one cell.
enum class CellTone
{
    Unchanged, // the grid's own text colour
    Negative,  // kNegativeColour
    Positive,  // kPositiveColour
    Hidden,    // the window colour, so that the text cannot be seen on the cell background
};

// True when the rule looks at the values of this field at all (names compared exactly, case
// included); the caller reads a cell's value only then.
bool ruleApplies(GridRule rule, const QString& fieldName);

// The tone of a cell from its field name and its value (an empty field counts as 0).
CellTone cellTone(GridRule rule, const QString& fieldName, double value);

// The tone of a value in a column the rule applies to (see ruleApplies), for callers that decided
// that once per column rather than once per cell.
CellTone ruledTone(GridRule rule, double value);

} // namespace views
