#include "app/rules_dialog.h"

#include "app/groups_texts.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace app {

namespace texts = groupstexts;

namespace {
constexpr int kTextColumnMax = 130; // pixels: the widest a pattern or target column starts
}

RulesDialog::RulesDialog(const Texts& dialogTexts, guard::Guard guard, QWidget* parent)
    : QDialog(parent), m_guard(std::move(guard)), m_texts(dialogTexts)
{
    setWindowTitle(m_texts.title);
    auto* precedence = new QLabel(m_texts.precedence);
    precedence->setWordWrap(true);
    m_table = makeTable();
    m_testResult = new QLabel;
    m_testResult->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_unsaved = new QLabel(texts::kUnsaved);
    m_unsaved->setStyleSheet(QStringLiteral("color: #B00020;"));
    m_unsaved->hide();

    auto* middle = new QHBoxLayout;
    middle->addWidget(m_table, 1);
    middle->addLayout(makeButtons());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(precedence);
    layout->addLayout(middle, 1);
    layout->addLayout(makeTestRow());
    layout->addWidget(m_testResult);
    layout->addWidget(m_unsaved);
    resize(980, 520);
}

QTableWidget* RulesDialog::makeTable()
{
    const QStringList columns = m_texts.columns.split(u'|');
    auto* table = new QTableWidget(0, int(columns.size()));
    table->setHorizontalHeaderLabels(columns);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    // The short columns are as wide as their texts; pattern and target as wide as theirs up to
    // a limit (fitTextColumns), the interactive ones a fixed start the user can widen, and one
    // column takes the room left. Cut texts show whole in their tooltip.
    QHeaderView* header = table->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    QList<int> fitted = m_texts.interactiveColumns;
    fitted << m_texts.patternColumn << m_texts.targetColumn;
    for (const int column : fitted) {
        header->setSectionResizeMode(column, QHeaderView::Interactive);
        header->resizeSection(column, kTextColumnMax);
    }
    header->setSectionResizeMode(m_texts.stretchColumn, QHeaderView::Stretch);
    table->setWordWrap(false);
    table->setTextElideMode(Qt::ElideRight);
    connect(table, &QTableWidget::cellDoubleClicked, this,
            [this] { m_guard([&] { changeRule(); }); });
    return table;
}

QLayout* RulesDialog::makeButtons()
{
    auto* side = new QVBoxLayout;
    const auto button = [&](const QString& text, auto slot) {
        auto* b = new QPushButton(text);
        connect(b, &QPushButton::clicked, this, [this, slot] { m_guard([&] { slot(); }); });
        side->addWidget(b);
    };
    button(texts::kAdd, [this] { addRule(); });
    button(texts::kChange, [this] { changeRule(); });
    button(texts::kDelete, [this] { deleteRule(); });
    button(texts::kUp, [this] { moveRule(-1); });
    button(texts::kDown, [this] { moveRule(1); });
    side->addSpacing(16);
    button(texts::kUndo, [this] { undo(); });
    side->addStretch(1);
    button(m_texts.saveButton, [this] { saveAndApply(); });
    button(texts::kClose, [this] { reject(); });
    return side;
}

QLayout* RulesDialog::makeTestRow()
{
    m_testField = new QComboBox;
    m_testField->addItems(m_texts.testFields);
    m_testText = new QLineEdit;
    m_testText->setPlaceholderText(texts::kTestPlaceholder);
    connect(m_testText, &QLineEdit::textChanged, this, &RulesDialog::updateTest);
    connect(m_testField, &QComboBox::currentIndexChanged, this, &RulesDialog::updateTest);
    auto* test = new QHBoxLayout;
    test->addWidget(new QLabel(texts::kTestTitle));
    test->addWidget(m_testField);
    test->addWidget(m_testText, 1);
    return test;
}

void RulesDialog::fitTextColumns()
{
    // Short patterns and targets leave their room to the other columns.
    for (const int column : {m_texts.patternColumn, m_texts.targetColumn}) {
        m_table->resizeColumnToContents(column);
        m_table->setColumnWidth(column, std::min(m_table->columnWidth(column), kTextColumnMax));
    }
}

int RulesDialog::currentRule() const
{
    const int row = m_table->currentRow();
    return row >= 0 && row < ruleCount() ? row : -1;
}

void RulesDialog::setRow(int row, const QStringList& cells, bool suspect,
                         const QStringList& tooltips)
{
    for (int c = 0; c < int(cells.size()); ++c) {
        auto* item = new QTableWidgetItem(cells[c]);
        if (suspect)
            item->setBackground(QColor(0xFF, 0xE0, 0xB2));
        if (m_texts.numberColumns.contains(c))
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (!tooltips.value(c).isEmpty())
            item->setToolTip(tooltips.value(c));
        m_table->setItem(row, c, item);
    }
}

void RulesDialog::refresh(int select)
{
    m_table->setRowCount(ruleCount());
    fillRows();
    fitTextColumns();
    if (ruleCount() > 0)
        m_table->selectRow(std::clamp(select, 0, ruleCount() - 1));
    m_unsaved->setVisible(unsaved());
    updateTest();
}

void RulesDialog::updateTest()
{
    const QString text = m_testText->text();
    m_testResult->setText(text.isEmpty() ? QString() : testText(m_testField->currentIndex(), text));
}

void RulesDialog::deleteRule()
{
    const int r = currentRule();
    if (r < 0)
        return;
    eraseRule(r);
    refresh(r);
}

void RulesDialog::moveRule(int by)
{
    const int r = currentRule();
    const int to = r + by;
    if (r < 0 || to < 0 || to >= ruleCount())
        return;
    swapRules(r, to);
    refresh(to);
}

void RulesDialog::reject()
{
    if (unsaved() && !askDiscard())
        return;
    QDialog::reject();
}

} // namespace app
