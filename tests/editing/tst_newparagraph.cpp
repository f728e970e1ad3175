// Enter starts a new paragraph that goes on where the writer is: after a page break the new
// paragraph stays on the page, and at the end of another program's letter it keeps the
// letter's font.
#include "components/textcontrol/textcontrol.h"
#include "components/textcontrol/view/pageview.h"
#include "documents/documentwindow.h"
#include "shell/mainwindow.h"
#include "support/testworkspace.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QtTest>

namespace {

TextControl* control(TestWorkspace& ws) { return ws.active()->textControl(); }
QWidget* viewport(TestWorkspace& ws) { return control(ws)->pageView()->viewport(); }

QTextCharFormat formatOf(TextControl* control, const QString& text)
{
    QTextCursor found = control->document()->find(text);
    QTextCursor probe(control->document());
    probe.setPosition(found.selectionEnd());
    return probe.charFormat();
}

}  // namespace

class NewParagraphTest : public QObject {
    Q_OBJECT
private slots:
    void enterAfterAPageBreakStaysOnThePage_data();
    void enterAfterAPageBreakStaysOnThePage();
    void enterAtTheEndKeepsTheLettersFont();
};

void NewParagraphTest::enterAfterAPageBreakStaysOnThePage_data()
{
    QTest::addColumn<bool>("atStart");
    QTest::newRow("at the end of the paragraph") << false;
    QTest::newRow("at its start") << true;
}

void NewParagraphTest::enterAfterAPageBreakStaysOnThePage()
{
    QFETCH(bool, atStart);
    TestWorkspace ws;
    ws.start();
    QTest::keyClicks(viewport(ws), QStringLiteral("Dear Dr. Smith,"));
    QTest::keyClick(viewport(ws), Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClicks(viewport(ws), QStringLiteral("Results follow."));
    if (atStart)
        QTest::keyClick(viewport(ws), Qt::Key_Home);
    QTest::keyClick(viewport(ws), Qt::Key_Return);
    QTest::keyClicks(viewport(ws), QStringLiteral("Kind regards,"));
    QCOMPARE(control(ws)->currentPages(), 2);
    QCOMPARE(control(ws)->textCursor().block().blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_Auto);
    // Undo takes the new paragraph back in one step with its format.
    QTest::keyClick(viewport(ws), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(viewport(ws), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(control(ws)->plainText(), QStringLiteral("Dear Dr. Smith,\nResults follow."));
    QCOMPARE(control(ws)->currentPages(), 2);
}

void NewParagraphTest::enterAtTheEndKeepsTheLettersFont()
{
    TestWorkspace ws;
    const QString path = ws.writeFile(QStringLiteral("Documents/letter.rtf"),
                                      "{\\rtf1\\ansi{\\fonttbl{\\f0 Liberation Serif;}{\\f1 Liberation Sans;}}"
                                      "\\pard\\plain\\f1\\fs22 Dear Dr. Smith,\\par\\pard\\plain{\\f1\\fs22 Yours sincerely}\\par}");
    ws.start(path);
    QTest::keyClick(viewport(ws), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(viewport(ws), Qt::Key_Return);
    QTest::keyClicks(viewport(ws), QStringLiteral("Dr. Jones"));
    const QTextCharFormat typed = formatOf(control(ws), QStringLiteral("Dr. Jones"));
    QCOMPARE(typed.fontFamilies().toStringList().value(0), QStringLiteral("Liberation Sans"));
    QCOMPARE(typed.fontPointSize(), 11.0);
}

QTEST_MAIN(NewParagraphTest)
#include "tst_newparagraph.moc"
