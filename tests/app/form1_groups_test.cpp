// Relation groups in the windows: the rules dialog, "Samenvoegen…", "Regel maken…", "Waarom
// deze groep?" and the notice that the totals do not yet follow the rules.
#include "app/groups_dialog.h"
#include "app/groups_state.h"
#include "app/kolvaro1.h"
#include "app/merge_dialog.h"
#include "app/rule_editor.h"
#include "relations/completion.h"
#include "relations/group_rules_file.h"
#include "relations/month_totals.h"
#include "store/table_names.h"
#include "tests/app/fake_dialogs.h"
#include "tests/app/window_fixture.h"
#include "views/db_grid.h"

#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace n = store::names;
using namespace Qt::StringLiterals;

class Form1GroupsTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void dialogAddsTestsSavesAndUndoes();
    void mergeJoinsTheSelectedRelations();
    void makeRuleAndWhyThisGroup();

private:
    QStringList relationRows() const; // "Naam|jaar|jan" in NAAM order
    template <typename T> T* child() const
    {
        T* found = m_form->findChild<T*>();
        return found;
    }

    WindowFixture m_window;
    std::unique_ptr<QTemporaryDir>& m_dir = m_window.dir;
    FakeDialogs& m_dialogs = m_window.dialogs;
    std::unique_ptr<store::TDataModule1>& m_data = m_window.data;
    std::unique_ptr<app::TForm1>& m_form = m_window.form;
};

void Form1GroupsTest::init()
{
    QVERIFY(m_window.makeFolder());
    m_window.start();
    struct Row
    {
        int day;
        const char* naam;
        const char* omschrijving;
        const char* reknum;
        double bedrag;
    };
    for (const Row& r : {Row{1, "SUPERMARKT 1234", "PAS 1", "K1", -10.0},
                         Row{2, "SUPERMARKT 5678", "PAS 2", "K2", -5.5},
                         Row{3, "SUPERMARKT 1234", "PAS 3", "K3", -2.0},
                         Row{4, "MAHLER", "GIRO 4", "K4", 100.0}}) {
        dbase::Table& t = m_data->T1;
        t.append();
        t.fieldByName(n::kDatum).setAsDate(QDate(2010, 1, r.day));
        t.fieldByName(n::kSoort).setAsInteger(6);
        t.fieldByName(n::kNaam).setAsString(QString::fromLatin1(r.naam));
        t.fieldByName(n::kOmschrijving).setAsString(QString::fromLatin1(r.omschrijving));
        t.fieldByName(n::kReknum).setAsString(QString::fromLatin1(r.reknum));
        t.fieldByName(n::kBedrag).setAsFloat(r.bedrag);
        t.post();
    }
    relations::completeRelations(m_data->T1, m_data->T2);
    relations::fillMonthTotals(m_data->T1, m_data->T2);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void Form1GroupsTest::cleanup()
{
    QVERIFY2(m_dialogs.errors.isEmpty(), qPrintable(m_dialogs.errors.join(u'\n')));
    m_form.reset();
    m_data.reset();
}

QStringList Form1GroupsTest::relationRows() const
{
    QStringList rows;
    const dbase::Table& t = m_data->T2;
    for (int r = 0; r < t.recordCount(); ++r)
        rows << u"%1|%2|%3"_s.arg(t.rowAt(r).asString(t.fieldIndex(n::kNaam)),
                                  t.rowAt(r).asString(t.fieldIndex(n::kJaar)),
                                  t.rowAt(r).asString(t.fieldIndex(n::kMonths[0])));
    return rows;
}

void Form1GroupsTest::dialogAddsTestsSavesAndUndoes()
{
    const QStringList before = relationRows();
    relations::GroupRule rule;
    rule.kind = relations::RuleKind::BeginsWith;
    rule.pattern = u"supermarkt"_s;
    rule.group = u"SUPERMARKT"_s;
    app::GroupsState& state = const_cast<app::GroupsState&>(m_form->groups());
    app::GroupsDialog dialog(
        *m_data, m_dialogs, state, [](const std::function<void()>& body) { body(); },
        [&](const relations::GroupRule&, QWidget*) { return std::optional(rule); }, m_form.get());
    dialog.addRule();
    QCOMPARE(dialog.table()->rowCount(), 1);
    dialog.show();
    dialog.reject(); // unsaved: asks, and No keeps it open
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.table()->item(0, app::GroupsDialog::kTransactions)->text(),
             u"3"_s); // transactions it catches now
    QCOMPARE(dialog.table()->item(0, app::GroupsDialog::kNames)->text(),
             u"SUPERMARKT 1234, SUPERMARKT 5678"_s);
    dialog.testBox()->setText(u"Supermarkt  9999"_s);
    QCOMPARE(dialog.testResult()->text(), u"Supermarkt  9999 → SUPERMARKT, door regel 1"_s);

    // Rules saved only after the question, which counts the transactions that change group.
    dialog.saveAndApply();
    QCOMPARE(m_dialogs.questions.last().section(u'|', 1),
             u"3 boekingen krijgen een andere groep en 2 rijen van de relatietabel veranderen of "
             u"vervallen. De regels opslaan en de relatietabel opnieuw opbouwen?"_s);
    QCOMPARE(relationRows(), before);
    m_dialogs.answers = {true};
    dialog.saveAndApply();
    QCOMPARE(relationRows(), (QStringList{u"MAHLER|2010|100"_s, u"SUPERMARKT|2010|-17.5"_s}));

    // Rules changed behind the window's back: the pages say so until they are applied.
    relations::saveGroupRules(state.folder(), {});
    state.load(state.folder(), m_dialogs);
    m_form->PageControl1->setCurrentWidget(m_form->TabSheet2);
    QVERIFY(m_form->TabSheet2->findChild<QLabel*>(u"groupsNotice"_s)->isVisible());
    m_dialogs.answers = {true};
    dialog.undo();
    QCOMPARE(dialog.rules().size(), std::size_t(1));
    m_form->showGroupsNotices();
    QVERIFY(!m_form->TabSheet2->findChild<QLabel*>(u"groupsNotice"_s)->isVisible());
    m_dialogs.answers = {true};
    dialog.undo();
    QCOMPARE(relationRows(), before);
}

void Form1GroupsTest::mergeJoinsTheSelectedRelations()
{
    m_form->PageControl1->setCurrentWidget(m_form->TabSheet2);
    QItemSelectionModel* selection = m_form->RxDBGrid2->selectionModel();
    // Sorted on Naam descending, the grid shows SUPERMARKT 5678, SUPERMARKT 1234, MAHLER: the
    // rows shown on top are merged, whatever the table's own order.
    m_form->RxDBGrid2->titleClicked(2);
    m_form->RxDBGrid2->titleClicked(2);
    selection->clearSelection();
    for (int row : {0, 1})
        selection->select(m_form->RxDBGrid2->model()->index(row, 0),
                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    m_form->mergeRelations();
    auto* dialog = m_form->findChild<app::MergeDialog*>();
    QVERIFY(dialog);
    QCOMPARE(dialog->group(), u"SUPERMARKT 5678"_s);
    dialog->groupBox()->setEditText(u"SUPER"_s);
    m_dialogs.answers = {true};
    dialog->accept();
    QCOMPARE(relationRows(), (QStringList{u"MAHLER|2010|100"_s, u"SUPER|2010|-17.5"_s}));
    QCOMPARE(m_form->groups().rules().size(), std::size_t(2));
}

void Form1GroupsTest::makeRuleAndWhyThisGroup()
{
    m_form->PageControl1->setCurrentWidget(m_form->TabSheet3);
    m_data->T1.moveTo(1); // SUPERMARKT 5678
    m_form->makeRule();
    auto* editor = m_form->findChild<app::RuleEditor*>();
    QVERIFY(editor);
    QCOMPARE(editor->patternBox()->text(), u"SUPERMARKT"_s);
    QVERIFY(editor->catchesLabel()->text().startsWith(u"Deze regel vangt nu 3 boekingen van 2"_s));
    editor->groupBox()->setText(QString(41, u'G'));
    editor->accept();
    QVERIFY(editor->messageLabel()->text().contains(u"41 tekens"_s));
    editor->groupBox()->setText(u"WINKEL"_s);
    m_dialogs.answers = {true};
    editor->accept();
    QCOMPARE(m_form->groups().rules().size(), std::size_t(1));

    const struct
    {
        int row;
        QString text;
    } cases[] = {
        {1, u"\"SUPERMARKT 5678\" staat in de groep \"WINKEL\" door regel 1: Naam begint met "
            u"\"SUPERMARKT\"."_s},
        {3, u"Geen regel past op \"MAHLER\": de boeking staat onder haar eigen naam."_s},
    };
    for (const auto& c : cases) {
        m_data->T1.moveTo(c.row);
        m_form->whyThisGroup();
        auto* box = m_form->findChild<QMessageBox*>();
        QVERIFY(box);
        QCOMPARE(box->text(), c.text);
        delete box;
    }
}

QTEST_MAIN(Form1GroupsTest)
#include "form1_groups_test.moc"
