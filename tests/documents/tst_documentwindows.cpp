// Document windows: slot numbers, the question before closing, exit, tool bar enabling.
#include "components/panels/latchbutton.h"
#include "components/textcontrol/view/pageview.h"
#include "components/textcontrol/textcontrol.h"
#include "documents/documenttable.h"
#include "documents/documentwindow.h"
#include "documents/documentwindows.h"
#include "shell/mainwindow.h"
#include "shell/toolbarpanel.h"
#include "support/scripteddialogs.h"
#include "support/testworkspace.h"
#include "texts/programtexts.h"

#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QtTest>

using CommonDialog::Answer;

namespace {

QStringList captions(MainWindow& main)
{
    QStringList result;
    for (QMdiSubWindow* sub : main.mdiArea()->subWindowList())
        result << sub->widget()->windowTitle();
    result.sort();
    return result;
}

void closeWindow(TestWorkspace& ws, int slot)
{
    ws.window(slot)->subWindow()->close();
    QCoreApplication::processEvents();
}

void newWindow() { DocumentWindows::NewDocumentWindow(); }

void type(DocumentWindow* window, const QString& text)
{
    window->textControl()->setFocus();
    QTest::keyClicks(window->textControl()->pageView()->viewport(), text);
}

}  // namespace

class DocumentWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void startsWithUntitledOne();
    void slotsAreReused_data();
    void slotsAreReused();
    void findFreeDocumentSlotClearsTheRecord();
    void closePrompt_data();
    void closePrompt();
    void freedSlotStartsUnmodified();
    void exitStopsAtFirstCancel();
    void exitClosesEverythingWhenAllAgree();
    void toolbarFollowsOpenWindows();
    void menusFollowTheActiveWindow();
    void defaultPageAndFont();
};

void DocumentWindowsTest::startsWithUntitledOne()
{
    TestWorkspace ws;
    MainWindow& main = ws.start();
    QCOMPARE(captions(main), QStringList{"Untitled:1"});
    QCOMPARE(ws.active()->tag(), QString("1"));
    QCOMPARE(ws.active()->textControl()->zoomFactor(), 100);
    QCOMPARE(main.windowTitle(), QString("Scrivora"));
}

// Each step: "n" opens a new window, "cK" closes slot K; the captions that remain follow.
void DocumentWindowsTest::slotsAreReused_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("close 2 of 3, new reuses 2")
        << QStringList{"n", "n", "c2", "n"}
        << QStringList{"Untitled:1", "Untitled:2", "Untitled:3"};
    QTest::newRow("close 2 and 1, two new take 1 then 2")
        << QStringList{"n", "n", "c2", "n", "c2", "c1", "n", "n"}
        << QStringList{"Untitled:1", "Untitled:2", "Untitled:3"};
    QTest::newRow("all closed, new is 1 again") << QStringList{"c1", "n"}
                                                << QStringList{"Untitled:1"};
    QTest::newRow("no free slot takes the next number")
        << QStringList{"n", "n", "n"}
        << QStringList{"Untitled:1", "Untitled:2", "Untitled:3", "Untitled:4"};
}

void DocumentWindowsTest::slotsAreReused()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, expected);
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    MainWindow& main = ws.start();
    for (const QString& step : steps) {
        if (step == "n")
            newWindow();
        else
            closeWindow(ws, step.mid(1).toInt());
    }
    QCOMPARE(captions(main), expected);
    QVERIFY(dialogs.messages.isEmpty());
}

void DocumentWindowsTest::findFreeDocumentSlotClearsTheRecord()
{
    DocumentTable& table = DocumentTable::shared();
    table.reset();
    QCOMPARE(table.FindFreeDocumentSlot(), 2);  // slot 1 is in use from the start
    table.state(1) = {true, true, true};
    QCOMPARE(table.FindFreeDocumentSlot(), 1);
    QVERIFY(!table.state(1).Deleted && !table.state(1).Dirty && !table.state(1).IgnoreNextChange);
    QCOMPARE(table.upperBound(), 2);
    QVERIFY(table.AnyDocumentOpen());
    table.state(1).Deleted = table.state(2).Deleted = true;
    QVERIFY(!table.AnyDocumentOpen());
    table.reset();
}

void DocumentWindowsTest::closePrompt_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("saveAs");  // the Save As dialog's answer; empty cancels
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("saveAsShown");
    QTest::newRow("No closes without saving") << int(Answer::No) << "" << true << false;
    QTest::newRow("Cancel keeps the window") << int(Answer::Cancel) << "" << false << false;
    QTest::newRow("Yes then cancelled Save As keeps it") << int(Answer::Yes) << "" << false << true;
    QTest::newRow("Yes then a name saves and closes")
        << int(Answer::Yes) << "letter.txt" << true << true;
}

void DocumentWindowsTest::closePrompt()
{
    QFETCH(int, answer);
    QFETCH(QString, saveAs);
    QFETCH(bool, closes);
    QFETCH(bool, saveAsShown);
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    MainWindow& main = ws.start();
    type(ws.active(), "Dear patient");
    QVERIFY(DocumentTable::shared().state(1).Dirty);
    dialogs.messageAnswers << Answer(answer);
    const QString path = saveAs.isEmpty() ? QString() : ws.file(saveAs);
    dialogs.fileAnswers << path;
    closeWindow(ws, 1);

    QCOMPARE(dialogs.messages.size(), 1);
    const ShownMessage& shown = dialogs.messages.first();
    QCOMPARE(shown.text, QString("The text in [Untitled:1] has changed.\r\n"
                                 "Do you want to save the changes?"));
    QCOMPARE(shown.title, QString("Scrivora"));
    QVERIFY(shown.buttons == CommonDialog::Buttons::YesNoCancel);
    QVERIFY(shown.icon == CommonDialog::Icon::Exclamation);
    QCOMPARE(main.mdiArea()->subWindowList().isEmpty(), closes);
    QCOMPARE(dialogs.fileRequests.size(), saveAsShown ? 1 : 0);
    if (saveAsShown)
        QCOMPARE(dialogs.fileRequests.first().title, QString("Save As"));
    if (!path.isEmpty()) {
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("Dear patient"));
    }
}

void DocumentWindowsTest::freedSlotStartsUnmodified()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    type(ws.active(), "x");
    dialogs.messageAnswers << Answer::No;
    closeWindow(ws, 1);
    newWindow();
    QVERIFY(!DocumentTable::shared().state(1).Dirty);
    closeWindow(ws, 1);
    QCOMPARE(dialogs.messages.size(), 1);  // only the first window was asked
}

void DocumentWindowsTest::exitStopsAtFirstCancel()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    MainWindow& main = ws.start();
    type(ws.active(), "first");
    newWindow();
    type(ws.active(), "second");
    dialogs.messageAnswers << Answer::No << Answer::Cancel;
    main.findChild<QObject*>();  // the main window is alive
    ws.window(1)->action("mnuFile_Exit")->trigger();
    QCoreApplication::processEvents();
    QCOMPARE(dialogs.messages.size(), 2);
    QVERIFY(dialogs.messages[0].text.contains("[Untitled:1]"));
    QVERIFY(dialogs.messages[1].text.contains("[Untitled:2]"));
    QCOMPARE(main.mdiArea()->subWindowList().size(), 2);
    QVERIFY(DocumentTable::shared().state(1).Dirty);  // answered No: still modified

    // The next exit asks both again.
    dialogs.messageAnswers << Answer::No << Answer::No;
    main.close();
    QCOMPARE(dialogs.messages.size(), 4);
    QVERIFY(main.mdiArea()->subWindowList().isEmpty());
}

void DocumentWindowsTest::exitClosesEverythingWhenAllAgree()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    MainWindow& main = ws.start();
    newWindow();
    newWindow();
    main.mainAction("mnuExit");  // exists while document windows are open too
    main.close();
    QVERIFY(dialogs.messages.isEmpty());
    QVERIFY(!DocumentTable::shared().AnyDocumentOpen());
}

void DocumentWindowsTest::toolbarFollowsOpenWindows()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    MainWindow& main = ws.start();
    ToolBarPanel* bar = main.toolBar();
    auto enabledButtons = [bar] {
        QList<int> on;
        for (int i = 0; i < ToolBarPanel::ButtonCount; ++i)
            if (bar->button(i)->isEnabled())
                on << i;
        return on;
    };
    QCOMPARE(enabledButtons(), (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    closeWindow(ws, 1);
    QCOMPARE(enabledButtons(), (QList<int>{0, 1, 8}));
    QVERIFY(!bar->zoomBox()->isEnabled());
    // New from the tool bar opens a window and enables the buttons again.
    bar->button(ToolBarPanel::New)->click();
    QCOMPARE(main.mdiArea()->subWindowList().size(), 1);
    QVERIFY(!bar->button(ToolBarPanel::New)->value());  // sprang back up
    QCOMPARE(enabledButtons().size(), 10);
    QVERIFY(bar->zoomBox()->isEnabled());
}

void DocumentWindowsTest::menusFollowTheActiveWindow()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    MainWindow& main = ws.start();
    auto menuNames = [&main] {
        QStringList names;
        for (QAction* a : main.menuBar()->actions())
            if (a->isVisible())
                names << a->text();
        return names;
    };
    QCOMPARE(menuNames(), (QStringList{"&File", "&Edit", "&View", "&Insert", "F&ormat", "&Window",
                                       "&Help"}));
    closeWindow(ws, 1);
    QCOMPARE(menuNames(), (QStringList{"&File", "&Help"}));
    main.mainAction("mnuFile_New")->trigger();
    QCOMPARE(menuNames().size(), 7);
    QCOMPARE(ws.active()->action("mnuFile_New")->shortcut(), QKeySequence("Ctrl+N"));
    QCOMPARE(ws.active()->action("mnuEdit_Delete")->shortcut(), QKeySequence(Qt::Key_Delete));
    QVERIFY(main.mainAction("mnuFile_New")->shortcut().isEmpty());
}

void DocumentWindowsTest::defaultPageAndFont()
{
    TestWorkspace ws;
    ws.start();
    TextControl* control = ws.active()->textControl();
    QCOMPARE(control->pageWidth(), 12240);
    QCOMPARE(control->pageHeight(), 15840);
    QCOMPARE(control->fontSize(), 10);
    QCOMPARE(control->fontName(), QString("Times New Roman"));
    QCOMPARE(control->setting(139), 1);
    QCOMPARE(control->setting(14), 3);  // activated
    QCOMPARE(control->undoKind(), 0);   // the set-up is nothing to undo
}

QTEST_MAIN(DocumentWindowsTest)
#include "tst_documentwindows.moc"
