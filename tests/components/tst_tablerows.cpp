// A table row's height and where a cell's text stands in it, as Word's formats give them: read,
// laid out and written again; and the space between paragraphs of a .docx, which Word's files
// take as the larger of the two sides unless their settings add them.
#include "components/textcontrol/document/cellgeometry.h"
#include "components/textcontrol/document/layoutunits.h"
#include "components/textcontrol/document/pageinfo.h"
#include "components/textcontrol/formats/doc/docreader.h"
#include "components/textcontrol/formats/doc/docwriter.h"
#include "components/textcontrol/formats/docx/docxreader.h"
#include "components/textcontrol/formats/docx/docxwriter.h"
#include "components/textcontrol/formats/docx/zippackage.h"
#include "components/textcontrol/formats/rtf/rtfreader.h"
#include "components/textcontrol/formats/rtf/rtfwriter.h"
#include "components/textcontrol/layout/pagelayout.h"
#include "support/formatroundtrip.h"

#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QtTest>
#include <functional>

namespace {

using Reader = std::function<bool(const QByteArray&, QTextDocument*, PageInfo&)>;

const Reader ReadRtf = [](const QByteArray& b, QTextDocument* d, PageInfo& p) { return RtfReader::read(b, d, p); };
const Reader ReadDocx = [](const QByteArray& b, QTextDocument* d, PageInfo& p) { return DocxReader::read(b, d, p); };
const Reader ReadDoc = [](const QByteArray& b, QTextDocument* d, PageInfo& p) { return DocReader::read(b, d, p); };

// A .docx of `body` (the content of w:body), with `settings` as its settings part when given.
QByteArray docx(const QByteArray& body, const QByteArray& settings = {})
{
    const QByteArray w = "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"";
    QByteArray relations = "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    if (!settings.isEmpty())
        relations += "<Relationship Id=\"s\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/settings\" Target=\"settings.xml\"/>";
    relations += "</Relationships>";
    QList<QPair<QString, QByteArray>> parts{
        {QStringLiteral("[Content_Types].xml"),
         "<?xml version=\"1.0\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
         "<Default Extension=\"xml\" ContentType=\"application/xml\"/></Types>"},
        {QStringLiteral("word/document.xml"), "<?xml version=\"1.0\"?><w:document " + w + "><w:body>" + body + "</w:body></w:document>"},
        {QStringLiteral("word/_rels/document.xml.rels"), relations}};
    if (!settings.isEmpty())
        parts.append({QStringLiteral("word/settings.xml"), "<?xml version=\"1.0\"?><w:settings " + w + ">" + settings + "</w:settings>"});
    return ZipPackage::write(parts);
}

QTextTable* firstTable(const QTextDocument* document)
{
    for (QTextFrame* frame : document->rootFrame()->childFrames())
        if (auto* table = qobject_cast<QTextTable*>(frame))
            return table;
    return nullptr;
}

// A read document laid out on Letter pages at 96 units an inch.
struct Laid {
    QTextDocument document;
    QImage device{1, 1, QImage::Format_RGB32};
    PageLayout* layout = nullptr;
    bool read(const Reader& reader, const QByteArray& bytes)
    {
        PageInfo page;
        if (!reader(bytes, &document, page))
            return false;
        device.setDotsPerMeterX(3780);
        device.setDotsPerMeterY(3780);
        document.setPageSize(QSizeF(816, 1056));
        layout = installPageLayout(&document, &device, false);
        return true;
    }
    QRectF box(const QTextTableCell& cell) const
    {
        return layout->blockBoundingRect(document.findBlock(cell.firstPosition()));
    }
};

}  // namespace

Q_DECLARE_METATYPE(Reader)

class TableRowsTest : public QObject {
    Q_OBJECT
private slots:
    void rowHeightAndCellAlignmentFromFiles_data();
    void rowHeightAndCellAlignmentFromFiles();
    void writtenAndReadAgain_data();
    void writtenAndReadAgain();
    void docxParagraphSpacing_data();
    void docxParagraphSpacing();
};

void TableRowsTest::rowHeightAndCellAlignmentFromFiles_data()
{
    QTest::addColumn<int>("reader");  // 0 RTF, 1 .docx
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("heightTwips");
    // The first row is 0.5" high (exactly in RTF, at least in .docx); its second cell's text
    // is centred, the third's at the bottom.
    QTest::newRow("rtf") << 0
                         << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Liberation Serif;}}\\f0\\fs24 "
                                       "\\trowd\\trrh-720\\cellx2000\\clvertalc\\cellx4000\\clvertalb\\cellx6000 "
                                       "\\pard\\intbl Top\\cell Middle\\cell Bottom\\cell\\row "
                                       "\\trowd\\cellx2000\\cellx4000\\cellx6000 \\pard\\intbl A\\cell B\\cell C\\cell\\row\\pard\\par}")
                         << -720;
    QTest::newRow("docx") << 1
                          << docx("<w:tbl><w:tblGrid><w:gridCol w:w=\"2000\"/><w:gridCol w:w=\"2000\"/><w:gridCol w:w=\"2000\"/></w:tblGrid>"
                                  "<w:tr><w:trPr><w:trHeight w:val=\"720\"/></w:trPr>"
                                  "<w:tc><w:p><w:r><w:t>Top</w:t></w:r></w:p></w:tc>"
                                  "<w:tc><w:tcPr><w:vAlign w:val=\"center\"/></w:tcPr><w:p><w:r><w:t>Middle</w:t></w:r></w:p></w:tc>"
                                  "<w:tc><w:tcPr><w:vAlign w:val=\"bottom\"/></w:tcPr><w:p><w:r><w:t>Bottom</w:t></w:r></w:p></w:tc></w:tr>"
                                  "<w:tr><w:tc><w:p><w:r><w:t>A</w:t></w:r></w:p></w:tc><w:tc><w:p><w:r><w:t>B</w:t></w:r></w:p></w:tc>"
                                  "<w:tc><w:p><w:r><w:t>C</w:t></w:r></w:p></w:tc></w:tr></w:tbl><w:p/>")
                          << 720;
}

void TableRowsTest::rowHeightAndCellAlignmentFromFiles()
{
    QFETCH(int, reader);
    QFETCH(QByteArray, bytes);
    QFETCH(int, heightTwips);
    Laid laid;
    QVERIFY(laid.read(reader == 0 ? ReadRtf : ReadDocx, bytes));
    QTextTable* table = firstTable(&laid.document);
    QVERIFY(table);
    QCOMPARE(CellGeometry::rowHeightTwips(table, 0), heightTwips);
    QCOMPARE(CellGeometry::rowHeightTwips(table, 1), 0);

    const QRectF top = laid.box(table->cellAt(0, 0)), middle = laid.box(table->cellAt(0, 1)),
                 bottom = laid.box(table->cellAt(0, 2)), below = laid.box(table->cellAt(1, 0));
    const double row = LayoutUnits::fromTwips(720);
    // The second row starts half an inch below the first, the text of a taller row's cells
    // centred and at its foot.
    QVERIFY2(below.top() >= top.top() + row - 2, qPrintable(QStringLiteral("%1 %2").arg(top.top()).arg(below.top())));
    QVERIFY(middle.top() > top.top() + 5);
    QVERIFY(bottom.top() > middle.top() + 5);
    QVERIFY(bottom.bottom() <= below.top() + 1);
    // Centred means as much room above as below.
    QVERIFY(qAbs((middle.top() - top.top()) - (bottom.top() - middle.top())) < 2);
}

void TableRowsTest::writtenAndReadAgain_data() { FormatRoundTrip::addRows(); }

void TableRowsTest::writtenAndReadAgain()
{
    QFETCH(FormatRoundTrip::Trip, roundTrip);
    QTextDocument source;
    QTextCursor cursor(&source);
    QTextTable* table = cursor.insertTable(3, 2);
    const int heights[] = {600, -900, 0};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c) {
            QTextTableCell cell = table->cellAt(r, c);
            QTextTableCellFormat format = cell.format().toTableCellFormat();
            CellGeometry::setRowHeight(format, heights[r]);
            if (c == 1)
                format.setVerticalAlignment(r == 0 ? QTextCharFormat::AlignMiddle : QTextCharFormat::AlignBottom);
            cell.setFormat(format);
            cell.firstCursorPosition().insertText(QStringLiteral("r%1c%2").arg(r).arg(c));
        }
    QTextDocument read;
    QVERIFY(roundTrip(source, read));
    QTextTable* again = firstTable(&read);
    QVERIFY(again);
    QCOMPARE(again->rows(), 3);
    for (int r = 0; r < 3; ++r) {
        QCOMPARE(CellGeometry::rowHeightTwips(again, r), heights[r]);
        QCOMPARE(again->cellAt(r, 0).format().verticalAlignment(), QTextCharFormat::AlignNormal);
        QCOMPARE(again->cellAt(r, 1).format().verticalAlignment(),
                 r == 0 ? QTextCharFormat::AlignMiddle : QTextCharFormat::AlignBottom);
    }
}

void TableRowsTest::docxParagraphSpacing_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<int>("gapTwips");
    // 6 pt below the first paragraph, 18 pt above the second.
    QTest::newRow("no settings: the larger") << QByteArray() << 360;
    QTest::newRow("settings without the word: the larger") << QByteArray("<w:zoom w:percent=\"100\"/>") << 360;
    QTest::newRow("added") << QByteArray("<w:compat><w:doNotUseHTMLParagraphAutoSpacing/></w:compat>") << 480;
    QTest::newRow("turned off: the larger")
        << QByteArray("<w:compat><w:doNotUseHTMLParagraphAutoSpacing w:val=\"false\"/></w:compat>") << 360;
}

void TableRowsTest::docxParagraphSpacing()
{
    QFETCH(QByteArray, settings);
    QFETCH(int, gapTwips);
    const QByteArray body = "<w:p><w:pPr><w:spacing w:before=\"0\" w:after=\"120\"/></w:pPr><w:r><w:t>First</w:t></w:r></w:p>"
                            "<w:p><w:pPr><w:spacing w:before=\"360\" w:after=\"0\"/></w:pPr><w:r><w:t>Second</w:t></w:r></w:p>";
    Laid laid;
    QVERIFY(laid.read(ReadDocx, docx(body, settings)));
    const QTextBlock first = laid.document.begin(), second = first.next();
    const double gap = laid.layout->blockBoundingRect(second).top() - laid.layout->blockBoundingRect(first).bottom();
    QVERIFY2(qAbs(gap - LayoutUnits::fromTwips(gapTwips)) < 0.5, qPrintable(QString::number(gap)));

    // Written again, the file says that its spacing adds up, and reads back as it was laid out.
    Laid again;
    QVERIFY(again.read(ReadDocx, DocxWriter::write(&laid.document, PageInfo{})));
    QCOMPARE(again.document.begin().next().blockFormat().topMargin(), second.blockFormat().topMargin());
}

QTEST_MAIN(TableRowsTest)
#include "tst_tablerows.moc"
