// The page layout: line pitch from the fonts' own metrics, paragraph spacing that adds up,
// page breaks, no ceiling on the page count, and hit testing that finds what was placed.
#include "components/textcontrol/document/keepwithnext.h"
#include "components/textcontrol/layout/pagelayout.h"

#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QtTest>

namespace {

constexpr double Inch = 96.0;

// A Letter page with one-inch margins, laid out by PageLayout at 96 units per inch.
struct Document {
    QTextDocument text;
    PageLayout* layout = nullptr;
    QImage device{1, 1, QImage::Format_RGB32};

    Document()
    {
        device.setDotsPerMeterX(3780);
        device.setDotsPerMeterY(3780);
        QFont font(QStringLiteral("Liberation Serif"));
        font.setPointSizeF(12);
        text.setDefaultFont(font);
        text.setPageSize(QSizeF(8.5 * Inch, 11 * Inch));
        QTextFrameFormat frame = text.rootFrame()->frameFormat();
        frame.setMargin(Inch);
        text.rootFrame()->setFrameFormat(frame);
        layout = new PageLayout(&text);
        layout->setPaintDevice(&device);
        text.setDocumentLayout(layout);
    }

    void paragraphs(int count, const QTextBlockFormat& format = {})
    {
        QTextCursor cursor(&text);
        for (int i = 0; i < count; ++i) {
            if (i > 0)
                cursor.insertBlock(format);
            else
                cursor.setBlockFormat(format);
            cursor.insertText(QStringLiteral("Line %1").arg(i + 1));
        }
    }
    int pageOf(int block) const { return layout->pageOfBlock(text.findBlockByNumber(block)); }
    // A cursor at the end of `count` paragraphs just written.
    QTextCursor afterParagraphs(int count)
    {
        paragraphs(count);
        QTextCursor cursor(text.lastBlock());
        cursor.movePosition(QTextCursor::EndOfBlock);
        return cursor;
    }
};

}  // namespace

class PageLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void linesPerPage_data();
    void linesPerPage();
    void hardBreaksStartPages();
    void fortyThousandPages();
    void hitTestFindsPlacedText();
    void editsLayOutAsAFreshLayoutWould_data();
    void editsLayOutAsAFreshLayoutWould();
    void rowsMoveWholeAndHeadingsRepeat();
    void lazyLayoutGrowsToTheEnd();
    void placedPictureThatDoesNotFitMakesTheNextPage();
    void decimalStop_data();
    void decimalStop();
    void headingKeptWithItsText_data();
    void headingKeptWithItsText();
    void extraLineSpace_data();
    void extraLineSpace();
};

// Nine inches of text at 12 pt: 46 lines of 13.8 pt as LibreOffice and Word set them (Qt's own
// layout rounds each line up to 14.25 pt and fits 45); spacing before and after adds up.
void PageLayoutTest::linesPerPage_data()
{
    QTest::addColumn<double>("before");  // points
    QTest::addColumn<double>("after");
    QTest::addColumn<int>("perPage");
    QTest::newRow("single spacing") << 0.0 << 0.0 << 46;
    QTest::newRow("6 pt before and after") << 6.0 << 6.0 << 25;  // 25.8 pt a paragraph
    QTest::newRow("12 pt after") << 0.0 << 12.0 << 25;
}

void PageLayoutTest::linesPerPage()
{
    QFETCH(double, before);
    QFETCH(double, after);
    QFETCH(int, perPage);
    Document doc;
    QTextBlockFormat format;
    format.setTopMargin(before * Inch / 72);
    format.setBottomMargin(after * Inch / 72);
    doc.paragraphs(3 * perPage, format);
    QCOMPARE(doc.pageOf(perPage - 1), 0);
    QCOMPARE(doc.pageOf(perPage), 1);
    QCOMPARE(doc.pageOf(2 * perPage), 2);
    QCOMPARE(doc.layout->pageCount(), 3);
}

void PageLayoutTest::hardBreaksStartPages()
{
    Document doc;
    doc.paragraphs(3);
    QTextCursor cursor(doc.text.findBlockByNumber(2));
    QTextBlockFormat breakBefore;
    breakBefore.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    breakBefore.setTopMargin(12);
    cursor.mergeBlockFormat(breakBefore);
    QCOMPARE(doc.pageOf(1), 0);
    QCOMPARE(doc.pageOf(2), 1);
    // The space before stays after a hard break.
    QCOMPARE(doc.layout->blockBoundingRect(doc.text.findBlockByNumber(2)).top(), 11 * Inch + Inch + 12);
}

// Past where Qt's layout overflows (about 31,700 Letter pages), pages go on.
void PageLayoutTest::fortyThousandPages()
{
    Document doc;
    QTextBlockFormat breakBefore;
    breakBefore.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    doc.paragraphs(40000, breakBefore);
    QCOMPARE(doc.layout->pageCount(), 40000);
    const QTextBlock last = doc.text.lastBlock();
    QCOMPARE(doc.layout->pageOfBlock(last), 39999);
    const QRectF box = doc.layout->blockBoundingRect(last);
    QCOMPARE(box.top(), 39999 * 11 * Inch + Inch);
    QCOMPARE(doc.layout->hitTest(box.topLeft() + QPointF(2, 5), Qt::FuzzyHit), last.position());
}

void PageLayoutTest::hitTestFindsPlacedText()
{
    Document doc;
    doc.paragraphs(100);
    for (int number : {0, 45, 46, 99}) {
        const QTextBlock block = doc.text.findBlockByNumber(number);
        const QTextLine line = block.layout()->lineAt(0);
        const QPointF at = block.layout()->position() + QPointF(line.cursorToX(3), line.y() + line.height() / 2);
        QCOMPARE(doc.layout->hitTest(at, Qt::FuzzyHit), block.position() + 3);
    }
}

namespace {

// Where each paragraph of `doc` sits: page and line top, in order.
QList<QPair<int, double>> placesOf(Document& doc)
{
    QList<QPair<int, double>> places;
    for (QTextBlock b = doc.text.begin(); b.isValid(); b = b.next())
        places.append({doc.layout->pageOfBlock(b), doc.layout->blockBoundingRect(b).top()});
    return places;
}

// A letter of `count` paragraphs with a three-row table after the tenth.
void letterWithTable(Document& doc, int count)
{
    doc.paragraphs(count);
    QTextCursor cursor(doc.text.findBlockByNumber(10));
    cursor.movePosition(QTextCursor::EndOfBlock);
    QTextTableFormat format;
    format.setBorder(1);
    QTextTable* table = cursor.insertTable(3, 2, format);
    for (int r = 0; r < 3; ++r)
        table->cellAt(r, 0).firstCursorPosition().insertText(QStringLiteral("Cell %1").arg(r));
}

}  // namespace

// An edit lays out again only until the pages agree with what was there; the result must be
// what a fresh layout of the edited text gives.
void PageLayoutTest::editsLayOutAsAFreshLayoutWould_data()
{
    QTest::addColumn<int>("edit");
    QTest::newRow("typing in a paragraph") << 0;
    QTest::newRow("a new paragraph") << 1;
    QTest::newRow("a paragraph removed") << 2;
    QTest::newRow("a page break before") << 3;
    QTest::newRow("typing in a table cell") << 4;
    QTest::newRow("a long paragraph that wraps") << 5;
    QTest::newRow("the table removed") << 6;
    QTest::newRow("typing in the first paragraph") << 7;
}

void PageLayoutTest::editsLayOutAsAFreshLayoutWould()
{
    QFETCH(int, edit);
    Document doc;
    letterWithTable(doc, 120);
    QTextCursor cursor(doc.text.findBlockByNumber(5));
    switch (edit) {
    case 0: cursor.insertText(QStringLiteral("Dear Mrs. Alvarez, ")); break;
    case 1: cursor.insertBlock(); break;
    case 2:
        cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        break;
    case 3: {
        QTextBlockFormat f;
        f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        cursor.mergeBlockFormat(f);
        break;
    }
    case 4: {
        QTextTable* table = doc.text.rootFrame()->childFrames().isEmpty()
            ? nullptr : qobject_cast<QTextTable*>(doc.text.rootFrame()->childFrames().first());
        QVERIFY(table);
        QTextCursor cell = table->cellAt(1, 1).firstCursorPosition();
        cell.insertText(QStringLiteral("Metformin 500 mg twice a day, with meals; review in 3 months."));
        cell.insertBlock();
        cell.insertText(QStringLiteral("Second line"));
        break;
    }
    case 7: QTextCursor(doc.text.begin()).insertText(QStringLiteral("Re: ")); break;
    case 5: cursor.insertText(QString(QStringLiteral("The pain is central, lasts a few minutes. ")).repeated(30)); break;
    case 6: {
        QTextTable* table = qobject_cast<QTextTable*>(doc.text.rootFrame()->childFrames().first());
        QTextCursor all(&doc.text);
        all.setPosition(table->firstPosition() - 1);
        all.setPosition(table->lastPosition() + 1, QTextCursor::KeepAnchor);
        all.removeSelectedText();
        break;
    }
    }
    const auto edited = placesOf(doc);
    const int pages = doc.layout->pageCount();

    Document fresh;
    QTextCursor(&fresh.text).insertFragment(QTextDocumentFragment(&doc.text));
    // The same content, laid out from nothing.
    QCOMPARE(fresh.text.blockCount(), doc.text.blockCount());
    QCOMPARE(placesOf(fresh), edited);
    QCOMPARE(fresh.layout->pageCount(), pages);
    // Tables the edit did not reach keep their place too (and are drawn).
    const QList<QTextFrame*> ours = doc.text.rootFrame()->childFrames();
    const QList<QTextFrame*> theirs = fresh.text.rootFrame()->childFrames();
    QCOMPARE(ours.size(), theirs.size());
    for (int i = 0; i < ours.size(); ++i)
        QCOMPARE(doc.layout->frameBoundingRect(ours[i]), fresh.layout->frameBoundingRect(theirs[i]));
}

// A table row that does not fit moves whole to the next page, where the heading row is drawn
// again above it; hit testing the repeated heading finds the heading's text.
void PageLayoutTest::rowsMoveWholeAndHeadingsRepeat()
{
    Document doc;
    QTextCursor cursor = doc.afterParagraphs(40);
    QTextTableFormat format;
    format.setBorder(1);
    format.setHeaderRowCount(1);
    QTextTable* table = cursor.insertTable(12, 2, format);
    table->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("Medicine"));
    for (int r = 1; r < 12; ++r) {
        QTextCursor cell = table->cellAt(r, 0).firstCursorPosition();
        cell.insertText(QStringLiteral("Row %1").arg(r));
        cell.insertBlock();
        cell.insertText(QStringLiteral("second line"));
    }
    QCOMPARE(doc.layout->pageCount(), 2);
    const double pitch = doc.text.pageSize().height();
    for (int r = 1; r < 12; ++r) {
        const QTextBlock first = doc.text.findBlock(table->cellAt(r, 0).firstPosition());
        const QTextBlock second = first.next();
        QCOMPARE(doc.layout->pageOfBlock(first), doc.layout->pageOfBlock(second));  // never split
    }
    // The first row on page 2 sits below the repeated heading, which the hit test finds.
    int firstOnTwo = 1;
    while (doc.layout->pageOfBlock(doc.text.findBlock(table->cellAt(firstOnTwo, 0).firstPosition())) == 0)
        ++firstOnTwo;
    const QRectF row = doc.layout->blockBoundingRect(doc.text.findBlock(table->cellAt(firstOnTwo, 0).firstPosition()));
    QVERIFY(row.top() > pitch + Inch + 5);
    const int hit = doc.layout->hitTest(QPointF(row.left() + 2, pitch + Inch + 4), Qt::FuzzyHit);
    QCOMPARE(doc.text.findBlock(hit).text(), QStringLiteral("Medicine"));
}

// In lazy mode a long document shows its first pages at once and the rest follows while idle.
void PageLayoutTest::lazyLayoutGrowsToTheEnd()
{
    Document doc;
    doc.layout->setLazy(true);
    QTextBlockFormat breakBefore;
    breakBefore.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    QTextCursor batch(&doc.text);
    batch.beginEditBlock();  // the document changes as a whole, as when a file is read
    doc.paragraphs(5000, breakBefore);
    batch.endEditBlock();
    QVERIFY(!doc.layout->isComplete());
    QVERIFY(doc.layout->pageCount() < 5000);
    QTRY_VERIFY(doc.layout->isComplete());
    QCOMPARE(doc.layout->pageCount(), 5000);
    // Typing on the first page does not lay the document out again.
    QTextCursor(doc.text.begin()).insertText(QStringLiteral("Dear Dr Carter, "));
    QVERIFY(doc.layout->isComplete());
    QCOMPARE(doc.layout->pageCount(), 5000);
}

// A placed picture too tall for what is left of the last page goes to a page of its own, which
// the page count includes, and text beside it flows round it.
void PageLayoutTest::placedPictureThatDoesNotFitMakesTheNextPage()
{
    Document doc;
    QTextCursor cursor = doc.afterParagraphs(40);
    QTextFrameFormat placed;
    placed.setPosition(QTextFrameFormat::FloatLeft);
    placed.setWidth(2 * Inch);
    placed.setHeight(3 * Inch);
    QTextFrame* frame = cursor.insertFrame(placed);
    QCOMPARE(doc.layout->pageCount(), 2);
    QCOMPARE(doc.layout->frameBoundingRect(frame).top(), doc.text.pageSize().height() + Inch);
    // Beside a picture at the top, a line starts right of it.
    Document beside;
    QTextCursor top(&beside.text);
    top.insertFrame(placed);
    QTextCursor after(beside.text.lastBlock());
    after.insertText(QStringLiteral("Your A1c was 6.8%, down from 7.4%."));
    const QTextBlock text = beside.text.lastBlock();
    QVERIFY(text.layout()->position().x() + text.layout()->lineAt(0).x() >= Inch + 2 * Inch - 0.5);
}

// A decimal stop two inches in: the text after it stands on its decimal point, or, without one,
// its first number ends there, or, without a number, the text itself ends there.
void PageLayoutTest::decimalStop_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("endsAtStop");  // the text that ends where the stop stands
    QTest::newRow("decimal point") << QStringLiteral("Dose\t2.5 mg") << QStringLiteral("Dose\t2");
    QTest::newRow("first number") << QStringLiteral("Phone\t01329 555 0192") << QStringLiteral("Phone\t01329");
    QTest::newRow("no number") << QStringLiteral("Name\tEmily Watson") << QStringLiteral("Name\tEmily Watson");
}

void PageLayoutTest::decimalStop()
{
    QFETCH(QString, text);
    QFETCH(QString, endsAtStop);
    Document doc;
    QTextBlockFormat format;
    format.setTabPositions({QTextOption::Tab(2 * Inch, QTextOption::DelimiterTab, QLatin1Char('.'))});
    QTextCursor(&doc.text).setBlockFormat(format);
    QTextCursor(&doc.text).insertText(text);
    doc.layout->layOutAll();
    const QTextBlock block = doc.text.begin();
    const QTextLine line = block.layout()->lineAt(0);
    QVERIFY2(qAbs(line.cursorToX(int(endsAtStop.size())) - 2 * Inch) < 1,
             qPrintable(QString::number(line.cursorToX(int(endsAtStop.size())))));
}

// A heading on the last line of a page whose text would start the next page goes with it; one
// not kept with its text stays.
void PageLayoutTest::headingKeptWithItsText_data()
{
    QTest::addColumn<bool>("keep");
    QTest::addColumn<int>("headingPage");
    QTest::newRow("kept with the next") << true << 1;
    QTest::newRow("not kept") << false << 0;
}

void PageLayoutTest::headingKeptWithItsText()
{
    QFETCH(bool, keep);
    QFETCH(int, headingPage);
    Document doc;
    doc.paragraphs(47);  // 46 lines fill a page
    QTextBlockFormat heading = doc.text.findBlockByNumber(45).blockFormat();
    KeepWithNext::set(heading, keep);
    QTextCursor(doc.text.findBlockByNumber(45)).setBlockFormat(heading);
    QCOMPARE(doc.pageOf(44), 0);
    QCOMPARE(doc.pageOf(45), headingPage);
    QCOMPARE(doc.pageOf(46), 1);
}

// What a spacing rule adds to a line: a multiple (1.5 lines) below the text, an exact or least
// height above it, as Word and LibreOffice set them.
void PageLayoutTest::extraLineSpace_data()
{
    QTest::addColumn<int>("rule");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("above");
    QTest::newRow("1.5 lines") << int(QTextBlockFormat::ProportionalHeight) << 150.0 << false;
    QTest::newRow("double") << int(QTextBlockFormat::ProportionalHeight) << 200.0 << false;
    QTest::newRow("exactly 30 pt") << int(QTextBlockFormat::FixedHeight) << 40.0 << true;
    QTest::newRow("at least 30 pt") << int(QTextBlockFormat::MinimumHeight) << 40.0 << true;
}

void PageLayoutTest::extraLineSpace()
{
    QFETCH(int, rule);
    QFETCH(double, value);
    QFETCH(bool, above);
    Document doc;
    QTextBlockFormat format;
    format.setLineHeight(value, rule);
    doc.paragraphs(2, format);
    const QTextBlock first = doc.text.begin();
    const QTextLine line = first.layout()->lineAt(0);
    const double pitch = doc.layout->blockBoundingRect(first.next()).top() - doc.layout->blockBoundingRect(first).top();
    QVERIFY(pitch > line.height() + 5);
    QCOMPARE(line.y() > 5, above);
}

QTEST_MAIN(PageLayoutTest)
#include "tst_pagelayout.moc"
