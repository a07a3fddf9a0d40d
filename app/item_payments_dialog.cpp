#include "app/item_payments_dialog.h"

#include "app/dialogs.h"
#include "app/fixed_costs_texts.h"
#include "store/date_format.h"
#include "viewlogic/cell_text.h"
#include "viewlogic/grid_columns.h"
#include "viewlogic/row_export.h"
#include "viewlogic/texts.h"
#include "views/cell_rules.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace app {

ItemPaymentsDialog::ItemPaymentsDialog(const dbase::Table& mutaties,
                                       const recurring::RecurringItem& item, Dialogs& dialogs,
                                       guard::Guard guard, QWidget* parent)
    : QDialog(parent), m_mutaties(mutaties), m_dialogs(dialogs), m_guard(std::move(guard)),
      m_table(new QTableWidget(this))
{
    setWindowTitle(fixedtexts::kPaymentsCaption.arg(item.relation));
    for (const recurring::Payment& payment : item.payments)
        m_records.push_back(payment.record);

    auto* summary = new QLabel(fixedtexts::kPaymentsSummary
                                   .arg(item.relation, recurring::rhythmName(item.rhythm),
                                        recurring::statusName(item.status))
                                   .arg(item.payments.size()),
                               this);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->setWordWrap(false);
    fill();
    m_table->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch); // description
    m_table->scrollToBottom(); // the latest payments are the ones asked about

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* exportButton =
        buttons->addButton(views::texts::kExport, QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(fixedtexts::kClose, QDialogButtonBox::RejectRole);
    close->setDefault(true);
    connect(exportButton, &QPushButton::clicked, this, &ItemPaymentsDialog::exportRows);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(m_table, 1);
    layout->addWidget(buttons);

    int width = 0;
    for (int c = 0; c < m_table->columnCount(); ++c)
        width += m_table->columnWidth(c);
    resize(width + 60, 460);
}

void ItemPaymentsDialog::fill()
{
    const views::GridLayout layout = views::paymentsGrid();
    const store::datefmt::DateFormatter dates(store::datefmt::shortDateFormat());
    m_table->setColumnCount(int(layout.columns.size()));
    m_table->setRowCount(int(m_records.size()));
    for (std::size_t c = 0; c < layout.columns.size(); ++c) {
        const views::GridColumn& column = layout.columns[c];
        const int field = m_mutaties.fieldIndex(column.field);
        const views::Display display = views::displayOf(m_mutaties.fieldDef(field).dataType());
        const bool toned = views::ruleApplies(layout.rule, column.field);
        m_table->setHorizontalHeaderItem(int(c), new QTableWidgetItem(column.title));
        m_table->setColumnWidth(int(c), column.width);
        for (std::size_t r = 0; r < m_records.size(); ++r) {
            const dbase::RowView row = m_mutaties.recordAt(dbase::Bookmark(m_records[r]));
            auto* cell = new QTableWidgetItem(views::gridText(row, field, display, dates));
            if (display == views::Display::Amount)
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (toned) {
                const views::CellTone tone = views::ruledTone(layout.rule, row.asFloat(field));
                if (tone == views::CellTone::Negative)
                    cell->setForeground(views::kNegativeColour);
                else if (tone == views::CellTone::Positive)
                    cell->setForeground(views::kPositiveColour);
            }
            m_table->setItem(int(r), int(c), cell);
        }
    }
}

void ItemPaymentsDialog::exportRows()
{
    m_guard([&] {
        const QString path =
            m_dialogs.getSaveFileName(views::texts::kExportCaption, views::texts::kCsvFileFilter);
        if (path.isEmpty())
            return;
        views::writeExportFile(
            path, views::csvBytesOfRecords(m_mutaties, views::paymentsGrid(), m_records));
    });
}

} // namespace app
