// Typing into a new document through the shown window: every character lands as typed, only the
// Insert key changes the typing mode, the status bar counts the lines the page shows, and the
// Character dialog applies only what the user changed.
#include "components/textcontrol/layout/headerfooter.h"
#include "components/textcontrol/view/pageview.h"
#include "components/textcontrol/view/statusbar.h"
#include "components/textcontrol/textcontrol.h"
#include "documents/documentwindow.h"
#include "shell/mainwindow.h"
#include "support/scripteddialogs.h"
#include "support/testworkspace.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTextCursor>
#include <QtTest>

namespace {

// Where the keyboard's events go: the page view, the control's focus proxy.
QWidget* typingTarget(TestWorkspace& ws)
{
    ws.active()->textControl()->setFocus();
    return ws.active()->textControl()->pageView();
}

// Types `text` key by key; characters beyond Latin-1 come as a keyboard layout sends them, a
// key without a Qt code of its own carrying the character.
void typeText(QWidget* target, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(target, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, target, c.unicode() < 0x100 ? Qt::Key(c.toUpper().unicode())
                                                                         : Qt::Key_unknown,
                                QString(c), Qt::NoModifier);
    }
}

QString statusLabel(MainWindow& main, const char* name)
{
    return main.statusBar()->findChild<QLabel*>(QLatin1String(name))->text();
}

}  // namespace

class TypingTest : public QObject {
    Q_OBJECT
private slots:
    void everyCharacterLandsAsTyped();
    void onlyTheInsertKeyOverwrites();
    void statusLineCountsWrappedLines();
    void statusBarFollowsTheHeaderCaret();
    void characterDialogAppliesOnlyChanges_data();
    void characterDialogAppliesOnlyChanges();
};

void TypingTest::everyCharacterLandsAsTyped()
{
    TestWorkspace ws;
    MainWindow& main = ws.start();
    QWidget* target = typingTarget(ws);
    QString ascii;
    for (char c = 0x20; c < 0x7f; ++c)
        ascii += QLatin1Char(c);
    const QString typographic = QStringLiteral("é ü ß – — “ ” €");
    typeText(target, ascii);
    QTest::keyClick(target, Qt::Key_Return);
    typeText(target, typographic);
    QTest::keyClick(target, Qt::Key_Tab);
    typeText(target, QStringLiteral("xy"));
    QTest::keyClick(target, Qt::Key_Backspace);
    QCOMPARE(ws.active()->textControl()->plainText(), ascii + '\n' + typographic + "\tx");
    QCOMPARE(statusLabel(main, "lblMode"), QStringLiteral("INS"));
}

void TypingTest::onlyTheInsertKeyOverwrites()
{
    TestWorkspace ws;
    MainWindow& main = ws.start();
    QWidget* target = typingTarget(ws);
    TextControl* control = ws.active()->textControl();
    typeText(target, QStringLiteral("Please schedule the appointment."));
    QTest::keyClick(target, Qt::Key_Home);
    typeText(target, QStringLiteral("X-ray and follow-up "));
    QCOMPARE(control->plainText(), QStringLiteral("X-ray and follow-up Please schedule the appointment."));
    QCOMPARE(statusLabel(main, "lblMode"), QStringLiteral("INS"));

    QTest::keyClick(target, Qt::Key_Insert);
    QCOMPARE(statusLabel(main, "lblMode"), QStringLiteral("OVR"));
    typeText(target, QStringLiteral("P"));  // over "P" of "Please"
    QCOMPARE(control->plainText(), QStringLiteral("X-ray and follow-up Please schedule the appointment."));
    QTest::keyClick(target, Qt::Key_Insert);
    QCOMPARE(statusLabel(main, "lblMode"), QStringLiteral("INS"));
}

void TypingTest::statusLineCountsWrappedLines()
{
    TestWorkspace ws;
    MainWindow& main = ws.start();
    QWidget* target = typingTarget(ws);
    TextControl* control = ws.active()->textControl();
    // About three lines of a Letter page's text width.
    typeText(target, QString("The patient was seen today for a follow-up of her hypertension. ").repeated(3));
    QTest::keyClick(target, Qt::Key_Return);
    typeText(target, QStringLiteral("Sincerely,"));
    QTextCursor first(control->document());
    const int wrapped = first.block().layout()->lineCount();
    QVERIFY2(wrapped >= 2, "the first paragraph wraps");
    QCOMPARE(statusLabel(main, "lblLine"), QStringLiteral("Line %1").arg(wrapped + 1));
    QTest::keyClick(target, Qt::Key_Up);  // onto the first paragraph's last line
    QCOMPARE(statusLabel(main, "lblLine"), QStringLiteral("Line %1").arg(wrapped));
    QTest::keyClick(target, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(statusLabel(main, "lblLine"), QStringLiteral("Line 1"));
}

void TypingTest::statusBarFollowsTheHeaderCaret()
{
    TestWorkspace ws;
    MainWindow& main = ws.start();
    QWidget* target = typingTarget(ws);
    typeText(target, QStringLiteral("Body text"));
    ws.active()->action("mnuIHeader")->trigger();
    ws.active()->textControl()->headerFooterSelect(HeaderFooter::Header);
    target = ws.active()->textControl()->pageView();
    typeText(target, QStringLiteral("Lakeside Family Medicine"));
    QTest::keyClick(target, Qt::Key_Return);
    typeText(target, QStringLiteral("Suite 4"));
    QCOMPARE(statusLabel(main, "lblLine"), QStringLiteral("Line 2"));
    QCOMPARE(statusLabel(main, "lblColumn"), QStringLiteral("Col 8"));
    QCOMPARE(statusLabel(main, "lblPage"), QStringLiteral("Page 1 of 1"));
}

void TypingTest::characterDialogAppliesOnlyChanges_data()
{
    QTest::addColumn<bool>("checkBold");
    QTest::newRow("Ok without changes") << false;
    QTest::newRow("bold checked") << true;
}

void TypingTest::characterDialogAppliesOnlyChanges()
{
    QFETCH(bool, checkBold);
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    QWidget* target = typingTarget(ws);
    TextControl* control = ws.active()->textControl();
    typeText(target, QStringLiteral("Dear Dr. Smith,"));
    QTextCursor all(control->document());
    all.select(QTextCursor::Document);
    QTextCharFormat times;
    times.setFontFamilies({QStringLiteral("Times New Roman")});
    times.setFontPointSize(10.5);  // shown rounded in the dialog
    all.mergeCharFormat(times);
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    dialogs.dialogScripts << [&](QDialog* dialog) {
        if (checkBold)
            dialog->findChild<QCheckBox*>("chkBold")->setChecked(true);
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        return dialog->result();
    };
    ws.active()->action("mnuFormat_Character")->trigger();
    QCOMPARE(dialogs.dialogsShown, QStringList{"dlgFont"});
    QTextCursor probe(control->document());
    probe.setPosition(3);
    QCOMPARE(probe.charFormat().fontFamilies().toStringList(), QStringList{"Times New Roman"});
    QCOMPARE(probe.charFormat().fontPointSize(), 10.5);
    QCOMPARE(probe.charFormat().font().bold(), checkBold);
}

QTEST_MAIN(TypingTest)
#include "tst_typing.moc"
