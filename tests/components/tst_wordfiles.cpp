// Word documents (.docx and .doc): a round trip keeps what the engine holds, the RTF corpus
// survives the trip through either format, a .doc that LibreOffice wrote opens, and damaged
// files are refused without harm.
#include "components/textcontrol/formats/doc/compoundfile.h"
#include "components/textcontrol/formats/doc/docreader.h"
#include "components/textcontrol/formats/doc/docwriter.h"
#include "components/textcontrol/formats/docx/docxreader.h"
#include "components/textcontrol/formats/docx/docxwriter.h"
#include "components/textcontrol/formats/docx/zippackage.h"
#include "components/textcontrol/document/fields.h"
#include "components/textcontrol/formats/rtf/rtfreader.h"
#include "components/textcontrol/textcontrol.h"
#include "support/richletter.h"
#include "support/testfiles.h"

#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QtTest>

namespace {

const QString LibreOfficeLetter = QStringLiteral(SCRIVORA_SOURCE_DIR "/tests/fixtures/letter-libreoffice.doc");

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class WordFilesTest : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void corpusThroughWord_data();
    void corpusThroughWord();
    void mergedCells_data();
    void mergedCells();
    void docxStyles_data();
    void docxStyles();
    void pageBreaks_data();
    void pageBreaks();
    void damagedPackages_data();
    void damagedPackages();
    void libreOfficeDoc();
    void damagedDocs_data();
    void damagedDocs();
};

void WordFilesTest::roundTrip_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    for (const int format : {int(TextControl::FormatDocx), int(TextControl::FormatWord)}) {
        const char* name = format == TextControl::FormatDocx ? "docx" : "doc";
        QTest::addRow("%s Letter portrait", name) << format << 12240 << 15840;
        QTest::addRow("%s A4 landscape", name) << format << 16834 << 11909;
    }
}

void WordFilesTest::roundTrip()
{
    QFETCH(int, format);
    QFETCH(int, width);
    QFETCH(int, height);
    QTemporaryDir dir;
    TextControl control;
    RichLetter::build(control, dir, width, height);
    const QString path = dir.filePath("letter.word");
    QVERIFY(control.save(path, 0, format));
    TextControl copy;
    copy.setLoadSaveAttribute(37, 1);
    QVERIFY2(copy.load(path, 0, format), qPrintable(copy.lastError()));
    copy.applyLoadSaveAttributes();
    QCOMPARE(copy.plainText(), control.plainText());
    RichLetter::verify(copy, width, height);
}

void WordFilesTest::corpusThroughWord_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("docx");
    const QStringList paths = TestFiles::rtfCorpus();
    if (paths.isEmpty())
        QTest::newRow("no corpus") << QString() << true;
    for (const QString& p : paths) {
        QTest::addRow("docx %s", qPrintable(QFileInfo(p).fileName())) << p << true;
        QTest::addRow("doc %s", qPrintable(QFileInfo(p).fileName())) << p << false;
    }
}

// Every document from other programs comes back from .docx and .doc with the same text.
void WordFilesTest::corpusThroughWord()
{
    QFETCH(QString, path);
    QFETCH(bool, docx);
    if (path.isEmpty())
        QSKIP("the shared corpus is not beside this checkout");
    QTextDocument first;
    PageInfo page;
    QVERIFY(RtfReader::read(fileBytes(path), &first, page));
    QTextDocument second;
    PageInfo again;
    QString expected = first.toPlainText();
    if (!docx) {
        QVERIFY(DocReader::read(DocWriter::write(&first, page), &second, again));
        QCOMPARE(second.toPlainText(), expected);
        QCOMPARE(again.width, page.width > 0 ? page.width : 12240);
        return;
    }
    QVERIFY(DocxReader::read(DocxWriter::write(&first, page), &second, again));
    // XML has no lone surrogates: such a character comes back as U+FFFD.
    for (qsizetype i = 0; i < expected.size(); ++i) {
        if (expected.at(i).isHighSurrogate() && i + 1 < expected.size() && expected.at(i + 1).isLowSurrogate())
            ++i;
        else if (expected.at(i).isSurrogate())
            expected[i] = QChar::ReplacementCharacter;
    }
    QCOMPARE(second.toPlainText(), expected);
}

void WordFilesTest::mergedCells_data()
{
    QTest::addColumn<bool>("docx");
    QTest::newRow("docx") << true;
    QTest::newRow("doc") << false;
}

// Cells merged across and down come back merged, with the text of the cells around them.
void WordFilesTest::mergedCells()
{
    QFETCH(bool, docx);
    QTextDocument first;
    QTextTable* table = QTextCursor(&first).insertTable(3, 4);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            table->cellAt(r, c).firstCursorPosition().insertText(QStringLiteral("%1%2").arg(r).arg(c));
    table->mergeCells(0, 1, 2, 2);
    table->mergeCells(2, 0, 1, 2);  // a .doc knows columns only by the cell edges some row has
    QTextDocument second;
    PageInfo page;
    QVERIFY(docx ? DocxReader::read(DocxWriter::write(&first, page), &second, page)
                 : DocReader::read(DocWriter::write(&first, page), &second, page));
    QTextTable* read = qobject_cast<QTextTable*>(second.rootFrame()->childFrames().value(0));
    QVERIFY(read);
    QCOMPARE(read->rows(), 3);
    QCOMPARE(read->columns(), 4);
    const QTextTableCell square = read->cellAt(1, 2);
    QCOMPARE(square.row(), 0);
    QCOMPARE(square.column(), 1);
    QCOMPARE(square.rowSpan(), 2);
    QCOMPARE(square.columnSpan(), 2);
    QCOMPARE(read->cellAt(2, 1).columnSpan(), 2);
    QCOMPARE(read->cellAt(1, 3).firstCursorPosition().block().text(), QString("13"));
    QCOMPARE(read->cellAt(2, 3).firstCursorPosition().block().text(), QString("23"));
    QVERIFY(read->cellAt(0, 1).firstCursorPosition().block().text().startsWith("01"));
}

void WordFilesTest::docxStyles_data()
{
    QTest::addColumn<QByteArray>("paragraph");
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<int>("before");  // layout units
    QTest::addColumn<int>("indent");
    const QByteArray text = "<w:r><w:t>Text</w:t></w:r>";
    QTest::newRow("the default style over the theme's font") << "<w:p>" + text + "</w:p>" << QString("Calibri") << 11.0 << false << 0 << 48;
    QTest::newRow("a heading based on it") << "<w:p><w:pPr><w:pStyle w:val=\"Heading1\"/></w:pPr>" + text + "</w:p>"
                                           << QString("Cambria") << 16.0 << true << 16 << 48;
    QTest::newRow("direct over the style") << QByteArray("<w:p><w:pPr><w:pStyle w:val=\"Heading1\"/><w:spacing w:after=\"0\"/></w:pPr>"
                                               "<w:r><w:rPr><w:b w:val=\"0\"/><w:sz w:val=\"20\"/></w:rPr><w:t>Text</w:t></w:r></w:p>")
                                           << QString("Cambria") << 10.0 << false << 16 << 48;
    QTest::newRow("a character style") << QByteArray("<w:p><w:r><w:rPr><w:rStyle w:val=\"Strong\"/></w:rPr><w:t>Text</w:t></w:r></w:p>")
                                       << QString("Calibri") << 11.0 << true << 0 << 48;
    QTest::newRow("a left indent keeps the style's first line")
        << "<w:p><w:pPr><w:ind w:left=\"1440\"/></w:pPr>" + text + "</w:p>" << QString("Calibri") << 11.0 << false << 0 << 48;
}

// Formats that Word keeps in styles: defaults, theme fonts, based-on chains, character styles.
void WordFilesTest::docxStyles()
{
    QFETCH(QByteArray, paragraph);
    QFETCH(QString, family);
    QFETCH(double, points);
    QFETCH(bool, bold);
    QFETCH(int, before);
    QFETCH(int, indent);
    const QByteArray w = "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"";
    const QByteArray styles = "<w:styles " + w + "><w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:asciiTheme=\"minorHAnsi\"/>"
        "<w:sz w:val=\"22\"/></w:rPr></w:rPrDefault><w:pPrDefault><w:pPr><w:spacing w:after=\"160\"/></w:pPr></w:pPrDefault></w:docDefaults>"
        "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:pPr><w:ind w:firstLine=\"720\"/></w:pPr></w:style>"
        "<w:style w:type=\"paragraph\" w:styleId=\"Heading1\"><w:basedOn w:val=\"Normal\"/><w:pPr><w:spacing w:before=\"240\"/></w:pPr>"
        "<w:rPr><w:rFonts w:asciiTheme=\"majorHAnsi\"/><w:b/><w:sz w:val=\"32\"/></w:rPr></w:style>"
        "<w:style w:type=\"character\" w:styleId=\"Strong\"><w:rPr><w:b/></w:rPr></w:style></w:styles>";
    const QByteArray theme = "<a:theme xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\"><a:themeElements><a:fontScheme>"
                             "<a:majorFont><a:latin typeface=\"Cambria\"/></a:majorFont><a:minorFont><a:latin typeface=\"Calibri\"/>"
                             "</a:minorFont></a:fontScheme></a:themeElements></a:theme>";
    const QByteArray document = "<w:document " + w + "><w:body>" + paragraph + "</w:body></w:document>";
    QTextDocument read;
    PageInfo page;
    QVERIFY(DocxReader::read(ZipPackage::write({{"word/document.xml", document}, {"word/styles.xml", styles},
                                                {"word/theme/theme1.xml", theme}}),
                             &read, page));
    const QTextCharFormat f = RichLetter::formatOf(&read, "Text");
    QCOMPARE(f.fontFamilies().toStringList().value(0), family);
    QCOMPARE(f.fontPointSize(), points);
    QCOMPARE(f.fontWeight() >= QFont::Bold, bold);
    const QTextBlockFormat b = read.begin().blockFormat();
    QCOMPARE(qRound(b.topMargin()), before);
    QCOMPARE(qRound(b.textIndent()), indent);
}

void WordFilesTest::pageBreaks_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("broken");  // the paragraph that starts a page
    QTest::newRow("break before the text") << QByteArray("<w:p><w:r><w:t>A</w:t></w:r></w:p><w:p><w:r><w:br w:type=\"page\"/></w:r><w:r><w:t>B</w:t></w:r></w:p>") << "B";
    QTest::newRow("break after the text") << QByteArray("<w:p><w:r><w:t>A</w:t><w:br w:type=\"page\"/></w:r></w:p><w:p><w:r><w:t>B</w:t></w:r></w:p>") << "B";
    QTest::newRow("page break before") << QByteArray("<w:p><w:r><w:t>A</w:t></w:r></w:p><w:p><w:pPr><w:pageBreakBefore/></w:pPr><w:r><w:t>B</w:t></w:r></w:p>") << "B";
    QTest::newRow("line break only") << QByteArray("<w:p><w:r><w:t>A</w:t><w:br/><w:t>B</w:t></w:r></w:p>") << "";
}

void WordFilesTest::pageBreaks()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, broken);
    const QByteArray xml = "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>"
        + body + "</w:body></w:document>";
    QTextDocument document;
    PageInfo page;
    QVERIFY(DocxReader::read(ZipPackage::write({{"word/document.xml", xml}}), &document, page));
    QStringList starts;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
        if (b.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
            starts << b.text();
    QCOMPARE(starts, broken.isEmpty() ? QStringList() : QStringList{broken});
}

void WordFilesTest::damagedPackages_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("readable");
    QTextDocument document;
    QTextCursor(&document).insertText("Some text in a paragraph");
    const QByteArray good = DocxWriter::write(&document, PageInfo{});
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("not a zip") << QByteArray("{\\rtf1 hello}") << false;
    QTest::newRow("zip without a document") << ZipPackage::write({{"other.txt", "x"}}) << false;
    QTest::newRow("half a package") << good.left(good.size() / 2) << false;
    const QByteArray root = "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>";
    QTest::newRow("cut short: what is there is read") << ZipPackage::write({{"word/document.xml", root + "<w:p><w:r><w:t>cut"}})
                                                      << true;
    QTest::newRow("undeclared prefix") << ZipPackage::write({{"word/document.xml", "<w:document><w:body><w:p/></w:body></w:document>"}})
                                       << false;
    QTest::newRow("mismatched tags") << ZipPackage::write({{"word/document.xml", root + "<w:p></w:tbl></w:body></w:document>"}})
                                     << false;
    QTest::newRow("tables nested 500 deep")
        << ZipPackage::write({{"word/document.xml", root + QByteArray("<w:tbl><w:tr><w:tc>").repeated(500) + "<w:p/>"
                                                        + QByteArray("</w:tc></w:tr></w:tbl>").repeated(500) + "</w:body></w:document>"}})
        << true;
    QTest::newRow("intact") << good << true;
}

void WordFilesTest::damagedPackages()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, readable);
    QTextDocument document;
    PageInfo page;
    QCOMPARE(DocxReader::read(bytes, &document, page), readable);
}

// A letter LibreOffice wrote: text, formats, table, merge field, page break and page set-up.
void WordFilesTest::libreOfficeDoc()
{
    TextControl control;
    control.setLoadSaveAttribute(37, 1);
    QVERIFY2(control.load(LibreOfficeLetter, 0, TextControl::FormatWord), qPrintable(control.lastError()));
    control.applyLoadSaveAttributes();
    QCOMPARE(control.plainText(),
             QString("Plain start\nBold words here\nCentred and indented\nDear [patient_info.last_name],\n"
                     "r0c0\nr0c1\nr0c2\nr1c0\nr1c1\nr1c2\nr2c0\nr2c1\nr2c2\nSecond page"));
    QTextDocument* document = control.document();
    const QTextCharFormat f = RichLetter::formatOf(document, "Bold words");
    QVERIFY(f.fontWeight() >= QFont::Bold);
    QVERIFY(f.fontItalic());
    QVERIFY(f.fontUnderline());
    QCOMPARE(f.fontFamilies().toStringList().value(0), QString("Arial"));
    QCOMPARE(f.fontPointSize(), 14.0);
    QCOMPARE(f.foreground().color(), QColor(192, 16, 32));
    const QTextBlockFormat centred = document->find("Centred").blockFormat();
    QCOMPARE(centred.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(qRound(centred.leftMargin()), 48);
    QCOMPARE(qRound(centred.textIndent()), 24);
    QCOMPARE(control.fieldData(control.fieldNext(0)), QString("patient_info.last_name"));
    QTextTable* table = qobject_cast<QTextTable*>(document->rootFrame()->childFrames().value(0));
    QVERIFY(table);
    QCOMPARE(table->rows(), 3);
    QCOMPARE(table->columns(), 3);
    QCOMPARE(table->cellAt(2, 1).firstCursorPosition().block().text(), QString("r2c1"));
    QCOMPARE(control.currentPages(), 2);
    QCOMPARE(control.pageWidth(), 16838);
    QCOMPARE(control.pageHeight(), 11906);
    QCOMPARE(control.pageMarginL(), 1134);
    QCOMPARE(control.pageMarginT(), 1134);
}

void WordFilesTest::damagedDocs_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("readable");  // -1: refused or read in part
    const QByteArray good = fileBytes(LibreOfficeLetter);
    QTextDocument ours;
    QTextCursor(&ours).insertText("Some text in a paragraph");
    const QByteArray written = DocWriter::write(&ours, PageInfo{});
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("text") << QByteArray("Just some words, not a Word file") << 0;
    QTest::newRow("cut in half") << good.left(good.size() / 2) << -1;
    QTest::newRow("ours cut in half") << written.left(written.size() / 2) << -1;
    for (const auto& [name, source] : {std::pair{"scrambled streams", good}, std::pair{"ours scrambled", written}}) {
        QByteArray scrambled = source;
        for (qsizetype i = 512; i < scrambled.size(); i += 7)
            scrambled[i] = char(scrambled.at(i) ^ 0x5a);
        QTest::newRow(name) << scrambled << -1;
    }
    QByteArray word95(0x400, '\0');
    word95[0] = char(0xEC);
    word95[1] = char(0xA5);
    word95[2] = 0x65;
    QTest::newRow("Word 6 file block") << CompoundFile::write({{"WordDocument", word95}}, {}) << 0;
    QTest::newRow("ours intact") << written << 1;
}

void WordFilesTest::damagedDocs()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, readable);
    QTextDocument document;
    PageInfo page;
    const bool read = DocReader::read(bytes, &document, page);  // never a crash or a hang
    if (readable >= 0)
        QCOMPARE(read, readable == 1);
    QVERIFY(document.characterCount() < 10'000'000);
}

QTEST_MAIN(WordFilesTest)
#include "tst_wordfiles.moc"
