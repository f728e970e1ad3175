// The page layout: line pitch from the fonts' own metrics, paragraph spacing that adds up,
// page breaks, no ceiling on the page count, and hit testing that finds what was placed.
#include "components/textcontrol/layout/pagelayout.h"

#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
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

QTEST_MAIN(PageLayoutTest)
#include "tst_pagelayout.moc"
