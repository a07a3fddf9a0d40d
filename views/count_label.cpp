#include "views/count_label.h"

#include "store/amount_totals.h"
#include "store/dbase/table.h"
#include "store/number_format.h"
#include "views/cell_rules.h"

#include <QLabel>
#include <cmath>

namespace views {

namespace {

void showAmount(QLabel* label, double amount)
{
    label->setText(store::numfmt::formatAmount(amount));
    QColor colour;
    // A sum a rounding error away from zero shows "0,00", and in the colour of zero.
    switch (ruledTone(GridRule::Sign, std::round(amount * 100) / 100)) {
    case CellTone::Negative:
        colour = kNegativeColour;
        break;
    case CellTone::Positive:
        colour = kPositiveColour;
        break;
    default:
        colour = label->parentWidget()->palette().color(QPalette::WindowText);
    }
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}

} // namespace

void showRecordCount(QLabel* label, const dbase::Table& table)
{
    label->setText(QString::number(table.recordCount()));
}

void showAmountTotals(const AmountLabels& labels, const store::AmountTotals& totals)
{
    showAmount(labels.in, totals.in);
    showAmount(labels.out, totals.out);
    showAmount(labels.balance, totals.balance);
}

} // namespace views
