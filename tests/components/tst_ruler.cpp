// The ruler: dragging the indents and tab stops changes the selected paragraphs once.
#include "components/textcontrol/document/layoutunits.h"
#include "components/textcontrol/view/ruler.h"
#include "components/textcontrol/textcontrol.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>
#include <QtTest>

class RulerTest : public QObject {
    Q_OBJECT
private slots:
    void drags_data();
    void drags();
};

void RulerTest::drags_data()
{
    // Twips from the page's left edge; the page's left margin is 1440 and its text ends at 10800.
    QTest::addColumn<int>("fromTwips");  // -1: a click on empty ruler at toTwips
    QTest::addColumn<bool>("top");       // the first-line marker sits on top
    QTest::addColumn<int>("toTwips");
    QTest::addColumn<bool>("offRuler");
    QTest::addColumn<int>("leftIndent");  // twips afterwards
    QTest::addColumn<int>("firstLine");
    QTest::addColumn<int>("rightIndent");
    QTest::addColumn<QList<int>>("tabs");
    QTest::newRow("left indent") << 1440 << false << 2160 << false << 720 << 0 << 0 << QList<int>{2880};
    QTest::newRow("first line") << 1440 << true << 1800 << false << 0 << 360 << 0 << QList<int>{2880};
    QTest::newRow("right indent") << 10800 << false << 9360 << false << 0 << 0 << 1440 << QList<int>{2880};
    QTest::newRow("tab moved") << 4320 << false << 5040 << false << 0 << 0 << 0 << QList<int>{3600};
    QTest::newRow("tab removed") << 4320 << false << 4320 << true << 0 << 0 << 0 << QList<int>{};
    QTest::newRow("new tab") << -1 << false << 2160 << false << 0 << 0 << 0 << QList<int>{720, 2880};
}

void RulerTest::drags()
{
    QFETCH(int, fromTwips);
    QFETCH(bool, top);
    QFETCH(int, toTwips);
    QFETCH(bool, offRuler);
    QFETCH(int, leftIndent);
    QFETCH(int, firstLine);
    QFETCH(int, rightIndent);
    QFETCH(QList<int>, tabs);
    QWidget host;
    auto* layout = new QVBoxLayout(&host);
    auto* ruler = new Ruler(&host);
    auto* control = new TextControl(&host);
    layout->addWidget(ruler);
    layout->addWidget(control);
    host.resize(1000, 500);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    control->setRulerHandle(ruler);
    control->setPlainText("one\ntwo\nthree");
    control->setSelStart(0);
    control->setSelLength(5);  // the first two paragraphs
    QTextBlockFormat tab;
    tab.setTabPositions({QTextOption::Tab(LayoutUnits::fromTwips(2880), QTextOption::LeftTab)});
    control->mergeBlockFormat(tab);

    const int y = top ? 2 : ruler->height() - 4;
    const QPoint from(ruler->xForTwips(fromTwips < 0 ? toTwips : fromTwips), y);
    const QPoint to(ruler->xForTwips(toTwips), offRuler ? ruler->height() + 40 : y);
    QCOMPARE(ruler->twipsForX(ruler->xForTwips(2160)), 2160);
    QTest::mousePress(ruler, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, ruler->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ruler, &move);
    QTest::mouseRelease(ruler, Qt::LeftButton, {}, to);

    for (int b = 0; b < 2; ++b) {
        const QTextBlockFormat f = control->document()->findBlockByNumber(b).blockFormat();
        QCOMPARE(LayoutUnits::toTwips(f.leftMargin()), leftIndent);
        QCOMPARE(LayoutUnits::toTwips(f.textIndent()), firstLine);
        QCOMPARE(LayoutUnits::toTwips(f.rightMargin()), rightIndent);
        QList<int> found;
        for (const QTextOption::Tab& t : f.tabPositions())
            found << LayoutUnits::toTwips(t.position);
        QCOMPARE(found, tabs);
    }
    // The third paragraph was not selected, and the drag undoes as one step.
    QCOMPARE(control->document()->findBlockByNumber(2).blockFormat().leftMargin(), 0.0);
    control->undo();
    QCOMPARE(control->document()->findBlockByNumber(0).blockFormat().leftMargin(), 0.0);
    QCOMPARE(control->document()->findBlockByNumber(0).blockFormat().tabPositions().size(), 1);
}

QTEST_MAIN(RulerTest)
#include "tst_ruler.moc"
