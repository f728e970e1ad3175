// Start-up, command line, zoom box and zoom menu, about box and help.
#include "components/panels/latchbutton.h"
#include "components/textcontrol/textcontrol.h"
#include "documents/documenttable.h"
#include "documents/documentwindow.h"
#include "documents/documentwindows.h"
#include "documents/filepaths.h"
#include "settings/apppaths.h"
#include "shell/commandline.h"
#include "shell/helpwindow.h"
#include "shell/mainwindow.h"
#include "shell/toolbarpanel.h"
#include "support/scripteddialogs.h"
#include "support/testworkspace.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTextBrowser>
#include <QtTest>

class ShellTest : public QObject {
    Q_OBJECT
private slots:
    void commandLineDocument_data();
    void commandLineDocument();
    void commandLineStar();
    void commandLineStarWithEmptyClipboard();
    void reportFileIsImportedAndDeleted_data();
    void reportFileIsImportedAndDeleted();
    void options_data();
    void options();
    void fileTitleOf_data();
    void fileTitleOf();
    void tempPathIsPrivate();
    void zoomText_data();
    void zoomText();
    void zoomBoxSetsTheActiveWindow();
    void zoomMenuSelectsTheBox();
    void activationShowsEachWindowsZoom();
    void toolTipsInOrder();
    void aboutBox();
    void helpOpensTheManualTopic();
};

// A .txt path loads; a quoted path loses its quotes (an ending that is not imported: the file
// workflow tests).
void ShellTest::commandLineDocument_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("quoted");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("messages");
    QTest::newRow("plain text") << "letter.txt" << false << "Hello" << 0;
    QTest::newRow("quoted path") << "my letter.txt" << true << "Hello" << 0;
    QTest::newRow("upper-case ending") << "LETTER.TXT" << false << "Hello" << 0;
}

void ShellTest::commandLineDocument()
{
    QFETCH(QString, name);
    QFETCH(bool, quoted);
    QFETCH(QString, text);
    QFETCH(int, messages);
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    const QString path = ws.writeFile(name, "Hello");
    ws.start(quoted ? '"' + path + '"' : path);
    DocumentWindow* window = ws.active();
    QCOMPARE(window->caption(), path);
    QCOMPARE(window->textControl()->plainText(), text);
    QVERIFY(!DocumentTable::shared().state(1).Dirty);
    QCOMPARE(dialogs.messages.size(), messages);
}

void ShellTest::commandLineStar()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    QGuiApplication::clipboard()->setText("From the chart");
    ws.start("*");
    TextControl* control = ws.active()->textControl();
    QCOMPARE(ws.active()->caption(), QString("Untitled:1"));
    QCOMPARE(control->plainText(), QString("From the chart"));
    QCOMPARE(control->selStart(), 0);
}

void ShellTest::commandLineStarWithEmptyClipboard()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    QGuiApplication::clipboard()->clear();
    ws.start("*");
    QCOMPARE(ws.active()->caption(), QString("Untitled:1"));
    QVERIFY(ws.active()->textControl()->plainText().isEmpty());
    QVERIFY(dialogs.messages.isEmpty());
}

void ShellTest::reportFileIsImportedAndDeleted_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("lower case") << "~tmprpt01.txt";
    QTest::newRow("capitals") << "~TMPRPT01.TXT";
}

void ShellTest::reportFileIsImportedAndDeleted()
{
    QFETCH(QString, name);
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    const QString path = ws.writeFile(name, "Report line\r\nSecond line");
    ws.start(path);
    QCOMPARE(ws.active()->caption(), QString("Untitled:1"));
    QCOMPARE(ws.active()->textControl()->plainText(), QString("Report line\nSecond line"));
    QVERIFY(DocumentTable::shared().state(1).Dirty);
    QVERIFY(!QFile::exists(path));
}

void ShellTest::options_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("document");
    QTest::addColumn<bool>("error");
    QTest::newRow("nothing") << QStringList{} << "" << false;
    QTest::newRow("star") << QStringList{"*"} << "*" << false;
    QTest::newRow("path with blanks split by the shell")
        << QStringList{"C:\\My", "Letters\\a.rtf"} << "C:\\My Letters\\a.rtf" << false;
    QTest::newRow("app path then file") << QStringList{"--app-path", "/", "a.txt"} << "a.txt" << false;
    QTest::newRow("app path not a folder") << QStringList{"--app-path", "/no/such"} << "" << true;
    QTest::newRow("missing value") << QStringList{"--temp-path"} << "" << true;
    QTest::newRow("unknown option") << QStringList{"--frobnicate"} << "" << true;
    QTest::newRow("bad date") << QStringList{"--today", "4/12/2026"} << "" << true;
}

void ShellTest::options()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, document);
    QFETCH(bool, error);
    const CommandLine line = CommandLine::parse(arguments);
    QCOMPARE(!line.error.isEmpty(), error);
    if (!error)
        QCOMPARE(line.document, document);
    QVERIFY(CommandLine::parse({"--today", "2026-12-04"}).today == QDate(2026, 12, 4));
    QVERIFY(CommandLine::parse({"--help"}).showHelp);
}

void ShellTest::fileTitleOf_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");
    QTest::newRow("backslash") << "c:\\docs\\a.rtf" << "a.rtf";
    QTest::newRow("slash") << "/home/x/~tmprpt1.rtf" << "~tmprpt1.rtf";
    QTest::newRow("drive only") << "c:a.rtf" << "a.rtf";
    QTest::newRow("no separator") << "a.rtf" << "a.rtf";
    QTest::newRow("separator last") << "/home/x/" << "";
}

void ShellTest::fileTitleOf()
{
    QFETCH(QString, path);
    QFETCH(QString, title);
    QCOMPARE(FilePaths::FileTitleOf(path), title);
}

void ShellTest::tempPathIsPrivate()
{
    const QString temp = AppPaths::GetTempDirectory();
    QVERIFY(!temp.isEmpty());
    QCOMPARE(QFileInfo(temp).permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::ExeOther),
             QFile::Permissions());
    QCOMPARE(AppPaths::GetTempDirectory(), temp);  // the same directory next time
}

void ShellTest::zoomText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("factor");
    QTest::newRow("entry") << "150%" << 150;
    QTest::newRow("page width") << "Page Width" << 90;
    QTest::newRow("whole page") << "Whole Page" << 38;
    QTest::newRow("typed") << "120" << 120;
    QTest::newRow("other case is a number") << "page width" << 0;
}

void ShellTest::zoomText()
{
    QFETCH(QString, text);
    QFETCH(int, factor);
    QCOMPARE(ToolBarPanel::zoomFactorForText(text), factor);
}

void ShellTest::zoomBoxSetsTheActiveWindow()
{
    TestWorkspace ws;
    MainWindow& main = ws.start();
    QComboBox* box = main.toolBar()->zoomBox();
    box->setCurrentIndex(6);
    emit box->activated(6);
    QCOMPARE(ws.active()->textControl()->zoomFactor(), 38);
    emit ws.active()->menu("mnuView")->aboutToShow();
    QVERIFY(ws.active()->action("mnuView_ZoomItem_7")->isChecked());
    QVERIFY(!ws.active()->action("mnuView_ZoomItem_4")->isChecked());
}

void ShellTest::zoomMenuSelectsTheBox()
{
    TestWorkspace ws;
    MainWindow& main = ws.start();
    ws.active()->action("mnuView_ZoomItem_5")->trigger();
    QCOMPARE(main.toolBar()->zoomBox()->currentText(), QString("150%"));
    QCOMPARE(ws.active()->textControl()->zoomFactor(), 150);
    int checked = 0;
    for (int k = 1; k <= 7; ++k)
        checked += ws.active()->action(QString("mnuView_ZoomItem_%1").arg(k))->isChecked();
    QCOMPARE(checked, 1);
}

void ShellTest::activationShowsEachWindowsZoom()
{
    TestWorkspace ws;
    MainWindow& main = ws.start();
    DocumentWindow* first = ws.active();
    first->action("mnuView_ZoomItem_2")->trigger();  // 50 %
    DocumentWindow* second = DocumentWindows::NewDocumentWindow();
    QCOMPARE(main.toolBar()->zoomBox()->currentText(), QString("100%"));
    main.mdiArea()->setActiveSubWindow(first->subWindow());
    QCOMPARE(main.toolBar()->zoomBox()->currentText(), QString("50%"));
    second->textControl()->setZoomFactor(120);  // not in the list
    main.mdiArea()->setActiveSubWindow(second->subWindow());
    QCOMPARE(main.toolBar()->zoomBox()->currentText(), QString("100%"));
    QCOMPARE(second->textControl()->zoomFactor(), 100);  // the box's click writes it back
    emit second->menu("mnuView")->aboutToShow();
    QVERIFY(second->action("mnuView_ZoomItem_4")->isChecked());
}

void ShellTest::toolTipsInOrder()
{
    TestWorkspace ws;
    MainWindow& main = ws.start();
    const QStringList expected = {"New", "Open", "Save", "Cut", "Copy", "Paste", "Print",
                                  "Print Preview", "Help", "Spell Check"};
    for (int i = 0; i < ToolBarPanel::ButtonCount; ++i) {
        QCOMPARE(main.toolBar()->button(i)->toolTip(), expected.at(i));
        QCOMPARE(main.toolBar()->button(i)->objectName(), QString("btns_%1").arg(i));
    }
    // Left to right: Spell Check stands before the zoom box, Help after it.
    QVERIFY(main.toolBar()->button(ToolBarPanel::SpellCheck)->x() < main.toolBar()->zoomBox()->x());
    QVERIFY(main.toolBar()->button(ToolBarPanel::Help)->x() > main.toolBar()->zoomBox()->x());
}

void ShellTest::aboutBox()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    QString version, product;
    dialogs.dialogScripts << [&](QDialog* dialog) {
        version = dialog->findChild<QLabel*>("Label3")->text();
        product = dialog->findChild<QLabel*>("Label1")->text();
        auto* ok = dialog->findChild<QPushButton*>("cmdok");
        return ok->isDefault() ? QDialog::Accepted : QDialog::Rejected;
    };
    ws.active()->action("mnuabout")->trigger();
    QCOMPARE(dialogs.dialogsShown, QStringList{"frmAboutDlg"});
    QVERIFY(QRegularExpression("^Version \\d+\\.\\d+\\.\\d+$").match(version).hasMatch());
    QCOMPARE(product, QString("Scrivora Word Processor for Clinora"));
}

void ShellTest::helpOpensTheManualTopic()
{
    TestWorkspace ws;
    QFile::copy(":/help/manual.html", ws.file("vavavadud.chm"));
    MainWindow& main = ws.start();
    ws.active()->action("mnuContents")->trigger();
    QVERIFY(main.helpWindow());
    QVERIFY(main.helpWindow()->browser()->toPlainText().contains("Scrivora Help Topics"));
    QFile::remove(ws.file("vavavadud.chm"));
    main.helpWindow()->showTopic(AppPaths::helpFile(), 174);
    QVERIFY(main.helpWindow()->browser()->toPlainText().contains("cannot be found"));
}

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
