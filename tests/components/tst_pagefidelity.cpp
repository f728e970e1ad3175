// What other programs' files say about where things go on the page is applied: the section's
// margins and header/footer distances, table grids, cell padding and indents, the page of an
// HTML file, and the fonts drawn for the Office families (while the document keeps their names).
#include "components/textcontrol/layout/headerfooter.h"
#include "components/textcontrol/document/layoutunits.h"
#include "components/textcontrol/textcontrol.h"

#include <QAbstractTextDocumentLayout>
#include <QFontInfo>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QtTest>

namespace {

const QString Letters = QStringLiteral(SCRIVORA_SOURCE_DIR "/tests/fixtures/letters/");

QString write(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile file(dir.filePath(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return file.fileName();
}

bool load(TextControl& control, const QString& path, int format)
{
    control.setLoadSaveAttribute(37, 1);
    if (!control.load(path, 0, format))
        return false;
    control.applyLoadSaveAttributes();
    return true;
}

QTextTable* firstTable(const QTextDocument* document)
{
    for (QTextFrame* child : document->rootFrame()->childFrames())
        if (auto* table = qobject_cast<QTextTable*>(child))
            return table;
    return nullptr;
}

// The text of the cell at row, column, and how many columns it spans.
QString cellText(QTextTable* table, int row, int column, int* span = nullptr)
{
    const QTextTableCell cell = table->cellAt(row, column);
    if (span)
        *span = cell.columnSpan();
    return QTextCursor(cell.firstCursorPosition()).block().text();
}

// A LibreOffice-style RTF page: the document's own margins hold the header, the section's
// are Word's page margins.
const QByteArray SectionPage =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Times New Roman;}}\\paperw11906\\paperh16838\\margl1134\\margr1134"
    "\\margt720\\margb500\\sectd\\pgwsxn11906\\pghsxn16838\\marglsxn1701\\margrsxn1134\\margtsxn1440"
    "\\headery1000\\margbsxn1300\\footery600{\\header\\pard Practice\\par}{\\footer\\pard Page\\par}"
    "\\pard Dear colleague,\\par}";

}  // namespace

class PageFidelityTest : public QObject {
    Q_OBJECT
private slots:
    void sectionMarginsAndHeaderDistancesRuleAndRoundTrip_data();
    void sectionMarginsAndHeaderDistancesRuleAndRoundTrip();
    void docxHeaderDistancesAreRead();
    void rtfTableGridComesFromEveryRow();
    void rtfCellPaddingAndIndent_data();
    void rtfCellPaddingAndIndent();
    void docxCellMarginsAndIndent();
    void tableGeometrySurvivesOurFiles_data();
    void tableGeometrySurvivesOurFiles();
    void paragraphAfterTableKeepsItsSpace();
    void htmlPageAndBodyMargins_data();
    void htmlPageAndBodyMargins();
    void officeFamiliesDrawnWithSameMetricsButKept_data();
    void officeFamiliesDrawnWithSameMetricsButKept();
};

void PageFidelityTest::sectionMarginsAndHeaderDistancesRuleAndRoundTrip_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("extension");
    QTest::newRow("rtf") << int(TextControl::FormatRtf) << "rtf";
    QTest::newRow("docx") << int(TextControl::FormatDocx) << "docx";
    QTest::newRow("doc") << int(TextControl::FormatWord) << "doc";
}

void PageFidelityTest::sectionMarginsAndHeaderDistancesRuleAndRoundTrip()
{
    QFETCH(int, format);
    QFETCH(QString, extension);
    QTemporaryDir dir;
    TextControl control;
    QVERIFY(load(control, write(dir, "page.rtf", SectionPage), TextControl::FormatRtf));
    QCOMPARE(control.pageMarginL(), 1701);
    QCOMPARE(control.pageMarginT(), 1440);
    QCOMPARE(control.pageMarginB(), 1300);
    QCOMPARE(control.headerDistance(), 1000);
    QCOMPARE(control.footerDistance(), 600);
    // The header is drawn where the file says, not half an inch from the edge.
    QCOMPARE(control.headerFooterParts()->position(HeaderFooter::Header).y(), LayoutUnits::fromTwips(1000));
    QCOMPARE(control.headerFooterParts()->position(HeaderFooter::Footer).y()
                 + control.headerFooterParts()->document(HeaderFooter::Footer)->size().height(),
             LayoutUnits::fromTwips(16838 - 600));

    const QString path = dir.filePath("copy." + extension);
    QVERIFY(control.save(path, 0, format));
    TextControl copy;
    QVERIFY2(load(copy, path, format), qPrintable(copy.lastError()));
    QCOMPARE(copy.pageMarginT(), 1440);
    QCOMPARE(copy.pageMarginL(), 1701);
    if (format == TextControl::FormatWord)
        return;  // the .doc reader's section distances are read elsewhere
    QCOMPARE(copy.headerDistance(), 1000);
    QCOMPARE(copy.footerDistance(), 600);
}

void PageFidelityTest::docxHeaderDistancesAreRead()
{
    TextControl control;
    QVERIFY(load(control, Letters + "docx/referral-calibri-long.docx", TextControl::FormatDocx));
    QCOMPARE(control.headerDistance(), 1440);
    QCOMPARE(control.footerDistance(), 1440);
    QCOMPARE(control.pageMarginT(), 1800);
}

// LibreOffice writes a cell merged across columns as one wider cell of its row: the columns
// come from all rows' edges, and the wide cell spans those it covers.
void PageFidelityTest::rtfTableGridComesFromEveryRow()
{
    QTemporaryDir dir;
    TextControl control;
    const QByteArray rtf = "{\\rtf1\\ansi\\trowd\\trleft0\\cellx2000\\cellx5000\\pard\\intbl a\\cell b\\cell\\row"
                           "\\trowd\\trleft0\\cellx5000\\pard\\intbl wide\\cell\\row"
                           "\\trowd\\trleft0\\cellx1000\\cellx2000\\cellx5000\\pard\\intbl c\\cell d\\cell e\\cell\\row"
                           "\\pard after\\par}";
    QVERIFY(load(control, write(dir, "grid.rtf", rtf), TextControl::FormatRtf));
    QTextTable* table = firstTable(control.document());
    QVERIFY(table);
    QCOMPARE(table->columns(), 3);
    int span = 0;
    QCOMPARE(cellText(table, 0, 0, &span), QString("a"));
    QCOMPARE(span, 2);  // 0..2000 covers the columns that end at 1000 and 2000
    QCOMPARE(cellText(table, 0, 2), QString("b"));
    QCOMPARE(cellText(table, 1, 0, &span), QString("wide"));
    QCOMPARE(span, 3);
    QCOMPARE(cellText(table, 2, 0), QString("c"));
    QCOMPARE(cellText(table, 2, 1), QString("d"));
    QCOMPARE(cellText(table, 2, 2), QString("e"));
    const QList<QTextLength> widths = table->format().columnWidthConstraints();
    QCOMPARE(widths.size(), 3);
    QCOMPARE(qRound(widths.at(2).rawValue()), qRound(LayoutUnits::fromTwips(3000)));
    QCOMPARE(control.document()->findBlock(table->lastPosition() + 1).text(), QString("after"));
}

void PageFidelityTest::rtfCellPaddingAndIndent_data()
{
    QTest::addColumn<QByteArray>("row");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("indent");
    // \trgaph alone: its width each side, nothing above.
    QTest::newRow("gap") << QByteArray("\\trowd\\trgaph150\\trleft-150") << 150 << 0 << -150;
    // The row's padding over the gap; Word's \clpadt is the left side, \clpadl the top.
    QTest::newRow("row padding") << QByteArray("\\trowd\\trgaph108\\trpaddl40\\trpaddfl3\\trpaddt30\\trpaddft3") << 40 << 30 << 0;
    QTest::newRow("cell padding, swapped") << QByteArray("\\trowd\\trleft-100\\trpaddl0\\clpadt100\\clpadft3\\clpadl60\\clpadfl3")
                                           << 100 << 60 << -100;
}

void PageFidelityTest::rtfCellPaddingAndIndent()
{
    QFETCH(QByteArray, row);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(int, indent);
    QTemporaryDir dir;
    TextControl control;
    QVERIFY(load(control, write(dir, "pad.rtf", "{\\rtf1\\ansi" + row + "\\cellx3000\\pard\\intbl x\\cell\\row\\pard y\\par}"),
                 TextControl::FormatRtf));
    QTextTable* table = firstTable(control.document());
    QVERIFY(table);
    const QTextTableCellFormat cell = table->cellAt(0, 0).format().toTableCellFormat();
    const double tableSide = table->format().cellPadding();
    const double leftPadding = cell.hasProperty(QTextFormat::TableCellLeftPadding) ? cell.leftPadding() : tableSide;
    QCOMPARE(qRound(leftPadding), qRound(LayoutUnits::fromTwips(left)));
    QCOMPARE(qRound(cell.topPadding()), qRound(LayoutUnits::fromTwips(top)));
    QCOMPARE(qRound(table->format().leftMargin()), qRound(LayoutUnits::fromTwips(indent)));
}

void PageFidelityTest::docxCellMarginsAndIndent()
{
    TextControl control;
    QVERIFY(load(control, Letters + "docx/results-merged-times.docx", TextControl::FormatDocx));
    QTextTable* table = firstTable(control.document());
    QVERIFY(table);
    QCOMPARE(table->columns(), 4);
    int span = 0;
    QCOMPARE(cellText(table, 1, 0, &span), QString("Full blood count"));
    QCOMPARE(span, 4);
    // w:tblCellMar gives 108 twips left and right, none above; w:tblInd 0 is the text's place,
    // so the cell's line stands 108 twips left of the margin.
    QCOMPARE(qRound(table->format().cellPadding()), qRound(LayoutUnits::fromTwips(108)));
    QCOMPARE(qRound(table->cellAt(2, 1).format().toTableCellFormat().topPadding()), 0);
    QCOMPARE(qRound(table->format().leftMargin()), qRound(LayoutUnits::fromTwips(-108)));
}

void PageFidelityTest::tableGeometrySurvivesOurFiles_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("extension");
    QTest::newRow("rtf") << int(TextControl::FormatRtf) << "rtf";
    QTest::newRow("docx") << int(TextControl::FormatDocx) << "docx";
}

// A table read from LibreOffice's file and one made here keep their place and padding when
// written and read again.
void PageFidelityTest::tableGeometrySurvivesOurFiles()
{
    QFETCH(int, format);
    QFETCH(QString, extension);
    QTemporaryDir dir;
    TextControl control;
    QVERIFY(load(control, Letters + "rtf/results-merged-arial.rtf", TextControl::FormatRtf));
    QTextCursor end(control.document());
    end.movePosition(QTextCursor::End);
    control.setTextCursor(end);
    control.tableInsert(2, 2);
    const QString path = dir.filePath("tables." + extension);
    QVERIFY(control.save(path, 0, format));
    TextControl copy;
    QVERIFY2(load(copy, path, format), qPrintable(copy.lastError()));
    QList<QTextTable*> before, after;
    for (QTextFrame* f : control.document()->rootFrame()->childFrames())
        if (auto* t = qobject_cast<QTextTable*>(f))
            before << t;
    for (QTextFrame* f : copy.document()->rootFrame()->childFrames())
        if (auto* t = qobject_cast<QTextTable*>(f))
            after << t;
    QCOMPARE(after.size(), before.size());
    for (qsizetype i = 0; i < before.size(); ++i) {
        QCOMPARE(qRound(after[i]->format().leftMargin()), qRound(before[i]->format().leftMargin()));
        QCOMPARE(qRound(after[i]->format().cellPadding()), qRound(before[i]->format().cellPadding()));
        const auto top = [](QTextTable* t) {
            const QTextTableCellFormat f = t->cellAt(0, 0).format().toTableCellFormat();
            return qRound(f.hasProperty(QTextFormat::TableCellTopPadding) ? f.topPadding() : t->format().cellPadding());
        };
        QCOMPARE(top(after[i]), top(before[i]));
        QCOMPARE(after[i]->columns(), before[i]->columns());
    }
}

// Qt's layout puts no space before a paragraph that follows a table; the table keeps it.
void PageFidelityTest::paragraphAfterTableKeepsItsSpace()
{
    QTemporaryDir dir;
    auto top = [&](const QByteArray& before, TextControl& control) {
        const QByteArray rtf = "{\\rtf1\\ansi\\trowd\\cellx3000\\pard\\intbl x\\cell\\row\\pard" + before + " after\\par}";
        if (!load(control, write(dir, "after.rtf", rtf), TextControl::FormatRtf))
            return -1.0;
        const QTextBlock after = control.document()->findBlock(firstTable(control.document())->lastPosition() + 1);
        return control.document()->documentLayout()->blockBoundingRect(after).top();
    };
    TextControl spaced, plain;
    const double withSpace = top("\\sb480", spaced);
    const double without = top("", plain);
    QVERIFY(without > 0);
    QVERIFY2(withSpace - without >= LayoutUnits::fromTwips(480) - 0.5, qPrintable(QString::number(withSpace - without)));
    // The paragraph keeps its own space for the files.
    const QTextBlock after = spaced.document()->findBlock(firstTable(spaced.document())->lastPosition() + 1);
    QCOMPARE(qRound(after.blockFormat().topMargin()), qRound(LayoutUnits::fromTwips(480)));
}

void PageFidelityTest::htmlPageAndBodyMargins_data()
{
    QTest::addColumn<QByteArray>("html");
    QTest::addColumn<QList<int>>("page");  // width, height, left, top, right, bottom
    QTest::newRow("page shorthand") << QByteArray("<style>@page { size: 8.5in 11in; margin: 1in 0.5in; }</style><p>x</p>")
                                    << QList<int>{12240, 15840, 720, 1440, 720, 1440};
    QTest::newRow("page sides and a paper name")
        << QByteArray("<style>@page { size: A4 landscape; margin: 2cm; margin-left: 3cm }</style><p>x</p>")
        << QList<int>{16838, 11906, 1701, 1134, 1134, 1134};
    QTest::newRow("body rule") << QByteArray("<style>body { margin: 36pt 54pt }</style><body><p>x</p></body>")
                               << QList<int>{0, 0, 1080, 720, 1080, 720};
    QTest::newRow("body attributes") << QByteArray("<body leftmargin=\"48\" topmargin=\"24\"><p>x</p></body>")
                                     << QList<int>{0, 0, 720, 360, 720, 360};
}

void PageFidelityTest::htmlPageAndBodyMargins()
{
    QFETCH(QByteArray, html);
    QFETCH(QList<int>, page);
    QTemporaryDir dir;
    TextControl control;
    control.setPageWidth(11000);
    control.setPageHeight(14000);
    QVERIFY(load(control, write(dir, "page.html", html), TextControl::FormatHtml));
    QCOMPARE(control.pageWidth(), page[0] ? page[0] : 11000);
    QCOMPARE(control.pageHeight(), page[1] ? page[1] : 14000);
    QCOMPARE(control.pageMarginL(), page[2]);
    QCOMPARE(control.pageMarginT(), page[3]);
    QCOMPARE(control.pageMarginR(), page[4]);
    QCOMPARE(control.pageMarginB(), page[5]);
}

void PageFidelityTest::officeFamiliesDrawnWithSameMetricsButKept_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("drawnWith");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("extension");
    const struct { const char* family; const char* drawn; } pairs[] = {
        {"Times New Roman", "Liberation Serif"}, {"Arial", "Liberation Sans"}, {"Courier New", "Liberation Mono"},
        {"Calibri", "Carlito"}, {"Cambria", "Caladea"}};
    const struct { int format; const char* extension; } formats[] = {
        {TextControl::FormatRtf, "rtf"}, {TextControl::FormatDocx, "docx"}, {TextControl::FormatWord, "doc"},
        {TextControl::FormatNative, "tx"}};
    for (const auto& p : pairs)
        for (const auto& f : formats)
            QTest::addRow("%s %s", p.family, f.extension) << p.family << p.drawn << f.format << f.extension;
}

void PageFidelityTest::officeFamiliesDrawnWithSameMetricsButKept()
{
    QFETCH(QString, family);
    QFETCH(QString, drawnWith);
    QFETCH(int, format);
    QFETCH(QString, extension);
    if (QFontDatabase::hasFamily(family))
        QSKIP("the Office font itself is installed");
    if (!QFontDatabase::hasFamily(drawnWith))
        QSKIP("the font of the same metrics is not installed: scripts/setup-deps installs it");
    QTemporaryDir dir;
    TextControl control;
    QTextCharFormat named;
    named.setFontFamilies({family});
    named.setFontPointSize(12);
    QTextCursor(control.document()).insertText(QStringLiteral("Dear colleague,"), named);
    QTextCursor probe(control.document());
    probe.setPosition(2);
    QCOMPARE(QFontInfo(probe.charFormat().font()).family(), drawnWith);

    const QString path = dir.filePath("font." + extension);
    QVERIFY(control.save(path, 0, format));
    TextControl copy;
    QVERIFY2(load(copy, path, format), qPrintable(copy.lastError()));
    QTextCursor kept(copy.document());
    kept.setPosition(2);
    QCOMPARE(kept.charFormat().fontFamilies().toStringList().value(0), family);
}

QTEST_MAIN(PageFidelityTest)
#include "tst_pagefidelity.moc"
