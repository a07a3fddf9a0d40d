#include "app/transaction_list_dialog.h"

#include "app/dialogs.h"
#include "store/date_format.h"
#include "store/number_format.h"
#include "store/table_names.h"
#include "viewlogic/cell_text.h"
#include "viewlogic/grid_columns.h"
#include "viewlogic/row_export.h"
#include "viewlogic/texts.h"
#include "views/cell_rules.h"

#include <QAbstractTableModel>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <cmath>

namespace app {

namespace n = store::names;

namespace {

const QString kSums = QStringLiteral("%1 boekingen   Bij %2   Af %3   Saldo %4");
const QString kClose = QStringLiteral("Sluiten");

// The rows by record number, each cell read when it is painted.
class RecordsModel : public QAbstractTableModel
{
public:
    RecordsModel(const dbase::Table& table, const std::vector<int>& records,
                 views::GridLayout layout, QObject* parent)
        : QAbstractTableModel(parent), m_table(table), m_records(records),
          m_layout(std::move(layout)), m_dates(store::datefmt::shortDateFormat())
    {
        for (const views::GridColumn& column : m_layout.columns) {
            const int field = table.fieldIndex(column.field);
            m_fields.push_back(field);
            m_displays.push_back(views::displayOf(table.fieldDef(field).dataType()));
        }
    }

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : int(m_records.size());
    }
    int columnCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : int(m_fields.size());
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        const std::size_t c = std::size_t(index.column());
        if (role == Qt::TextAlignmentRole)
            return m_displays[c] == views::Display::Amount
                       ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter))
                       : QVariant(int(Qt::AlignLeft | Qt::AlignVCenter));
        if (role != Qt::DisplayRole && role != Qt::ForegroundRole)
            return {};
        const dbase::RowView row =
            m_table.recordAt(dbase::Bookmark(m_records[std::size_t(index.row())]));
        if (role == Qt::ForegroundRole) {
            // Amounts in the colours of the transactions grid.
            if (!views::ruleApplies(m_layout.rule, m_layout.columns[c].field))
                return {};
            const views::CellTone tone = views::ruledTone(m_layout.rule, row.asFloat(m_fields[c]));
            if (tone == views::CellTone::Negative)
                return views::kNegativeColour;
            if (tone == views::CellTone::Positive)
                return views::kPositiveColour;
            return {};
        }
        return views::gridText(row, m_fields[c], m_displays[c], m_dates);
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return m_layout.columns[std::size_t(section)].title;
        return {};
    }

private:
    const dbase::Table& m_table;
    const std::vector<int>& m_records;
    views::GridLayout m_layout;
    std::vector<int> m_fields;
    std::vector<views::Display> m_displays;
    store::datefmt::DateFormatter m_dates;
};

} // namespace

TransactionListDialog::TransactionListDialog(const dbase::Table& mutaties, std::vector<int> records,
                                             const QString& title, const QString& heading,
                                             Dialogs& dialogs, guard::Guard guard, QWidget* parent)
    : QDialog(parent), m_mutaties(mutaties), m_records(std::move(records)), m_dialogs(dialogs),
      m_guard(std::move(guard))
{
    setWindowTitle(title);
    const views::GridLayout columns = views::transactionListGrid();
    m_view = new QTableView;
    m_view->setModel(new RecordsModel(m_mutaties, m_records, columns, this));
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setDefaultSectionSize(20);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setWordWrap(false);
    for (std::size_t c = 0; c < columns.columns.size(); ++c)
        m_view->setColumnWidth(int(c), columns.columns[c].width);
    // The description takes the room left; the amount keeps its place at the right.
    m_view->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);

    // One pass over the category's rows, for the line of sums.
    const int bedrag = m_mutaties.fieldIndex(n::kBedrag);
    qint64 in = 0, out = 0;
    for (const int record : m_records) {
        const qint64 cents =
            std::llround(m_mutaties.recordAt(dbase::Bookmark(record)).asFloat(bedrag) * 100.0);
        (cents < 0 ? out : in) += cents;
    }
    const auto euros = [](qint64 cents) {
        return store::numfmt::formatAmount(double(cents) / 100.0);
    };
    m_sums = new QLabel(kSums.arg(m_records.size()).arg(euros(in), euros(out), euros(in + out)));

    auto* buttons = new QDialogButtonBox;
    QPushButton* exportButton =
        buttons->addButton(views::texts::kExport, QDialogButtonBox::ActionRole);
    buttons->addButton(kClose, QDialogButtonBox::RejectRole);
    connect(exportButton, &QPushButton::clicked, this, &TransactionListDialog::exportRows);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* box = new QVBoxLayout(this);
    if (!heading.isEmpty())
        box->addWidget(new QLabel(heading));
    box->addWidget(m_view, 1);
    box->addWidget(m_sums);
    box->addWidget(buttons);
    resize(820, 480);
}

void TransactionListDialog::exportRows()
{
    m_guard([&] {
        const QString path =
            m_dialogs.getSaveFileName(views::texts::kExportCaption, views::texts::kCsvFileFilter);
        if (path.isEmpty())
            return;
        views::writeExportFile(
            path, views::csvBytesOfRecords(m_mutaties, views::transactionListGrid(), m_records));
    });
}

} // namespace app
