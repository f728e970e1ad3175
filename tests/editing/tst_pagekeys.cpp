// Page Down and Page Up move the caret a screen at a time, as in every word processor: typing
// after Page Down goes in further down the document, not where the caret was before. Ctrl+Home
// shows the first page from its top edge.
#include "components/textcontrol/view/pageview.h"
#include "components/textcontrol/textcontrol.h"
#include "documents/documentwindow.h"
#include "shell/mainwindow.h"
#include "support/testworkspace.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QtTest>

namespace {

TextControl* control(TestWorkspace& ws) { return ws.active()->textControl(); }
QWidget* viewport(TestWorkspace& ws) { return control(ws)->pageView()->viewport(); }

// A document of 300 numbered lines, the caret on the first.
void longDocument(TestWorkspace& ws)
{
    QStringList lines;
    for (int i = 1; i <= 300; ++i)
        lines << QStringLiteral("Line %1 of the patient's history.").arg(i);
    control(ws)->setPlainText(lines.join(QLatin1Char('\n')));
    QTest::keyClick(viewport(ws), Qt::Key_Home, Qt::ControlModifier);
}

int caretLine(TestWorkspace& ws) { return control(ws)->textCursor().block().blockNumber(); }

}  // namespace

class PageKeysTest : public QObject {
    Q_OBJECT
private slots:
    void pageDownMovesTheCaretAndTypingFollows();
    void pageUpComesBackAndShiftSelects();
    void ctrlHomeShowsTheTopOfTheFirstPage_data();
    void ctrlHomeShowsTheTopOfTheFirstPage();
};

void PageKeysTest::pageDownMovesTheCaretAndTypingFollows()
{
    TestWorkspace ws;
    ws.start();
    longDocument(ws);
    auto* bar = control(ws)->pageView()->verticalScrollBar();
    const int scrolled = bar->value();
    QTest::keyClick(viewport(ws), Qt::Key_PageDown);
    const int once = caretLine(ws);
    QVERIFY2(once > 5, qPrintable(QString::number(once)));
    QVERIFY(bar->value() > scrolled);
    QTest::keyClick(viewport(ws), Qt::Key_PageDown);
    QVERIFY(caretLine(ws) > once);
    QTest::keyClicks(viewport(ws), "Z");
    QVERIFY(!control(ws)->document()->begin().text().contains(QLatin1Char('Z')));
    QVERIFY(control(ws)->textCursor().block().text().contains(QLatin1Char('Z')));
}

void PageKeysTest::pageUpComesBackAndShiftSelects()
{
    TestWorkspace ws;
    ws.start();
    longDocument(ws);
    QTest::keyClick(viewport(ws), Qt::Key_PageDown);
    QTest::keyClick(viewport(ws), Qt::Key_PageDown);
    QTest::keyClick(viewport(ws), Qt::Key_PageUp);
    QTest::keyClick(viewport(ws), Qt::Key_PageUp);
    QVERIFY2(caretLine(ws) < 3, qPrintable(QString::number(caretLine(ws))));
    QTest::keyClick(viewport(ws), Qt::Key_PageDown, Qt::ShiftModifier);
    const QTextCursor selected = control(ws)->textCursor();
    QVERIFY(selected.hasSelection());
    QVERIFY(selected.anchor() < selected.position());
    QVERIFY(selected.selectedText().contains(QLatin1String("Line 5 of the patient's history.")));
}

void PageKeysTest::ctrlHomeShowsTheTopOfTheFirstPage_data()
{
    QTest::addColumn<int>("modifiers");
    QTest::newRow("caret") << int(Qt::ControlModifier);
    QTest::newRow("selection") << int(Qt::ControlModifier | Qt::ShiftModifier);
}

void PageKeysTest::ctrlHomeShowsTheTopOfTheFirstPage()
{
    QFETCH(int, modifiers);
    TestWorkspace ws;
    ws.start();
    longDocument(ws);
    auto* bar = control(ws)->pageView()->verticalScrollBar();
    QTest::keyClick(viewport(ws), Qt::Key_End, Qt::ControlModifier);
    bar->setValue(bar->maximum());  // the end in view, as the user scrolled there
    QTest::keyClick(viewport(ws), Qt::Key_Home, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(control(ws)->textCursor().position(), 0);
    QCOMPARE(bar->value(), bar->minimum());
}

QTEST_MAIN(PageKeysTest)
#include "tst_pagekeys.moc"
