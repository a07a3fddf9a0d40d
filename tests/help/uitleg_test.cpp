// The help window: its text at start-up, the two modes, the tool buttons and their messages.
#include "app/guard.h"
#include "help/uitleg.h"
#include "tests/app/fake_dialogs.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>
#include <memory>

using namespace Qt::StringLiterals;

class Form4Test : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void startsInReadModeWithTheHelpText();
    void missingHelpFile_data();
    void missingHelpFile();
    void doubleClickOnTheFreeStripSwitchesModes();
    void pictureKeepsTheButtonsClicksInReadMode();
    void savedTextLoadsBackTheSame();
    void failuresLeaveTheTextAlone_data();
    void failuresLeaveTheTextAlone();
    void colourAndFontChangeOnlyTheSelection();

private:
    std::unique_ptr<help::TForm4> makeForm(const QString& folder);
    QString folder() const { return m_dir->path() + u'/'; }

    std::unique_ptr<QTemporaryDir> m_dir;
    FakeDialogs m_dialogs;
};

namespace {

const QByteArray kHelp =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0\\green128\\blue0;}"
    "\\pard\\qc\\f0\\fs32\\b\\cf1 Uitleg\\par"
    "\\pard\\fs20\\b0\\cf0 Eerste regel met {\\i schuin}.\\par}";

QString text(const help::TForm4& form)
{
    return form.RxRichEdit1->toPlainText();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

void select(help::TForm4& form, int from, int to)
{
    QTextCursor cursor(form.RxRichEdit1->document());
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    form.RxRichEdit1->setTextCursor(cursor);
}

QTextCharFormat formatAt(const help::TForm4& form, int position)
{
    QTextCursor cursor(form.RxRichEdit1->document());
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

} // namespace

void Form4Test::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_dialogs = FakeDialogs();
}

std::unique_ptr<help::TForm4> Form4Test::makeForm(const QString& folder)
{
    return std::make_unique<help::TForm4>(
        folder, nullptr, m_dialogs,
        [this](const std::function<void()>& body) { app::guarded(m_dialogs, body); });
}

void Form4Test::startsInReadModeWithTheHelpText()
{
    writeFile(m_dir->filePath(u"help.rtf"_s), kHelp);
    auto form = makeForm(folder());
    QVERIFY(m_dialogs.errors.isEmpty());
    QCOMPARE(form->size(), QSize(486, 613));
    QCOMPARE(form->minimumSize(), form->maximumSize());
    QCOMPARE(text(*form), u"Uitleg\nEerste regel met schuin."_s);
    QCOMPARE(form->RxRichEdit1->document()->firstBlock().blockFormat().alignment() &
                 Qt::AlignHorizontal_Mask,
             Qt::AlignHCenter);

    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QVERIFY(!form->editing());
    QVERIFY(form->RxRichEdit1->isReadOnly());
    QVERIFY(form->Image1->isVisible());
    QVERIFY(form->Image1->geometry().contains(form->SpeedButton3->geometry()));
    QVERIFY(!form->SpeedButton3->isVisible());
    QTest::keyClicks(form->RxRichEdit1, u"xyz"_s);
    QCOMPARE(text(*form), u"Uitleg\nEerste regel met schuin."_s);
}

void Form4Test::missingHelpFile_data()
{
    QTest::addColumn<bool>("withFolder");
    QTest::newRow("tables folder") << true;
    QTest::newRow("start-up left no folder") << false;
}

void Form4Test::missingHelpFile()
{
    QFETCH(bool, withFolder);
    // Without a folder the bare name is taken from the working folder.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(m_dir->path());
    auto form = makeForm(withFolder ? folder() : QString());
    QDir::setCurrent(previous);
    const QString path = withFolder ? m_dir->filePath(u"help.rtf"_s) : u"help.rtf"_s;
    QCOMPARE(m_dialogs.errors, QStringList{u"Cannot open file "_s + path});
    QVERIFY(form->RxRichEdit1->document()->isEmpty());
}

void Form4Test::doubleClickOnTheFreeStripSwitchesModes()
{
    writeFile(m_dir->filePath(u"help.rtf"_s), kHelp);
    auto form = makeForm(folder());
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));

    // The picture and the label keep their own double clicks.
    QTest::mouseDClick(form->Image1, Qt::LeftButton, {}, QPoint(60, 20));
    QTest::mouseDClick(form->Label1, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!form->editing());

    QTest::mouseDClick(form.get(), Qt::LeftButton, {}, QPoint(250, 20));
    QVERIFY(form->editing());
    QVERIFY(!form->Image1->isVisible());
    QVERIFY(form->SpeedButton2->isVisible());
    form->RxRichEdit1->moveCursor(QTextCursor::End);
    QTest::keyClicks(form->RxRichEdit1, u"!"_s);
    QCOMPARE(text(*form), u"Uitleg\nEerste regel met schuin.!"_s);

    // The mode outlives hiding the window.
    form->hide();
    QVERIFY(form->editing());
    form->show();
    QTest::mouseDClick(form.get(), Qt::LeftButton, {}, QPoint(250, 20));
    QVERIFY(!form->editing());
    QVERIFY(form->RxRichEdit1->isReadOnly());
    QVERIFY(form->Image1->isVisible());
    QVERIFY(!form->SpeedButton2->isVisible());
}

void Form4Test::pictureKeepsTheButtonsClicksInReadMode()
{
    auto form = makeForm(folder());
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    const QPoint saveButton = form->SpeedButton2->geometry().center();
    QTest::mouseClick(form.get(), Qt::LeftButton, {}, saveButton);
    QVERIFY(m_dialogs.saveFilter.isEmpty());

    form->FormDblClick();
    QTest::mouseClick(form->SpeedButton2, Qt::LeftButton);
    QCOMPARE(m_dialogs.saveFilter, u"rich tekst (*.rtf)"_s);
    QCOMPARE(m_dialogs.saveSuffix, u"rtf"_s);
}

void Form4Test::savedTextLoadsBackTheSame()
{
    const QString helpFile = m_dir->filePath(u"help.rtf"_s);
    writeFile(helpFile, kHelp);
    auto form = makeForm(folder());
    const QString html = form->RxRichEdit1->toHtml();

    m_dialogs.saveFileName = m_dir->filePath(u"kopie.rtf"_s);
    form->SpeedButton2Click();
    QVERIFY(m_dialogs.errors.isEmpty());
    form->RxRichEdit1->setPlainText(u"iets anders"_s);
    m_dialogs.openFileName = m_dialogs.saveFileName;
    form->SpeedButton1Click();
    QVERIFY(m_dialogs.errors.isEmpty());
    QCOMPARE(m_dialogs.openSuffix, u"rtf"_s);
    QCOMPARE(form->RxRichEdit1->toHtml(), html);

    // Cancelled dialogs change nothing; help.rtf itself is never written by a load.
    m_dialogs.openFileName.clear();
    m_dialogs.saveFileName.clear();
    form->SpeedButton1Click();
    form->SpeedButton2Click();
    QCOMPARE(form->RxRichEdit1->toHtml(), html);
    QFile file(helpFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), kHelp);
}

void Form4Test::failuresLeaveTheTextAlone_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("save into a missing folder")
        << true << u"geen/kopie.rtf"_s << u"Cannot create file %1"_s;
    QTest::newRow("load a missing file") << false << u"weg.rtf"_s << u"Cannot open file %1"_s;
    QTest::newRow("load a file without text")
        << false << u"plaatje.rtf"_s << u"Failed to Load Stream"_s;
}

void Form4Test::failuresLeaveTheTextAlone()
{
    QFETCH(bool, save);
    QFETCH(QString, name);
    QFETCH(QString, message);
    writeFile(m_dir->filePath(u"help.rtf"_s), kHelp);
    writeFile(m_dir->filePath(u"plaatje.rtf"_s), QByteArray("\x89PNG\0\0\0", 7));
    auto form = makeForm(folder());
    const QString html = form->RxRichEdit1->toHtml();
    const QString path = m_dir->filePath(name);
    (save ? m_dialogs.saveFileName : m_dialogs.openFileName) = path;
    save ? form->SpeedButton2Click() : form->SpeedButton1Click();
    QCOMPARE(m_dialogs.errors, QStringList{message.contains(u"%1") ? message.arg(path) : message});
    QCOMPARE(form->RxRichEdit1->toHtml(), html);
}

void Form4Test::colourAndFontChangeOnlyTheSelection()
{
    writeFile(m_dir->filePath(u"help.rtf"_s), kHelp);
    auto form = makeForm(folder());
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    form->FormDblClick();
    const QString html = form->RxRichEdit1->toHtml();

    // Without a selection nothing changes, but the dialog's colour is kept.
    m_dialogs.colour = QColor(Qt::red);
    m_dialogs.font = help::FontChoice{QFont(u"Courier New"_s, 20), QColor(Qt::blue)};
    form->SpeedButton2->setFocus();
    form->SpeedButton4Click();
    QCOMPARE(m_dialogs.colourShown, QColor(Qt::black));
    QCOMPARE(QApplication::focusWidget(), form->RxRichEdit1);
    form->SpeedButton2->setFocus();
    form->SpeedButton3Click();
    QCOMPARE(QApplication::focusWidget(), form->RxRichEdit1);
    QCOMPARE(form->RxRichEdit1->toHtml(), html);

    // "Uitleg" is the first paragraph: its dialogs open with its attributes.
    select(*form, 0, 6);
    m_dialogs.colour = QColor(Qt::darkMagenta);
    form->SpeedButton4Click();
    QCOMPARE(m_dialogs.colourShown, QColor(Qt::red));
    QCOMPARE(formatAt(*form, 0).foreground().color(), QColor(Qt::darkMagenta));
    QCOMPARE(formatAt(*form, 5).foreground().color(), QColor(Qt::darkMagenta));

    form->SpeedButton3Click();
    QCOMPARE(m_dialogs.fontShown->font.family(), u"Arial"_s);
    QCOMPARE(m_dialogs.fontShown->font.pointSizeF(), 16.0);
    QVERIFY(m_dialogs.fontShown->font.bold());
    QCOMPARE(m_dialogs.fontShown->colour, QColor(Qt::darkMagenta));
    const QTextCharFormat changed = formatAt(*form, 3);
    QCOMPARE(changed.font().family(), u"Courier New"_s);
    QCOMPARE(changed.fontPointSize(), 20.0);
    QVERIFY(!changed.font().bold());
    QCOMPARE(changed.foreground().color(), QColor(Qt::blue));
    // The next paragraph is untouched; a cancelled font dialog changes nothing.
    QCOMPARE(formatAt(*form, 7).fontPointSize(), 10.0);
    m_dialogs.font.reset();
    select(*form, 7, 12);
    form->SpeedButton3Click();
    QCOMPARE(formatAt(*form, 8).fontPointSize(), 10.0);
}

QTEST_MAIN(Form4Test)
#include "uitleg_test.moc"
