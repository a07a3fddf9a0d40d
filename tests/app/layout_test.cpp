// Every visible control of the main window's pages and of the chart and help windows: no control
// overlaps a sibling, reaches out of its parent, or is too small for its caption.
#include "app/guard.h"
#include "app/kolvaro1.h"
#include "app/startup.h"
#include "charts/chart_forms.h"
#include "help/uitleg.h"
#include "tests/app/fake_dialogs.h"
#include "tests/app/table_filler.h"
#include "tests/support/tables.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString nameOf(const QWidget* widget)
{
    QString name = QString::fromLatin1(widget->metaObject()->className());
    if (!widget->objectName().isEmpty())
        name += u'#' + widget->objectName();
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        name += QStringLiteral(" \"%1\"").arg(label->text());
    else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        name += QStringLiteral(" \"%1\"").arg(button->text());
    return name;
}

// The insides of Qt's composite controls are Qt's own business.
bool isComposite(const QWidget* widget)
{
    return qobject_cast<const QAbstractScrollArea*>(widget) ||
           qobject_cast<const QAbstractSpinBox*>(widget) ||
           qobject_cast<const QComboBox*>(widget) || qobject_cast<const QTabWidget*>(widget);
}

// A caption needs its text's room (and buttons a few pixels either side of it).
QString clippedCaption(const QWidget* widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        if (label->wordWrap() || label->text().isEmpty())
            return {};
        const QSize needed = label->minimumSizeHint();
        if (label->width() < needed.width() || label->height() < needed.height())
            return QStringLiteral("%1 is %2x%3, its text needs %4x%5")
                .arg(nameOf(label))
                .arg(label->width())
                .arg(label->height())
                .arg(needed.width())
                .arg(needed.height());
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        const int needed = button->fontMetrics().horizontalAdvance(button->text()) + 2 * 6;
        if (!button->text().isEmpty() && button->width() < needed)
            return QStringLiteral("%1 is %2 wide, its caption needs %3")
                .arg(nameOf(button))
                .arg(button->width())
                .arg(needed);
    }
    return {};
}

void collectFaults(const QWidget* parent, const QWidget* root, QStringList& faults)
{
    QList<const QWidget*> shown;
    for (const QObject* object : parent->children()) {
        const auto* child = qobject_cast<const QWidget*>(object);
        if (child && !child->isWindow() && child->isVisibleTo(root))
            shown << child;
    }
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const QWidget* child = shown[i];
        if (!parent->rect().contains(child->geometry()))
            faults << QStringLiteral("%1 reaches out of %2").arg(nameOf(child), nameOf(parent));
        for (qsizetype j = i + 1; j < shown.size(); ++j)
            if (child->geometry().intersects(shown[j]->geometry()))
                faults << QStringLiteral("%1 overlaps %2").arg(nameOf(child), nameOf(shown[j]));
        if (const QString clipped = clippedCaption(child); !clipped.isEmpty())
            faults << clipped;
        if (!isComposite(child))
            collectFaults(child, root, faults);
    }
}

QStringList layoutFaults(const QWidget& root)
{
    QStringList faults;
    collectFaults(&root, &root, faults);
    return faults;
}

} // namespace

class LayoutTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { app::applyProgramFont(*qApp); } // the sizes of the real program
    void mainWindowPages();
    void chartAndHelpWindows();
};

void LayoutTest::mainWindowPages()
{
    QTemporaryDir dir;
    qputenv("HOME", dir.filePath(QStringLiteral("home")).toUtf8());
    qputenv("KOLVARO_ENGINE_CONFIG", dir.filePath(QStringLiteral("engine.ini")).toUtf8());
    filler::fillFolder(dir.filePath(QStringLiteral("home/KOLVARO")), 40, 12);
    FakeDialogs dialogs;
    store::TDataModule1 data;
    app::TForm1 form(data, dialogs);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    for (int page = 0; page < form.PageControl1->count(); ++page) {
        form.PageControl1->setCurrentIndex(page); // counts and sums fill their labels
        QWidget* sheet = form.PageControl1->widget(page);
        QTRY_VERIFY(sheet->isVisible());
        const QStringList faults = layoutFaults(*sheet);
        QVERIFY2(faults.isEmpty(),
                 qPrintable(form.PageControl1->tabText(page) + u'\n' + faults.join(u'\n')));
    }
    QVERIFY2(dialogs.errors.isEmpty(), qPrintable(dialogs.errors.join(u'\n')));
}

void LayoutTest::chartAndHelpWindows()
{
    QWidget mainWindow;
    QTemporaryDir tables;
    testsupport::Tables data;
    charts::TForm2 form2(*data.mutaties, {}, &mainWindow);
    charts::TForm3 form3(*data.bedrijven, {}, {}, &mainWindow);
    FakeDialogs dialogs;
    help::TForm4 form4(tables.path() + u'/', &mainWindow, dialogs,
                       [&](const std::function<void()>& body) { app::guarded(dialogs, body); });
    charts::TForm5 form5(*data.bedrijven, {}, &mainWindow);
    const auto check = [](QWidget* window) {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QStringList faults = layoutFaults(*window);
        QVERIFY2(faults.isEmpty(), qPrintable(window->windowTitle() + u'\n' + faults.join(u'\n')));
        window->hide();
    };
    for (QWidget* window : QList<QWidget*>{&form2, &form3, &form4, &form5})
        check(window);
    form4.FormDblClick(); // editing mode: the tool buttons in place of the picture
    check(&form4);
}

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
