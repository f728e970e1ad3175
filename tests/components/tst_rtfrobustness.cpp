// RTF of other programs: tables written without the usual markers, deep groups and nesting
// read without crash, and every word of the input kept in its order.
#include "components/textcontrol/formats/rtf/rtfreader.h"

#include <QRegularExpression>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QtTest>

namespace {

QStringList words(const QString& text)
{
    static const QRegularExpression separators(QStringLiteral("[^\\w]+"));
    return text.split(separators, Qt::SkipEmptyParts);
}

int tableCount(const QTextDocument& document)
{
    int n = 0;
    QList<QTextFrame*> frames{document.rootFrame()};
    while (!frames.isEmpty()) {
        QTextFrame* frame = frames.takeLast();
        n += qobject_cast<QTextTable*>(frame) ? 1 : 0;
        frames += frame->childFrames();
    }
    return n;
}

QByteArray repeated(const QByteArray& piece, int times)
{
    QByteArray bytes;
    bytes.reserve(piece.size() * times);
    for (int i = 0; i < times; ++i)
        bytes += piece;
    return bytes;
}

QString repeatedWords(const QString& word, int times)
{
    QStringList list;
    for (int i = 0; i < times; ++i)
        list << word;
    return list.join(QLatin1Char(' '));
}

}  // namespace

class RtfRobustnessTest : public QObject {
    Q_OBJECT
private slots:
    void tablesAndGroups_data();
    void tablesAndGroups();
    void firstPageHeaderIsKept();
};

void RtfRobustnessTest::tablesAndGroups_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");  // the words of the document, in order
    QTest::addColumn<int>("tables");        // -1: not checked

    const QByteArray head = "{\\rtf1\\ansi{\\fonttbl{\\f0 Times;}}\\f0 ";
    QTest::newRow("usual table") << head + "Before\\par\\trowd\\cellx2000\\cellx4000\\pard\\intbl one\\cell two\\cell\\row\\pard After\\par}"
                                 << "Before one two After" << 1;
    QTest::newRow("cells without intbl") << head + "Before\\par\\trowd\\cellx2000\\cellx4000 one\\cell two\\cell\\row After\\par}"
                                         << "Before one two After" << 1;
    QTest::newRow("text after the last cell") << head + "\\trowd\\cellx2000\\intbl one\\cell\\pard tail\\row\\pard After\\par}"
                                              << "one tail After" << 1;
    QTest::newRow("row with pending text, no intbl") << head + "\\trowd\\cellx2000\\cellx4000 one\\cell two\\row\\par}"
                                                     << "one two" << 1;
    QTest::newRow("row with pending formatted text") << head + "\\trowd\\cellx2000 {\\b one}\\cell {\\i two} {\\b three}\\row}"
                                                     << "one two three" << 1;
    QTest::newRow("row alone, no cell") << head + "\\trowd\\cellx2000 lonely\\row\\par After\\par}"
                                        << "lonely After" << -1;
    QTest::newRow("rows without trowd") << head + "\\trowd\\cellx2000\\intbl a\\cell\\row\\intbl b\\cell\\row\\intbl c\\cell\\row\\pard d\\par}"
                                        << "a b c d" << 1;
    QTest::newRow("table at the end of the file") << head + "\\trowd\\cellx2000\\intbl one\\cell two\\cell\\row}"
                                                  << "one two" << 1;
    QTest::newRow("cell open at the end of the file") << head + "\\trowd\\cellx2000\\intbl one\\cell two"
                                                      << "one two" << 1;
    QTest::newRow("loose text open at the end of the file") << head + "\\trowd\\cellx2000\\intbl one\\cell\\row\\pard two"
                                                            << "one two" << 1;
    QTest::newRow("paragraphs in a cell") << head + "\\trowd\\cellx2000\\intbl one\\par two\\cell\\row\\pard three\\par}"
                                          << "one two three" << 1;
    QTest::newRow("cell and row in groups") << head + "\\trowd\\cellx2000{\\intbl one\\cell}{\\intbl two\\cell\\row}\\pard three\\par}"
                                            << "one two three" << -1;
    QTest::newRow("row ends while text of a group is pending") << head + "{\\trowd\\cellx2000 one {\\b two\\row}} three\\par}"
                                                                 << "one two three" << -1;
    QTest::newRow("nested table") << head + "\\trowd\\cellx4000\\pard\\intbl outer\\par\\itap2 inner1\\nestcell inner2\\nestcell"
                                            "{\\*\\nesttableprops\\trowd\\cellx1000\\cellx2000\\nestrow}"
                                            "{\\nonesttables\\par fallback}\\itap1 more\\cell\\row\\pard end\\par}"
                                  << "outer inner1 inner2 more end" << 1;
    QTest::newRow("nestcell without a table") << head + "one\\nestcell two\\nestrow three\\par}" << "one two three" << 0;
    QTest::newRow("cell word alone") << head + "one\\cell two\\par}" << "one two" << -1;
    QTest::newRow("page break in a cell") << head + "\\trowd\\cellx2000\\intbl one \\page two\\cell\\row\\pard three\\par}"
                                          << "one two three" << 1;
    QTest::newRow("picture after held text") << head + "\\trowd\\cellx2000\\intbl one\\cell\\row\\pard two {\\pict\\pngblip 00} three\\par}"
                                             << "one two three" << -1;
    QTest::newRow("field in a cell without intbl")
        << head + "\\trowd\\cellx2000 {\\field{\\*\\fldinst MERGEFIELD Name}{\\fldrslt Name}}\\cell\\row}" << "Name" << 1;
    QTest::newRow("header with a loose table")
        << head + "{\\header \\trowd\\cellx2000 h1\\cell h2\\row}body\\par}" << "body" << 0;

    QTest::newRow("double-byte characters") << QByteArray("{\\rtf1\\ansi\\ansicpg936 \\'d3\\'a1\\'cb\\'a2 x\\par}")
                                            << QString::fromUtf8("\u5370\u5237 x") << 0;
    QTest::newRow("double-byte characters of a font's charset")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f1\\fcharset134 SimSun;}}\\f1 \\'d3\\'a1{\\b\\'cb\\'a2}\\par}")
        << QString::fromUtf8("\u5370\u5237") << 0;
    QTest::newRow("symbol field without a result")
        << head + "a {\\field{\\*\\fldinst SYMBOL 253 \\\\f \"Wingdings\" \\\\s 10}{\\fldrslt }} b\\par}"
        << QString::fromUtf8("a \u00fd b") << 0;
    QTest::newRow("footnote with its reference mark")
        << head + "Text{\\super\\chftn}{\\*\\footnote\\pard{\\super\\chftn} Note body.\\par second} more\\par}"
        << "Text1 more 1 Note body second" << 0;
    QTest::newRow("footnote without a reference mark") << QByteArray("{\\rtf1\\ansi text.{\\footnote footnote}}")
                                                       << "text 1 1 footnote" << 0;
    QTest::newRow("footnote in a cell")
        << head + "\\trowd\\cellx2000\\intbl cell{\\footnote\\pard\\plain in note}\\cell\\row\\pard after\\par}"
        << "cell1 after 1 in note" << 1;

    // What the input controls must not drive a recursion or a stack: each of these would
    // overflow a reader that descended once per level.
    const int deep = 100000;
    QTest::newRow("groups nested deep, read flat")
        << head + repeated("{x ", deep) + repeated("}", deep) + "}" << repeatedWords("x", deep) << 0;
    QTest::newRow("groups nested deep, never closed") << head + repeated("{\\b y ", deep) << repeatedWords("y", deep) << 0;
    QTest::newRow("state inside flat groups ends with them")
        << head + repeated("{", 5000) + "{\\*\\unknown hidden}{\\v gone}seen" + repeated("}", 5000) + " after\\par}"
        << "seen after" << 0;
    QTest::newRow("rows of cells without intbl, many")
        << head + "\\trowd\\cellx2000\\cellx4000 " + repeated("a\\cell b\\row ", 5000) + "}" << repeatedWords("a b", 5000) << 1;
    QTest::newRow("rows ending with pending text, many")
        << head + repeated("\\trowd\\cellx2000 a\\cell b\\row\\par ", 3000) + "}" << repeatedWords("a b", 3000) << -1;
    QTest::newRow("nested tables deep") << head + "\\trowd\\cellx2000\\intbl " + repeated("\\itap9 n\\nestcell ", 5000) + "\\cell\\row}"
                                        << repeatedWords("n", 5000) << 1;
    QTest::newRow("fields nested deep")
        << head + repeated("{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt f ", 3000) + repeated("}}", 3000) + "}"
        << repeatedWords("f", 3000) << 0;
}

void RtfRobustnessTest::tablesAndGroups()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QFETCH(int, tables);
    QTextDocument document;
    PageInfo page;
    QVERIFY(RtfReader::read(rtf, &document, page));
    QCOMPARE(words(document.toPlainText()), words(expected));
    if (tables >= 0)
        QCOMPARE(tableCount(document), tables);
}

// A first page's own header (a letterhead) has no place in a document of one header: its text
// is kept after the body; the header every page shows stays the header.
void RtfRobustnessTest::firstPageHeaderIsKept()
{
    const QByteArray rtf = "{\\rtf1\\ansi\\titlepg{\\header Continued, page 2\\par}"
                           "{\\headerf Lakeside Family Medicine\\par}{\\footerf Lakeside Family Medicine\\par}"
                           "Dear Mrs. Alvarez,\\par}";
    QTextDocument document, header, footer;
    PageInfo page;
    DocumentParts parts{&header, &footer, 0};
    QVERIFY(RtfReader::read(rtf, &document, page, &parts));
    QCOMPARE(header.toPlainText(), QStringLiteral("Continued, page 2"));
    QCOMPARE(parts.present, 1);
    const QString text = document.toPlainText();
    QVERIFY(text.startsWith(QLatin1String("Dear Mrs. Alvarez,")));
    QCOMPARE(text.count(QLatin1String("Lakeside Family Medicine")), 1);  // kept once
}

QTEST_MAIN(RtfRobustnessTest)
#include "tst_rtfrobustness.moc"
