// Edit menu, case conversion, overwrite mode, the pop-up menu, view toggles and layout.
#include "components/panels/panel.h"
#include "components/textcontrol/view/buttonbar.h"
#include "components/textcontrol/dialogs/findreplacedialog.h"
#include "components/textcontrol/layout/headerfooter.h"
#include "components/textcontrol/view/pageview.h"
#include "components/textcontrol/view/ruler.h"
#include "components/textcontrol/view/statusbar.h"
#include "components/textcontrol/textcontrol.h"
#include "documents/documenttable.h"
#include "documents/documentwindow.h"
#include "documents/documentwindows.h"
#include "editing/convertcase.h"
#include "editing/editcommands.h"
#include "editing/viewcommands.h"
#include "shell/mainwindow.h"
#include "shell/toolbarpanel.h"
#include "support/scripteddialogs.h"
#include "support/testworkspace.h"

#include <QClipboard>
#include <QCheckBox>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTextCursor>
#include <QTextTable>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QtTest>

namespace {

TextControl* control(TestWorkspace& ws) { return ws.active()->textControl(); }

QWidget* typingTarget(TestWorkspace& ws)
{
    control(ws)->setFocus();
    return control(ws)->pageView()->viewport();
}

void openEditMenu(DocumentWindow* window) { emit window->menu("mnuEdit")->aboutToShow(); }

}  // namespace

class EditingTest : public QObject {
    Q_OBJECT
private slots:
    void undoRedoCaptions_data();
    void undoRedoCaptions();
    void undoCaptionsHaveNoShortcut();
    void clipboardCommands();
    void selectAllKeepsThePointer();
    void findAndReplace();
    void caseConversion_data();
    void caseConversion();
    void caseConversionKeepsFormatting();
    void insertKeyTogglesOverwrite();
    void rightClickPopsUpTheEditMenu();
    void changeMarksModifiedUnlessIgnored();
    void viewTogglesAreShared();
    void rulerToggleLayout();
    void layoutWithMergePanel();
    void tableGridLinesCheckFollowsOnOpen();
    void statusBarFollowsCaret();
    void buttonBarFormatsSelection();
    void headerFooterCommands_data();
    void headerFooterCommands();
    void insertTableDialog_data();
    void insertTableDialog();
    void formatMenuFollowsTheCaret();
    void chooseTextColor_data();
    void chooseTextColor();
    void characterAndParagraphDialogs();
};

// What the user did, then what the Edit menu shows for undo and redo.
void EditingTest::undoRedoCaptions_data()
{
    QTest::addColumn<QString>("actions");
    QTest::addColumn<QString>("undo");
    QTest::addColumn<bool>("undoEnabled");
    QTest::addColumn<QString>("redo");
    QTest::addColumn<bool>("redoEnabled");
    QTest::newRow("nothing yet") << "" << "Undo" << false << "Redo" << false;
    QTest::newRow("typed") << "t" << "Undo Input" << true << "Redo" << false;
    QTest::newRow("typed, undone") << "tu" << "Undo" << false << "Redo Input" << true;
    QTest::newRow("deleted") << "tb" << "Undo Deletion" << true << "Redo" << false;
    QTest::newRow("deleted, undone") << "tbu" << "Undo Input" << true << "Redo Deletion" << true;
    QTest::newRow("formatted") << "tf" << "Undo Formatting" << true << "Redo" << false;
    QTest::newRow("formatted, undone") << "tfu" << "Undo Input" << true << "Redo Formatting" << true;
    QTest::newRow("undone, redone") << "tfur" << "Undo Formatting" << true << "Redo" << false;
    QTest::newRow("undo then type drops redo") << "tbut" << "Undo Input" << true << "Redo" << false;
}

void EditingTest::undoRedoCaptions()
{
    QFETCH(QString, actions);
    QFETCH(QString, undo);
    QFETCH(bool, undoEnabled);
    QFETCH(QString, redo);
    QFETCH(bool, redoEnabled);
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    DocumentWindow* window = ws.active();
    for (QChar a : actions) {
        switch (a.toLatin1()) {
        case 't': QTest::keyClicks(typingTarget(ws), "abc"); break;
        case 'b': QTest::keyClick(typingTarget(ws), Qt::Key_Backspace); break;
        case 'f': {
            EditCommands::SelectAllText();
            QTextCharFormat bold;
            bold.setFontWeight(QFont::Bold);
            control(ws)->mergeCharFormat(bold);
            break;
        }
        case 'u': window->action("mnuUndo")->trigger(); break;
        case 'r': window->action("mnuRedo")->trigger(); break;
        }
    }
    openEditMenu(window);
    QCOMPARE(window->action("mnuUndo")->text(), undo);
    QCOMPARE(window->action("mnuUndo")->isEnabled(), undoEnabled);
    QCOMPARE(window->action("mnuRedo")->text(), redo);
    QCOMPARE(window->action("mnuRedo")->isEnabled(), redoEnabled);
}

void EditingTest::undoCaptionsHaveNoShortcut()
{
    TestWorkspace ws;
    ws.start();
    QVERIFY(ws.active()->action("mnuUndo")->shortcut().isEmpty());
    QVERIFY(ws.active()->action("mnuRedo")->shortcut().isEmpty());
    QCOMPARE(ws.active()->action("mnuUndo")->text(), QString("&Undo"));
}

void EditingTest::clipboardCommands()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    TextControl* tc = control(ws);
    tc->setPlainText("alpha beta");
    tc->setSelStart(0);
    tc->setSelLength(5);
    ws.active()->action("mnuEdit_Copy")->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("alpha"));
    ws.active()->action("mnuEdit_Cut")->trigger();
    QCOMPARE(tc->plainText(), QString(" beta"));
    tc->setSelStart(5);
    ws.active()->action("mnuEdit_Paste")->trigger();
    QCOMPARE(tc->plainText(), QString(" betaalpha"));
    tc->setSelStart(0);
    tc->setSelLength(1);
    ws.active()->action("mnuEdit_Delete")->trigger();
    QCOMPARE(tc->plainText(), QString("betaalpha"));
    openEditMenu(ws.active());
    QCOMPARE(ws.active()->action("mnuUndo")->text(), QString("Undo Deletion"));
}

void EditingTest::selectAllKeepsThePointer()
{
    TestWorkspace ws;
    ws.start();
    control(ws)->setPlainText("one\ntwo\nthree");
    control(ws)->setMousePointer(TextControl::PointerDefault);
    ws.active()->action("mnuEdit_SelectAll")->trigger();
    QCOMPARE(control(ws)->selText(), QString("one\ntwo\nthree"));
    QCOMPARE(control(ws)->mousePointer(), int(TextControl::PointerDefault));
}

void EditingTest::findAndReplace()
{
    TestWorkspace ws;
    ws.start();
    TextControl* tc = control(ws);
    tc->setPlainText("Dear Smith, Mr Smith and Smithson.");
    ws.active()->action("mnuEdit_Replace")->trigger();
    FindReplaceDialog* dialog = tc->findReplaceDialog();
    QVERIFY(dialog && dialog->isVisible() && !dialog->isModal());
    dialog->findChild<QLineEdit*>("txtFind")->setText("smith");
    dialog->findChild<QLineEdit*>("txtReplace")->setText("Jones");
    dialog->findChild<QCheckBox*>("chkWholeWord")->setChecked(true);
    QVERIFY(dialog->findNext());
    QCOMPARE(tc->selStart(), 5);
    dialog->findChild<QCheckBox*>("chkMatchCase")->setChecked(true);
    QVERIFY(!dialog->findNext());  // "smith" in lower case is nowhere
    dialog->findChild<QCheckBox*>("chkMatchCase")->setChecked(false);
    QCOMPARE(dialog->replaceAll(), 2);
    QCOMPARE(tc->plainText(), QString("Dear Jones, Mr Jones and Smithson."));
    openEditMenu(ws.active());
    QCOMPARE(ws.active()->action("mnuUndo")->text(), QString("Undo Input"));
    ws.active()->action("mnuUndo")->trigger();
    QCOMPARE(tc->plainText(), QString("Dear Smith, Mr Smith and Smithson."));  // one step
}

void EditingTest::caseConversion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("expected");
    QTest::newRow("upper") << "hello WORLD" << 1 << "HELLO WORLD";
    QTest::newRow("lower") << "hello WORLD" << 2 << "hello world";
    QTest::newRow("initial caps") << "hello WORLD" << 3 << "Hello World";
    QTest::newRow("apostrophe and hyphen") << "o'brien-smith" << 3 << "O'Brien-Smith";
    QTest::newRow("digit ends a word") << "3rd floor" << 3 << "3Rd Floor";
    QTest::newRow("accented letter ends a word") << "élan vital" << 3 << "éLan Vital";
    QTest::newRow("mixed case") << "McDONALD" << 3 << "Mcdonald";
    QTest::newRow("two paragraphs") << "first\nsecond" << 3 << "First\nSecond";
    QTest::newRow("accents upper") << "élan" << 1 << "ÉLAN";
    QTest::newRow("any other mode") << "abc def" << 7 << "Abc Def";
    QTest::newRow("empty") << "" << 3 << "";
}

void EditingTest::caseConversion()
{
    QFETCH(QString, text);
    QFETCH(int, mode);
    QFETCH(QString, expected);
    QCOMPARE(CaseConversion::convert(text, mode), expected);

    TestWorkspace ws;
    ws.start();
    control(ws)->setPlainText(text);
    EditCommands::SelectAllText();
    const char* items[] = {"mnuUpper", "mnuLower", "mnuProper"};
    if (mode >= 1 && mode <= 3) {
        ws.active()->action(items[mode - 1])->trigger();
        QCOMPARE(control(ws)->plainText(), expected);
    }
}

void EditingTest::caseConversionKeepsFormatting()
{
    TestWorkspace ws;
    ws.start();
    TextControl* tc = control(ws);
    tc->setPlainText("hello world");
    tc->setSelStart(0);
    tc->setSelLength(5);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    tc->mergeCharFormat(bold);
    EditCommands::SelectAllText();
    CaseConversion::ConvertCase(CaseConversion::Upper);
    QCOMPARE(tc->plainText(), QString("HELLO WORLD"));
    QTextCursor probe(tc->document());
    probe.setPosition(2);
    QVERIFY(probe.charFormat().font().bold());
    probe.setPosition(8);
    QVERIFY(!probe.charFormat().font().bold());
}

void EditingTest::insertKeyTogglesOverwrite()
{
    TestWorkspace ws;
    ws.start();
    TextControl* tc = control(ws);
    tc->setPlainText("abcdef");
    tc->setSelStart(1);
    QTest::keyClick(typingTarget(ws), Qt::Key_Insert);
    QVERIFY(!tc->insertionMode());
    QTest::keyClicks(typingTarget(ws), "XY");
    QCOMPARE(tc->plainText(), QString("aXYdef"));
    QTest::keyClick(typingTarget(ws), Qt::Key_Insert, Qt::ControlModifier);
    QVERIFY(!tc->insertionMode());  // Insert with a modifier does not switch
    QTest::keyClick(typingTarget(ws), Qt::Key_Insert);
    QVERIFY(tc->insertionMode());
    QTest::keyClicks(typingTarget(ws), "Z");
    QCOMPARE(tc->plainText(), QString("aXYZdef"));
}

void EditingTest::rightClickPopsUpTheEditMenu()
{
    TestWorkspace ws;
    ws.start();
    QMenu* edit = ws.active()->menu("mnuEdit");
    QWidget* viewport = typingTarget(ws);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(200, 200));
    QVERIFY(!edit->isVisible());
    QTest::mousePress(viewport, Qt::RightButton, {}, QPoint(200, 200));
    QVERIFY(edit->isVisible());
    edit->hide();
}

void EditingTest::changeMarksModifiedUnlessIgnored()
{
    TestWorkspace ws;
    ws.start();
    DocumentState& state = DocumentTable::shared().state(1);
    state.IgnoreNextChange = true;
    QTest::keyClicks(typingTarget(ws), "a");
    QVERIFY(!state.Dirty);
    QVERIFY(!state.IgnoreNextChange);
    QTest::keyClicks(typingTarget(ws), "b");
    QVERIFY(state.Dirty);
}

void EditingTest::viewTogglesAreShared()
{
    TestWorkspace ws;
    MainWindow& main = ws.start();
    DocumentWindow* first = ws.active();
    DocumentWindow* second = DocumentWindows::NewDocumentWindow();
    second->action("mnuView_Toolbar")->trigger();
    QVERIFY(main.toolBar()->isHidden());
    QVERIFY(!second->action("mnuView_Toolbar")->isChecked());
    QVERIFY(first->action("mnuView_Toolbar")->isChecked());  // until its menu opens
    emit first->menu("mnuView")->aboutToShow();
    QVERIFY(!first->action("mnuView_Toolbar")->isChecked());

    second->action("mnuView_ParagraphBar")->trigger();
    second->action("mnuView_ParagraphBar")->trigger();
    second->action("mnuView_Toolbar")->trigger();
    QVERIFY(!main.toolBar()->isHidden() && !main.buttonBar()->isHidden());
    QVERIFY(main.toolBar()->y() < main.buttonBar()->y());  // the tool bar stays on top
    second->action("mnuView_StatusBar")->trigger();
    QVERIFY(main.statusBar()->isHidden());
}

void EditingTest::rulerToggleLayout()
{
    TestWorkspace ws;
    ws.start();
    DocumentWindow* window = ws.active();
    window->subWindow()->resize(600, 500);
    QCoreApplication::processEvents();
    const QRect before = window->textControl()->geometry();
    const int ruler = ViewCommands::RulerHeight / ViewCommands::TwipsPerPixel;
    window->action("mnuView_Ruler")->trigger();
    QVERIFY(!window->action("mnuView_Ruler")->isChecked());
    QCOMPARE(window->textControl()->y(), before.y() - ruler);
    QCOMPARE(window->textControl()->height(), before.height() + ruler);
    QCOMPARE(window->textControl()->height(), window->height());
    window->action("mnuView_Ruler")->trigger();
    QCOMPARE(window->textControl()->geometry(), before);
    // The window is wider than its text control (borders), so its background is grey.
    QCOMPARE(window->palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0));
}

void EditingTest::layoutWithMergePanel()
{
    TestWorkspace ws;
    ws.start();
    DocumentWindow* window = ws.active();
    window->mergePanel()->show();
    ViewCommands::LayoutDocumentWindow(window);
    const int panel = ViewCommands::MergePanelHeight / ViewCommands::TwipsPerPixel;
    const int ruler = ViewCommands::RulerHeight / ViewCommands::TwipsPerPixel;
    QCOMPARE(window->ruler()->y(), panel);
    QCOMPARE(window->textControl()->y(), panel + ruler);
    QCOMPARE(window->textControl()->height(), window->height() - panel - ruler);
    // Too small to hold the ruler: the sizes stay as they were.
    const int kept = window->textControl()->height();
    window->resize(window->width(), ruler - 1);
    ViewCommands::LayoutDocumentWindow(window);
    QCOMPARE(window->textControl()->height(), kept);
}

void EditingTest::tableGridLinesCheckFollowsOnOpen()
{
    TestWorkspace ws;
    ws.start();
    DocumentWindow* window = ws.active();
    window->action("mnuView_TableGridLines")->trigger();
    QVERIFY(window->textControl()->tableGridLines());
    window->action("mnuView_TableGridLines")->setChecked(false);
    emit window->menu("mnuView")->aboutToShow();
    QVERIFY(window->action("mnuView_TableGridLines")->isChecked());
    window->textControl()->setZoomFactor(120);
    emit window->menu("mnuView")->aboutToShow();
    for (int k = 1; k <= 7; ++k)
        QVERIFY(!window->action(QString("mnuView_ZoomItem_%1").arg(k))->isChecked());
}

void EditingTest::statusBarFollowsCaret()
{
    TestWorkspace ws;
    MainWindow& main = ws.start();
    TextControl* tc = control(ws);
    tc->setPlainText("first line\nsecond");
    tc->setSelStart(14);
    QCOMPARE(main.statusBar()->textControl(), tc);
    QVERIFY(main.statusBar()->text().contains("Page 1 of 1"));
    QVERIFY(main.statusBar()->text().contains("Line 2"));
    QVERIFY(main.statusBar()->text().contains("Col 4"));
    tc->insertPageBreak();
    QVERIFY(main.statusBar()->text().contains("Page 2 of 2"));
}

void EditingTest::buttonBarFormatsSelection()
{
    TestWorkspace ws;
    MainWindow& main = ws.start();
    TextControl* tc = control(ws);
    tc->setPlainText("word");
    EditCommands::SelectAllText();
    auto* bold = main.buttonBar()->findChild<QToolButton*>("btnBold");
    bold->click();
    QTextCursor probe(tc->document());
    probe.setPosition(2);
    QVERIFY(probe.charFormat().font().bold());
    main.buttonBar()->findChild<QToolButton*>("btnAlignCenter")->click();
    QCOMPARE(probe.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    openEditMenu(ws.active());
    QCOMPARE(ws.active()->action("mnuUndo")->text(), QString("Undo Formatting"));
}

// Each step clicks an Insert item: H header, F footer, P page numbers.
void EditingTest::headerFooterCommands_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("parts");
    QTest::addColumn<QString>("checked");  // H, F, P for the marks that are set
    QTest::newRow("header on") << "H" << 1 << "H";
    QTest::newRow("header on and off") << "HH" << 0 << "";
    QTest::newRow("page numbers without a footer") << "P" << 4 << "FP";
    QTest::newRow("footer, then page numbers") << "FP" << 4 << "FP";
    QTest::newRow("page numbers, then footer off") << "PF" << 0 << "";
    QTest::newRow("page numbers on and off") << "PP" << 0 << "";
    QTest::newRow("header and page numbers") << "HP" << 5 << "HFP";
}

void EditingTest::headerFooterCommands()
{
    QFETCH(QString, steps);
    QFETCH(int, parts);
    QFETCH(QString, checked);
    TestWorkspace ws;
    ws.start();
    DocumentWindow* window = ws.active();
    const QHash<QChar, QString> items = {{'H', "mnuIHeader"}, {'F', "mnuIFooter"}, {'P', "mnuIPageNo"}};
    for (QChar step : steps)
        window->action(items.value(step))->trigger();
    QCOMPARE(control(ws)->headerFooter(), parts);
    QString marks;
    for (QChar c : QString("HFP"))
        if (window->action(items.value(c))->isChecked())
            marks += c;
    QCOMPARE(marks, checked);
    QCOMPARE(control(ws)->editingTarget(), 0);  // the caret is back in the text
    if (checked.contains('P'))
        QCOMPARE(control(ws)->headerFooterParts()->textOnPage(4, 3, 5), QString("3"));
}

void EditingTest::insertTableDialog_data()
{
    QTest::addColumn<int>("rowIndex");
    QTest::addColumn<int>("columnIndex");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QSize>("table");  // columns x rows; empty for none
    QTest::newRow("Enter takes 2 x 2") << -1 << -1 << true << QSize(2, 2);
    QTest::newRow("largest") << 99 << 11 << true << QSize(12, 100);
    QTest::newRow("cancel") << 4 << 4 << false << QSize();
}

void EditingTest::insertTableDialog()
{
    QFETCH(int, rowIndex);
    QFETCH(int, columnIndex);
    QFETCH(bool, ok);
    QFETCH(QSize, table);
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    dialogs.dialogScripts << [&](QDialog* dialog) {
        auto* rows = dialog->findChild<QComboBox*>("cboRows");
        auto* columns = dialog->findChild<QComboBox*>("cboColumns");
        if (rowIndex >= 0) {
            rows->setCurrentIndex(rowIndex);
            columns->setCurrentIndex(columnIndex);
        }
        QPushButton* button = dialog->findChild<QPushButton*>(ok ? "btnOK" : "btnCancel");
        button->click();
        return dialog->result();
    };
    emit ws.active()->menu("mnuInsert")->aboutToShow();
    QVERIFY(ws.active()->action("mnuInsert_Table")->isEnabled());
    ws.active()->action("mnuInsert_Table")->trigger();
    QCOMPARE(dialogs.dialogsShown, QStringList{"frmTableDlg"});
    QTextTable* inserted = control(ws)->textCursor().currentTable();
    QCOMPARE(inserted ? QSize(inserted->columns(), inserted->rows()) : QSize(), table);
}

void EditingTest::formatMenuFollowsTheCaret()
{
    TestWorkspace ws;
    ws.start();
    DocumentWindow* window = ws.active();
    auto open = [window] { emit window->menu("mnuFormat")->aboutToShow(); };
    open();
    QVERIFY(!window->action("mnuTInsRow")->isEnabled());
    QVERIFY(!window->action("mnuTDelRow")->isEnabled());
    control(ws)->tableInsert(2, 2);
    open();
    QVERIFY(window->action("mnuTInsRow")->isEnabled());
    QVERIFY(window->action("mnuTDelRow")->isEnabled());
    window->action("mnuTInsRow")->trigger();
    QCOMPARE(control(ws)->textCursor().currentTable()->rows(), 3);
    window->action("mnuTDelRow")->trigger();
    QCOMPARE(control(ws)->textCursor().currentTable()->rows(), 2);
    QVERIFY(!window->action("mnuFormat_Image")->isEnabled());  // no image selected
}

// The selection is "red" in red, or "red" plus "blue" (mixed) when `mixed` is set.
void EditingTest::chooseTextColor_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("mixed");
    QTest::addColumn<QColor>("answer");  // invalid: Cancel
    QTest::addColumn<QColor>("dialogStartsOn");
    QTest::addColumn<bool>("written");
    QTest::newRow("cancel writes nothing") << 1 << false << QColor() << QColor(Qt::red) << false;
    QTest::newRow("same colour writes nothing") << 1 << false << QColor(Qt::red) << QColor(Qt::red) << false;
    QTest::newRow("another colour is written") << 1 << false << QColor(Qt::green) << QColor(Qt::red) << true;
    QTest::newRow("mixed starts on black, writes even black") << 1 << true << QColor(Qt::black) << QColor(Qt::black) << true;
    QTest::newRow("background") << 2 << false << QColor(Qt::yellow) << QColor(Qt::white) << true;
}

void EditingTest::chooseTextColor()
{
    QFETCH(int, mode);
    QFETCH(bool, mixed);
    QFETCH(QColor, answer);
    QFETCH(QColor, dialogStartsOn);
    QFETCH(bool, written);
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    TextControl* tc = control(ws);
    tc->setPlainText("red blue");
    tc->setSelStart(0);
    tc->setSelLength(3);
    tc->setForeColor(TextControl::toBgr(Qt::red));
    tc->setSelLength(mixed ? 8 : 3);
    if (mixed) {
        QTextCursor blue(tc->document());
        blue.setPosition(4);
        blue.setPosition(8, QTextCursor::KeepAnchor);
        QTextCharFormat f;
        f.setForeground(QColor(Qt::blue));
        blue.mergeCharFormat(f);
        QCOMPARE(tc->foreColor(), -1);
    }
    const int undoBefore = tc->document()->availableUndoSteps();
    dialogs.colourAnswers << answer;
    ws.active()->action(mode == 1 ? "mnuFormat_TColor" : "mnuFormat_BColor")->trigger();
    QCOMPARE(dialogs.colourRequests.value(0), dialogStartsOn);
    QCOMPARE(tc->document()->availableUndoSteps() > undoBefore, written);
    if (written) {
        const int value = TextControl::toBgr(answer);
        QCOMPARE(mode == 1 ? tc->foreColor() : tc->textBkColor(), value);
        if (mode == 2)
            QCOMPARE(tc->foreColor(), TextControl::toBgr(Qt::red));  // the text colour stays
    }
}

void EditingTest::characterAndParagraphDialogs()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    TextControl* tc = control(ws);
    tc->setPlainText("Dear patient");
    EditCommands::SelectAllText();
    dialogs.dialogScripts << [](QDialog* d) {
        d->findChild<QCheckBox*>("chkBold")->setChecked(true);
        d->findChild<QComboBox*>("cboSize")->setEditText("14");
        d->findChild<QComboBox*>("cboPosition")->setCurrentIndex(1);
        return int(QDialog::Accepted);
    };
    dialogs.dialogScripts << [](QDialog* d) {
        d->findChild<QCheckBox*>("chkItalic")->setChecked(true);
        return int(QDialog::Rejected);  // Cancel changes nothing
    };
    dialogs.dialogScripts << [](QDialog* d) {
        d->findChild<QComboBox*>("cboAlignment")->setCurrentIndex(1);
        d->findChild<QDoubleSpinBox*>("txtLeft")->setValue(0.5);
        d->findChild<QComboBox*>("cboLineSpacing")->setCurrentIndex(2);
        d->findChild<QLineEdit*>("txtTabs")->setText("2.5; 1 x -3");
        return int(QDialog::Accepted);
    };
    ws.active()->action("mnuFormat_Character")->trigger();
    ws.active()->action("mnuFormat_Character")->trigger();
    ws.active()->action("mnuFormat_Paragraph")->trigger();
    QCOMPARE(dialogs.dialogsShown, (QStringList{"dlgFont", "dlgFont", "dlgParagraph"}));
    QTextCursor probe(tc->document());
    probe.setPosition(3);
    QVERIFY(probe.charFormat().font().bold());
    QVERIFY(!probe.charFormat().font().italic());
    QCOMPARE(probe.charFormat().fontPointSize(), 14.0);
    QCOMPARE(probe.charFormat().verticalAlignment(), QTextCharFormat::AlignSuperScript);
    QCOMPARE(probe.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(qRound(probe.blockFormat().leftMargin()), 48);
    QCOMPARE(probe.blockFormat().lineHeight(), 200.0);
    const QList<QTextOption::Tab> tabs = probe.blockFormat().tabPositions();  // sorted, junk left out
    QCOMPARE(tabs.size(), 2);
    QCOMPARE(tabs.at(0).position, 96.0);
    QCOMPARE(tabs.at(1).position, 240.0);
    openEditMenu(ws.active());
    QCOMPARE(ws.active()->action("mnuUndo")->text(), QString("Undo Formatting"));
}

QTEST_MAIN(EditingTest)
#include "tst_editing.moc"
