// RTF runs and paragraphs share a format only where they are alike in every property: runs that
// differ in one property keep apart, alike runs share one, the font and colour tables of each
// document of a stream name their own fonts and colours, writing keeps the formats of the
// body, the header and the cells apart, and a character that starts a paragraph starts one
// wherever it stands in a run. A document built in bulk, without undo, holds the same runs as
// one built run by run.
#include "components/textcontrol/formats/rtf/rtfreader.h"
#include "components/textcontrol/formats/rtf/rtfwriter.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextTable>
#include <QtTest>

namespace {

const QByteArray Head = "{\\rtf1\\ansi{\\fonttbl{\\f0 Times;}{\\f1 Arial;}}"
                        "{\\colortbl;\\red200\\green0\\blue0;\\red0\\green0\\blue200;}\\f0\\fs24 ";

struct Run {
    QString text;
    QTextCharFormat format;
};

QList<Run> runs(const QTextDocument& document)
{
    QList<Run> list;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
        for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it)
            list.append({it.fragment().text(), it.fragment().charFormat()});
    return list;
}

QTextCharFormat formatOf(const QTextDocument& document, const QString& text)
{
    for (const Run& run : runs(document))
        if (run.text.contains(text))
            return run.format;
    return {};
}

bool read(const QByteArray& rtf, QTextDocument* document, DocumentParts* parts = nullptr)
{
    PageInfo page;
    return RtfReader::read(rtf, document, page, parts);
}

// Each paragraph with its formats and runs, where each run starts where the one before ended:
// a piece the document has placed wrongly shows as a gap or an overlap.
QString pieces(const QTextDocument& document)
{
    QString out;
    QDebug debug(&out);
    int expected = 0;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        if (b.position() != expected)
            debug << "paragraph at" << b.position() << "after" << expected;
        debug << "\n" << b.blockFormat().properties() << b.charFormat().properties();
        expected = b.position();
        for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it) {
            if (it.fragment().position() != expected)
                debug << "run at" << it.fragment().position() << "after" << expected;
            debug << it.fragment().text() << it.fragment().charFormat().properties();
            expected = it.fragment().position() + it.fragment().length();
        }
        expected = b.position() + b.length();
    }
    if (expected != document.characterCount())
        debug << "ends at" << expected << "of" << document.characterCount();
    return out;
}

}  // namespace

class RtfRunFormatsTest : public QObject {
    Q_OBJECT
private slots:
    void runsDifferingInOneProperty_data();
    void runsDifferingInOneProperty();
    void eachDocumentOfAStreamHasItsOwnTables();
    void paragraphsDifferingInOneProperty();
    void writingKeepsThePartsAndCellsApart();
    void paragraphMarksWithinARun_data();
    void paragraphMarksWithinARun();
    void bulkAndStepwiseReadsAgree_data();
    void bulkAndStepwiseReadsAgree();
};

void RtfRunFormatsTest::runsDifferingInOneProperty_data()
{
    QTest::addColumn<QByteArray>("words");  // what the marked runs have beyond the plain ones
    QTest::addColumn<int>("property");
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("bold") << QByteArray("\\b") << int(QTextFormat::FontWeight) << QVariant(int(QFont::Bold));
    QTest::newRow("italic") << QByteArray("\\i") << int(QTextFormat::FontItalic) << QVariant(true);
    QTest::newRow("struck") << QByteArray("\\strike") << int(QTextFormat::FontStrikeOut) << QVariant(true);
    QTest::newRow("capitals") << QByteArray("\\caps") << int(QTextFormat::FontCapitalization)
                              << QVariant(int(QFont::AllUppercase));
    QTest::newRow("underlined") << QByteArray("\\ul") << int(QTextFormat::TextUnderlineStyle)
                                << QVariant(int(QTextCharFormat::SingleUnderline));
    QTest::newRow("dotted underline") << QByteArray("\\uld") << int(QTextFormat::TextUnderlineStyle)
                                      << QVariant(int(QTextCharFormat::DotLine));
    QTest::newRow("double underline") << QByteArray("\\uldb") << int(QTextFormat::UserProperty + 20) << QVariant(2);
    QTest::newRow("superscript") << QByteArray("\\super") << int(QTextFormat::TextVerticalAlignment)
                                 << QVariant(int(QTextCharFormat::AlignSuperScript));
    QTest::newRow("subscript") << QByteArray("\\sub") << int(QTextFormat::TextVerticalAlignment)
                               << QVariant(int(QTextCharFormat::AlignSubScript));
    QTest::newRow("size") << QByteArray("\\fs30") << int(QTextFormat::FontPointSize) << QVariant(15.0);
    QTest::newRow("font") << QByteArray("\\f1") << int(QTextFormat::FontFamilies)
                          << QVariant(QStringList{QStringLiteral("Arial")});
    QTest::newRow("red text") << QByteArray("\\cf1") << int(QTextFormat::ForegroundBrush)
                              << QVariant(QBrush(QColor(200, 0, 0)));
    QTest::newRow("blue text") << QByteArray("\\cf2") << int(QTextFormat::ForegroundBrush)
                               << QVariant(QBrush(QColor(0, 0, 200)));
    QTest::newRow("shaded") << QByteArray("\\cb2") << int(QTextFormat::BackgroundBrush)
                            << QVariant(QBrush(QColor(0, 0, 200)));
}

void RtfRunFormatsTest::runsDifferingInOneProperty()
{
    QFETCH(QByteArray, words);
    QFETCH(int, property);
    QFETCH(QVariant, expected);

    // Plain and marked runs alternate, in groups and with the words given and taken back
    // again, in one paragraph and across two.
    QTextDocument document;
    QVERIFY(read(Head + "plainA {" + words + " markedA} plainB " + words + " markedB\\plain\\f0\\fs24  plainC\\par "
                     + "{" + words + " markedC}\\par}",
                 &document));
    const QTextCharFormat plain = formatOf(document, QStringLiteral("plainA"));
    const QTextCharFormat marked = formatOf(document, QStringLiteral("markedA"));
    QCOMPARE(marked.property(property), expected);
    QVERIFY(plain.property(property) != expected);
    QVERIFY(plain != marked);
    for (const char* text : {"plainB", "plainC"})
        QCOMPARE(formatOf(document, QLatin1String(text)), plain);
    for (const char* text : {"markedB", "markedC"})
        QCOMPARE(formatOf(document, QLatin1String(text)), marked);
}

void RtfRunFormatsTest::eachDocumentOfAStreamHasItsOwnTables()
{
    // Merged letters: each document brings its own font and colour table, and the same words
    // name another font or colour in each.
    QTextDocument document;
    QVERIFY(read("{\\rtf1\\ansi{\\fonttbl{\\f0 Times;}}{\\colortbl;\\red200\\green0\\blue0;}\\f0\\cf1 one\\par}"
                 "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0\\green0\\blue200;}\\f0\\cf1 two\\par}"
                 "{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0 Times;}{\\f1 Courier;}} three\\par}",
                 &document));
    const QTextCharFormat one = formatOf(document, QStringLiteral("one"));
    const QTextCharFormat two = formatOf(document, QStringLiteral("two"));
    const QTextCharFormat three = formatOf(document, QStringLiteral("three"));
    QCOMPARE(one.fontFamilies().toStringList(), QStringList{QStringLiteral("Times")});
    QCOMPARE(one.foreground().color(), QColor(200, 0, 0));
    QCOMPARE(two.fontFamilies().toStringList(), QStringList{QStringLiteral("Arial")});
    QCOMPARE(two.foreground().color(), QColor(0, 0, 200));
    QCOMPARE(three.fontFamilies().toStringList(), QStringList{QStringLiteral("Courier")});
    QVERIFY(!three.hasProperty(QTextFormat::ForegroundBrush));
}

void RtfRunFormatsTest::paragraphsDifferingInOneProperty()
{
    QTextDocument document;
    QVERIFY(read(Head + "\\pard\\qc A\\par B\\par\\pard C\\par\\pard\\qc D\\par\\pard\\li720\\qc E\\par"
                        "\\pard\\li720\\qc\\tx1440 F\\par\\pard\\li720\\qc G\\par}",
                 &document));
    struct Expected {
        Qt::Alignment alignment;
        double left;
        int tabs;
    };
    const QList<Expected> expected = {{Qt::AlignHCenter, 0, 0}, {Qt::AlignHCenter, 0, 0}, {Qt::AlignLeft, 0, 0},
                                      {Qt::AlignHCenter, 0, 0}, {Qt::AlignHCenter, 48, 0}, {Qt::AlignHCenter, 48, 1},
                                      {Qt::AlignHCenter, 48, 0}};
    QTextBlock block = document.begin();
    for (int i = 0; i < expected.size(); ++i, block = block.next()) {
        QVERIFY(block.isValid());
        QCOMPARE(block.text(), QString(QChar(u'A' + i)));
        const QTextBlockFormat f = block.blockFormat();
        QCOMPARE(f.alignment() & Qt::AlignHorizontal_Mask, expected.at(i).alignment);
        QCOMPARE(f.leftMargin(), expected.at(i).left);
        QCOMPARE(f.tabPositions().size(), expected.at(i).tabs);
    }
}

void RtfRunFormatsTest::writingKeepsThePartsAndCellsApart()
{
    // The header's first format and the body's are numbered alike in their own documents; a
    // body paragraph and a cell paragraph share a paragraph format.
    QTextDocument body, header, footer;
    DocumentParts parts{&header, &footer, 0};
    QVERIFY(read("{\\rtf1\\ansi{\\fonttbl{\\f0 Times;}{\\f1 Arial;}}{\\header\\pard\\f1\\fs20 Practice\\par}"
                 "\\pard\\f0\\fs24 Before\\par\\trowd\\cellx3000\\pard\\intbl\\f0\\fs24 Cell\\cell\\row"
                 "\\pard\\f0\\fs24 After\\par}",
                 &body, &parts));
    PageInfo page;
    const QByteArray written = RtfWriter::write(&body, page, &parts);

    QTextDocument body2, header2, footer2;
    DocumentParts parts2{&header2, &footer2, 0};
    QVERIFY(read(written, &body2, &parts2));
    QCOMPARE(formatOf(header2, QStringLiteral("Practice")).fontFamilies().toStringList(),
             QStringList{QStringLiteral("Arial")});
    QCOMPARE(formatOf(header2, QStringLiteral("Practice")).fontPointSize(), 10.0);
    for (const char* text : {"Before", "Cell", "After"}) {
        QCOMPARE(formatOf(body2, QLatin1String(text)).fontFamilies().toStringList(),
                 QStringList{QStringLiteral("Times")});
        QCOMPARE(formatOf(body2, QLatin1String(text)).fontPointSize(), 12.0);
    }
    QStringList outside, inside;
    for (QTextBlock b = body2.begin(); b.isValid(); b = b.next())
        if (!b.text().isEmpty())
            (QTextCursor(b).currentTable() ? inside : outside) << b.text();
    QCOMPARE(outside, (QStringList{QStringLiteral("Before"), QStringLiteral("After")}));
    QCOMPARE(inside, QStringList{QStringLiteral("Cell")});
    // Written again, the document reads the same.
    QCOMPARE(RtfWriter::write(&body2, page, &parts2), written);
}


void RtfRunFormatsTest::paragraphMarksWithinARun_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("paragraphs");
    QTest::newRow("paragraph separator") << QByteArray("{\\b one\\u8233?two} three\\par")
                                         << QStringList{"one", "two three", ""};
    QTest::newRow("line feed") << QByteArray("{\\b one\\u10?two} three\\par") << QStringList{"one", "two three", ""};
    QTest::newRow("line break keeps the line") << QByteArray("{\\b one\\line two} three\\par")
                                               << QStringList{QString("one") + QChar(0x2028) + "two three", ""};
    QTest::newRow("between paragraphs") << QByteArray("one\\par {\\b two\\u8233?}\\par three")
                                        << QStringList{"one", "two", "", "three"};
}

void RtfRunFormatsTest::paragraphMarksWithinARun()
{
    QFETCH(QByteArray, body);
    QFETCH(QStringList, paragraphs);

    // A character that starts a paragraph, read within a run, starts one in the document, and
    // the run's format goes on after it.
    QTextDocument document;
    QVERIFY(read(Head + body + "}", &document));
    QStringList read;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
        read.append(b.text());
    QCOMPARE(read, paragraphs);
    QCOMPARE(formatOf(document, QStringLiteral("two")).fontWeight(), int(QFont::Bold));
    if (body.contains("three"))
        QCOMPARE(formatOf(document, QStringLiteral("three")).fontWeight(), int(QFont::Normal));
}

void RtfRunFormatsTest::bulkAndStepwiseReadsAgree_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("formats change within paragraphs")
        << QByteArray("The patient was seen for {\\b follow-up}. Pressure was {\\cf1 well controlled} and we "
                      "discussed {\\i diet} and exercise.\\par Second {\\b one}\\par}");
    QTest::newRow("alike runs side by side") << QByteArray("one {\\b two}{\\b three} four{} five{\\i}\\par}");
    QTest::newRow("runs before and after a table")
        << QByteArray("before {\\b bold}\\trowd\\cellx3000\\cellx6000\\pard\\intbl A {\\b c}\\cell D\\cell\\row"
                      "\\pard tail {\\i x}y\\par}");
    QTest::newRow("field and bookmark")
        << QByteArray("see {\\field{\\*\\fldinst PAGE}{\\fldrslt 3}} on {\\*\\bkmkstart a}mark{\\*\\bkmkend a} "
                      "{\\b B}\\par}");
    QTest::newRow("header and footer between runs")
        << QByteArray("{\\header Head {\\b er}\\par}Body {\\b text} goes {\\footer Foot}{\\i on}\\par}");
    QTest::newRow("unicode, tabs and line breaks") << QByteArray("a\\u8212?b {\\b c\\line d}\\tab e {\\i f}\\par}");
    QTest::newRow("no closing paragraph mark") << QByteArray("last {\\b run} and {\\i more}");
    QTest::newRow("letters one after another")
        << QByteArray("Dear {\\b Ann},\\par}{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Dear {\\i Bob},\\par}");
}

void RtfRunFormatsTest::bulkAndStepwiseReadsAgree()
{
    QFETCH(QByteArray, body);

    // A document that records undo takes each run as an edit; one that does not takes a
    // paragraph's runs in one piece and cuts it where the formats change.
    QTextDocument stepwise, bulk;
    bulk.setUndoRedoEnabled(false);
    QTextDocument header[2], footer[2];
    DocumentParts parts[2] = {{&header[0], &footer[0], 0}, {&header[1], &footer[1], 0}};
    QVERIFY(read(Head + body, &stepwise, &parts[0]));
    QVERIFY(read(Head + body, &bulk, &parts[1]));
    QCOMPARE(pieces(bulk), pieces(stepwise));
    QVERIFY(!pieces(bulk).contains(QLatin1String(" after ")));

    // Edited within and across the cut pieces, both documents stay alike.
    for (QTextDocument* document : {&stepwise, &bulk}) {
        QTextCursor cursor(document);
        cursor.setPosition(document->characterCount() / 2);
        cursor.insertText(QStringLiteral("X"));
        cursor.setPosition(3);
        cursor.setPosition(document->characterCount() - 4, QTextCursor::KeepAnchor);
        cursor.insertText(QStringLiteral("Y"));
    }
    QCOMPARE(pieces(bulk), pieces(stepwise));
}

QTEST_MAIN(RtfRunFormatsTest)
#include "tst_rtfrunformats.moc"
