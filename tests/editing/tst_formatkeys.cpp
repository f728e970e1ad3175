// The format keys every word processor has: Ctrl+B, Ctrl+I and Ctrl+U switch bold, italic and
// underline for what is selected or typed next, Ctrl+L, Ctrl+E, Ctrl+R and Ctrl+J align the
// paragraph, and formatting chosen while the header is edited stays in the header.
#include "components/textcontrol/layout/headerfooter.h"
#include "components/textcontrol/view/pageview.h"
#include "components/textcontrol/textcontrol.h"
#include "documents/documentwindow.h"
#include "shell/mainwindow.h"
#include "support/headerclick.h"
#include "support/testworkspace.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QToolButton>
#include <QtTest>

namespace {

TextControl* control(TestWorkspace& ws) { return ws.active()->textControl(); }
QWidget* viewport(TestWorkspace& ws) { return control(ws)->pageView()->viewport(); }
void type(TestWorkspace& ws, const QString& text) { QTest::keyClicks(viewport(ws), text); }

// The format of the character at `position` of the body.
QTextCharFormat formatAt(TestWorkspace& ws, int position)
{
    QTextCursor cursor(control(ws)->document());
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

bool hasStyle(const QTextCharFormat& format, char style)
{
    switch (style) {
    case 'b': return format.fontWeight() == QFont::Bold;
    case 'i': return format.fontItalic();
    default: return format.fontUnderline();
    }
}

}  // namespace

class FormatKeysTest : public QObject {
    Q_OBJECT
private slots:
    void styleKeysSwitchForTyping_data();
    void styleKeysSwitchForTyping();
    void styleKeysApplyToSelection();
    void redoKeys_data();
    void redoKeys();
    void alignmentKeys_data();
    void alignmentKeys();
    void buttonWhileEditingHeaderStaysThere();
};

void FormatKeysTest::styleKeysSwitchForTyping_data()
{
    QTest::addColumn<char>("key");
    QTest::addColumn<char>("style");
    QTest::addColumn<QString>("button");
    QTest::newRow("Ctrl+B") << 'B' << 'b' << "btnBold";
    QTest::newRow("Ctrl+I") << 'I' << 'i' << "btnItalic";
    QTest::newRow("Ctrl+U") << 'U' << 'u' << "btnUnderline";
}

// Switched on, typed, switched off: only the words between carry the style, and the bar's
// button shows it while the caret is there.
void FormatKeysTest::styleKeysSwitchForTyping()
{
    QFETCH(char, key);
    QFETCH(char, style);
    QFETCH(QString, button);
    TestWorkspace ws;
    ws.start();
    type(ws, "Next ");
    QTest::keyClick(viewport(ws), Qt::Key(key), Qt::ControlModifier);
    type(ws, "visit:");
    auto* shown = ws.main().findChild<QToolButton*>(button);
    QVERIFY(shown && shown->isChecked());
    QTest::keyClick(viewport(ws), Qt::Key(key), Qt::ControlModifier);
    QVERIFY(!shown->isChecked());
    type(ws, " March 3, 9:30 a.m.");
    QCOMPARE(control(ws)->plainText(), QString("Next visit: March 3, 9:30 a.m."));
    QVERIFY(!hasStyle(formatAt(ws, 0), style));
    QVERIFY(hasStyle(formatAt(ws, 5), style));
    QVERIFY(hasStyle(formatAt(ws, 10), style));
    QVERIFY(!hasStyle(formatAt(ws, 12), style));
}

// With a selection the key formats the selection; a second press takes the style off, and
// undo brings back the plain text.
void FormatKeysTest::styleKeysApplyToSelection()
{
    TestWorkspace ws;
    ws.start();
    type(ws, "Take metformin twice daily.");
    // "Take " selected from the start of the line.
    QTest::keyClick(viewport(ws), Qt::Key_Home);
    QTest::keyClick(viewport(ws), Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(viewport(ws), Qt::Key_B, Qt::ControlModifier);
    QVERIFY(hasStyle(formatAt(ws, 1), 'b'));
    QVERIFY(!hasStyle(formatAt(ws, 7), 'b'));
    QTest::keyClick(viewport(ws), Qt::Key_B, Qt::ControlModifier);
    QVERIFY(!hasStyle(formatAt(ws, 1), 'b'));
    QTest::keyClick(viewport(ws), Qt::Key_B, Qt::ControlModifier);
    QTest::keyClick(viewport(ws), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(!hasStyle(formatAt(ws, 1), 'b'));
    QCOMPARE(control(ws)->plainText(), QString("Take metformin twice daily."));
}

void FormatKeysTest::redoKeys_data()
{
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("key");
    QTest::newRow("Ctrl+Y") << int(Qt::ControlModifier) << int(Qt::Key_Y);
    QTest::newRow("Ctrl+Shift+Z") << int(Qt::ControlModifier | Qt::ShiftModifier) << int(Qt::Key_Z);
}

// Ctrl+Z takes back what was typed, and either redo key brings it back.
void FormatKeysTest::redoKeys()
{
    QFETCH(int, modifiers);
    QFETCH(int, key);
    TestWorkspace ws;
    ws.start();
    type(ws, "Dr. O'Brien - ");
    QTest::keyClick(viewport(ws), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(control(ws)->plainText(), QString());
    QTest::keyClick(viewport(ws), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(control(ws)->plainText(), QString("Dr. O'Brien - "));
}

void FormatKeysTest::alignmentKeys_data()
{
    QTest::addColumn<char>("key");
    QTest::addColumn<int>("alignment");
    QTest::newRow("Ctrl+E centres") << 'E' << int(Qt::AlignHCenter);
    QTest::newRow("Ctrl+R right") << 'R' << int(Qt::AlignRight);
    QTest::newRow("Ctrl+J justifies") << 'J' << int(Qt::AlignJustify);
    QTest::newRow("Ctrl+L left") << 'L' << int(Qt::AlignLeft);
}

void FormatKeysTest::alignmentKeys()
{
    QFETCH(char, key);
    QFETCH(int, alignment);
    TestWorkspace ws;
    ws.start();
    type(ws, "Dear Dr. O'Brien,");
    QTest::keyClick(viewport(ws), Qt::Key_Return);
    type(ws, "Re: follow-up");
    if (key == 'L')
        QTest::keyClick(viewport(ws), Qt::Key_E, Qt::ControlModifier);
    QTest::keyClick(viewport(ws), Qt::Key(key), Qt::ControlModifier);
    const QTextDocument* document = control(ws)->document();
    QCOMPARE(int(document->lastBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask), alignment);
    QVERIFY((document->firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask) != Qt::AlignHCenter);
    QCOMPARE(control(ws)->plainText(), QString("Dear Dr. O'Brien,\nRe: follow-up"));
}

// Bold chosen on the bar while the header is edited formats the header's typing; after Esc the
// body's text goes on in the body, unformatted.
void FormatKeysTest::buttonWhileEditingHeaderStaysThere()
{
    TestWorkspace ws;
    ws.start();
    type(ws, "Dear Dr. Smith,");
    clickIntoNewHeader(ws);
    TextControl* tc = control(ws);
    QCOMPARE(tc->editingTarget(), 1);
    ws.main().findChild<QToolButton*>("btnBold")->click();
    type(ws, "Clinic");
    QTest::keyClick(viewport(ws), Qt::Key_Escape);
    QCOMPARE(tc->editingTarget(), 0);
    type(ws, " Thanks.");
    QTextDocument* header = tc->headerFooterParts()->document(1);
    QCOMPARE(header->toPlainText(), QString("Clinic"));
    QTextCursor inHeader(header);
    inHeader.setPosition(2);
    QCOMPARE(inHeader.charFormat().fontWeight(), int(QFont::Bold));
    QCOMPARE(tc->plainText(), QString("Dear Dr. Smith, Thanks."));
    QVERIFY(!hasStyle(formatAt(ws, 17), 'b'));
}

QTEST_MAIN(FormatKeysTest)
#include "tst_formatkeys.moc"
