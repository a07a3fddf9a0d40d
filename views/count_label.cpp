#include "views/count_label.h"

#include "monthly/amount_totals.h"
#include "store/dbase/table.h"
#include "store/number_format.h"
#include "views/cell_rules.h"

#include <QLabel>

namespace views {

namespace {

void showAmount(QLabel* label, double amount)
{
    label->setText(store::numfmt::formatAmount(amount));
    QColor colour;
    switch (ruledTone(GridRule::Sign, amount)) {
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

void showAmountTotals(const AmountLabels& labels, const monthly::AmountTotals& totals)
{
    showAmount(labels.in, monthly::euros(totals.inCents));
    showAmount(labels.out, monthly::euros(totals.outCents));
    showAmount(labels.balance, monthly::euros(totals.balanceCents));
}

} // namespace views
