#include "app/groups_dialog.h"

#include "app/dialogs.h"
#include "app/groups_state.h"
#include "app/groups_texts.h"
#include "relations/group_resolver.h"
#include "relations/group_statistics.h"

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

constexpr int kNamesInCell = 3;     // the names a cell lists before "…"
constexpr int kTextColumnMax = 130; // pixels: the widest a pattern or group column starts

QString someNames(const QStringList& names)
{
    if (names.isEmpty())
        return QString();
    QString text = names.mid(0, kNamesInCell).join(QStringLiteral(", "));
    if (names.size() > kNamesInCell)
        text += QStringLiteral(", … (%1)").arg(names.size());
    return text;
}

} // namespace

GroupsDialog::GroupsDialog(store::TDataModule1& data, Dialogs& dialogs, GroupsState& state,
                           guard::Guard guard, EditRule editRule, QWidget* parent)
    : QDialog(parent), m_data(data), m_dialogs(dialogs), m_state(state), m_guard(std::move(guard)),
      m_editRule(std::move(editRule)), m_rules(state.rules())
{
    setWindowTitle(texts::kDialogTitle);
    auto* precedence = new QLabel(texts::kPrecedence);
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
    m_guard([&] { refresh(0); });
}

QTableWidget* GroupsDialog::makeTable()
{
    const QStringList columns = texts::kColumns.split(u'|');
    Q_ASSERT(columns.size() == kColumnCount);
    auto* table = new QTableWidget(0, kColumnCount);
    table->setHorizontalHeaderLabels(columns);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    // The short columns are as wide as their texts; pattern and group as wide as theirs up to a
    // limit (fitTextColumns), the names earlier rules take a fixed start the user can widen, and
    // the names the rule catches take the room left. Cut texts show whole in their tooltip.
    QHeaderView* header = table->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    for (const int column : {kPattern, kGroup, kTakenEarlier}) {
        header->setSectionResizeMode(column, QHeaderView::Interactive);
        header->resizeSection(column, kTextColumnMax);
    }
    header->setSectionResizeMode(kNames, QHeaderView::Stretch);
    table->setWordWrap(false);
    table->setTextElideMode(Qt::ElideRight);
    connect(table, &QTableWidget::cellDoubleClicked, this, [this] { changeRule(); });
    return table;
}

QLayout* GroupsDialog::makeButtons()
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
    button(texts::kSaveApply, [this] { saveAndApply(); });
    button(texts::kClose, [this] { reject(); });
    return side;
}

QLayout* GroupsDialog::makeTestRow()
{
    m_testField = new QComboBox;
    m_testField->addItems(relations::fieldNames());
    m_testText = new QLineEdit;
    m_testText->setPlaceholderText(texts::kTestPlaceholder);
    connect(m_testText, &QLineEdit::textChanged, this, &GroupsDialog::updateTest);
    connect(m_testField, &QComboBox::currentIndexChanged, this, &GroupsDialog::updateTest);
    auto* test = new QHBoxLayout;
    test->addWidget(new QLabel(texts::kTestTitle));
    test->addWidget(m_testField);
    test->addWidget(m_testText, 1);
    return test;
}

void GroupsDialog::fitTextColumns()
{
    // Short patterns and groups leave their room to the names.
    for (const int column : {kPattern, kGroup}) {
        m_table->resizeColumnToContents(column);
        m_table->setColumnWidth(column, std::min(m_table->columnWidth(column), kTextColumnMax));
    }
}

int GroupsDialog::currentRule() const
{
    const int row = m_table->currentRow();
    return row >= 0 && row < int(m_rules.size()) ? row : -1;
}

void GroupsDialog::refresh(int select)
{
    const std::vector<relations::RuleStatistics> statistics =
        relations::ruleStatistics(m_data.T1, m_rules);
    m_table->setRowCount(int(m_rules.size()));
    for (int r = 0; r < int(m_rules.size()); ++r) {
        const relations::GroupRule& rule = m_rules[std::size_t(r)];
        const relations::RuleStatistics& s = statistics[std::size_t(r)];
        // In the order of Column.
        const QStringList cells = {QString::number(r + 1),
                                   rule.active ? QStringLiteral("ja") : QStringLiteral("nee"),
                                   relations::fieldName(rule.field),
                                   relations::kindName(rule.kind),
                                   rule.pattern,
                                   rule.group,
                                   QString::number(s.transactions),
                                   someNames(s.names),
                                   someNames(s.takenEarlier)};
        // A rule that catches nothing, or names an earlier rule already decides, stands out.
        const bool suspect = rule.active && (s.transactions == 0 || !s.takenEarlier.isEmpty());
        for (int c = 0; c < int(cells.size()); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (suspect)
                item->setBackground(QColor(0xFF, 0xE0, 0xB2));
            if (c == kNames || c == kTakenEarlier)
                item->setToolTip((c == kNames ? s.names : s.takenEarlier).join(u'\n'));
            else if (c == kPattern || c == kGroup)
                item->setToolTip(cells[c]);
            m_table->setItem(r, c, item);
        }
    }
    fitTextColumns();
    if (!m_rules.empty())
        m_table->selectRow(std::clamp(select, 0, int(m_rules.size()) - 1));
    m_unsaved->setVisible(m_rules != m_state.rules());
    updateTest();
}

void GroupsDialog::updateTest()
{
    const QString text = m_testText->text();
    if (text.isEmpty()) {
        m_testResult->clear();
        return;
    }
    relations::RuleTexts texts;
    switch (static_cast<relations::RuleField>(m_testField->currentIndex())) {
    case relations::RuleField::Naam:
        texts.naam = text;
        break;
    case relations::RuleField::Omschrijving:
        texts.omschrijving = text;
        break;
    case relations::RuleField::Reknum:
        texts.reknum = text;
        break;
    }
    const relations::GroupMatch match = relations::GroupResolver(m_rules).match(texts);
    m_testResult->setText(match.rule > 0 ? texts::kTestResult.arg(text, match.group).arg(match.rule)
                                         : texts::kTestNoRule.arg(text, match.group));
}

void GroupsDialog::addRule()
{
    relations::GroupRule blank;
    blank.kind = relations::RuleKind::BeginsWith;
    if (const auto rule = m_editRule(blank, this)) {
        // After the current rule; last when there is none.
        const int at = currentRule() < 0 ? int(m_rules.size()) : currentRule() + 1;
        m_rules.insert(m_rules.begin() + at, *rule);
        refresh(at);
    }
}

void GroupsDialog::changeRule()
{
    const int r = currentRule();
    if (r < 0)
        return;
    if (const auto rule = m_editRule(m_rules[std::size_t(r)], this)) {
        m_rules[std::size_t(r)] = *rule;
        refresh(r);
    }
}

void GroupsDialog::deleteRule()
{
    const int r = currentRule();
    if (r < 0)
        return;
    m_rules.erase(m_rules.begin() + r);
    refresh(r);
}

void GroupsDialog::moveRule(int by)
{
    const int r = currentRule();
    const int to = r + by;
    if (r < 0 || to < 0 || to >= int(m_rules.size()))
        return;
    std::swap(m_rules[std::size_t(r)], m_rules[std::size_t(to)]);
    refresh(to);
}

void GroupsDialog::undo()
{
    if (m_state.undo(m_data, m_dialogs)) {
        m_rules = m_state.rules();
        refresh(0);
        emit rulesApplied();
    }
}

void GroupsDialog::reject()
{
    if (m_rules != m_state.rules() && !m_dialogs.askYesNo(texts::kDialogTitle, texts::kDiscard))
        return;
    QDialog::reject();
}

void GroupsDialog::saveAndApply()
{
    if (m_state.saveAndApply(m_data, m_dialogs, m_rules)) {
        m_rules = m_state.rules();
        refresh(currentRule());
        emit rulesApplied();
    }
}

} // namespace app
