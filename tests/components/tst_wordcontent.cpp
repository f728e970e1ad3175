// What Word documents hold beyond plain paragraphs comes through as text in reading order:
// Strict Open XML, text boxes, notes, content controls, symbols, check boxes, tracked changes,
// section and page breaks; notes and text boxes of Word 97 documents.
#include "components/textcontrol/formats/doc/docreader.h"
#include "components/textcontrol/formats/docx/docxreader.h"
#include "components/textcontrol/formats/docx/zippackage.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QUrl>
#include <QTextDocument>
#include <QtTest>

namespace {

const QByteArray Transitional = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
const QByteArray Strict = "http://purl.oclc.org/ooxml/wordprocessingml/main";

QByteArray documentXml(const QByteArray& body, const QByteArray& ns = Transitional)
{
    return "<w:document xmlns:w=\"" + ns
        + "\" xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\""
          " xmlns:wps=\"http://schemas.microsoft.com/office/word/2010/wordprocessingShape\""
          " xmlns:v=\"urn:schemas-microsoft-com:vml\"><w:body>"
        + body + "</w:body></w:document>";
}

QByteArray paragraph(const QByteArray& text) { return "<w:p><w:r><w:t xml:space=\"preserve\">" + text + "</w:t></w:r></w:p>"; }

// A package with footnotes and endnotes beside the body.
QByteArray withNotes(const QByteArray& body)
{
    const QByteArray rels =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/footnotes\" Target=\"footnotes.xml\"/>"
        "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/endnotes\" Target=\"endnotes.xml\"/>"
        "</Relationships>";
    auto notes = [](const char* kind, const QByteArray& content) {
        return "<w:" + QByteArray(kind) + "s xmlns:w=\"" + Transitional + "\"><w:" + kind
            + " w:type=\"separator\" w:id=\"-1\"><w:p><w:r><w:separator/></w:r></w:p></w:" + kind + ">" + content + "</w:"
            + kind + "s>";
    };
    const QByteArray footnotes = notes("footnote", "<w:footnote w:id=\"2\"><w:p><w:r><w:footnoteRef/></w:r><w:r><w:t xml:space=\"preserve\"> "
                                                   "See the attached report.</w:t></w:r></w:p></w:footnote>");
    const QByteArray endnotes = notes("endnote", "<w:endnote w:id=\"1\"><w:p><w:r><w:endnoteRef/></w:r><w:r><w:t xml:space=\"preserve\"> "
                                                 "Dosage per day.</w:t></w:r></w:p></w:endnote>");
    return ZipPackage::write({{"word/document.xml", documentXml(body)}, {"word/_rels/document.xml.rels", rels},
                              {"word/footnotes.xml", footnotes}, {"word/endnotes.xml", endnotes}});
}

QStringList pageStarts(const QTextDocument& document)
{
    QStringList starts;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
        if (b.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
            starts << b.text();
    return starts;
}

}  // namespace

class WordContentTest : public QObject {
    Q_OBJECT
private slots:
    void textInReadingOrder_data();
    void textInReadingOrder();
    void sections_data();
    void sections();
    void otherProgramsNotes_data();
    void otherProgramsNotes();
    void firstAndEvenPageHeadersAreKept();
    void nothingOutsideThePackageIsRead();
};

void WordContentTest::textInReadingOrder_data()
{
    QTest::addColumn<QByteArray>("package");
    QTest::addColumn<QString>("text");
    auto add = [](const char* name, const QByteArray& body, const QString& text) {
        QTest::newRow(name) << ZipPackage::write({{"word/document.xml", documentXml(body)}}) << text;
    };
    QTest::newRow("Strict Open XML")
        << ZipPackage::write({{"word/document.xml", documentXml(paragraph("Strict text"), Strict)}}) << "Strict text";
    const QByteArray box = "<w:txbxContent>" + paragraph("In the box.") + "</w:txbxContent>";
    add("text box with a fallback, once after its paragraph",
        "<w:p><w:r><w:t>Anchor</w:t></w:r><w:r><mc:AlternateContent><mc:Choice Requires=\"wps\"><w:drawing><wps:wsp><wps:txbx>" + box
            + "</wps:txbx></wps:wsp></w:drawing></mc:Choice><mc:Fallback><w:pict><v:shape><v:textbox>" + box
            + "</v:textbox></v:shape></w:pict></mc:Fallback></mc:AlternateContent></w:r><w:r><w:t> text.</w:t></w:r></w:p>"
            + paragraph("Next."),
        "Anchor text.\nIn the box.\nNext.");
    add("VML text box", "<w:p><w:r><w:pict><v:shape><v:textbox>" + box + "</v:textbox></v:shape></w:pict></w:r></w:p>",
        "\nIn the box.");
    add("content controls", "<w:sdt><w:sdtPr><w:alias w:val=\"x\"/></w:sdtPr><w:sdtContent>" + paragraph("Block")
            + "</w:sdtContent></w:sdt><w:p><w:sdt><w:sdtContent><w:r><w:t>Inline</w:t></w:r></w:sdtContent></w:sdt></w:p>",
        "Block\nInline");
    add("tracked changes shown accepted",
        "<w:p><w:r><w:t xml:space=\"preserve\">Take </w:t></w:r><w:del><w:r><w:delText>two</w:delText></w:r></w:del>"
        "<w:ins><w:r><w:t>one</w:t></w:r></w:ins><w:moveFrom><w:r><w:t>gone</w:t></w:r></w:moveFrom></w:p>",
        "Take one");
    add("smart tags and custom XML",
        "<w:p><w:smartTag><w:r><w:t>Austin</w:t></w:r></w:smartTag><w:customXml><w:r><w:t>, TX</w:t></w:r></w:customXml></w:p>",
        "Austin, TX");
    add("symbol", "<w:p><w:r><w:sym w:font=\"Symbol\" w:char=\"F061\"/><w:t>-blocker</w:t></w:r></w:p>", "a-blocker");
    add("form check boxes",
        "<w:p><w:r><w:fldChar w:fldCharType=\"begin\"><w:ffData><w:checkBox><w:default w:val=\"1\"/></w:checkBox></w:ffData>"
        "</w:fldChar></w:r><w:r><w:instrText>FORMCHECKBOX</w:instrText></w:r><w:r><w:fldChar w:fldCharType=\"end\"/></w:r>"
        "<w:r><w:t xml:space=\"preserve\"> Yes </w:t></w:r><w:r><w:fldChar w:fldCharType=\"begin\"><w:ffData><w:checkBox/></w:ffData>"
        "</w:fldChar></w:r><w:r><w:instrText>FORMCHECKBOX</w:instrText></w:r><w:r><w:fldChar w:fldCharType=\"end\"/></w:r>"
        "<w:r><w:t xml:space=\"preserve\"> No</w:t></w:r></w:p>",
        QString::fromUtf8("☒ Yes ☐ No"));
    add("table rows inside a content control",
        "<w:tbl><w:sdt><w:sdtContent><w:tr><w:tc>" + paragraph("cell") + "</w:tc></w:tr></w:sdtContent></w:sdt></w:tbl>",
        "\ncell\n");
    QTest::newRow("footnote and endnote after a rule")
        << withNotes("<w:p><w:r><w:t>Results</w:t></w:r><w:r><w:footnoteReference w:id=\"2\"/></w:r><w:r><w:t xml:space=\"preserve\">"
                     " and dose</w:t></w:r><w:r><w:endnoteReference w:id=\"1\"/></w:r></w:p>")
        << "Results1 and dosei\n\n1 See the attached report.\ni Dosage per day.";
}

void WordContentTest::textInReadingOrder()
{
    QFETCH(QByteArray, package);
    QTextDocument document;
    PageInfo page;
    QVERIFY(DocxReader::read(package, &document, page));
    QTEST(document.toPlainText(), "text");
}

void WordContentTest::sections_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("starts");  // paragraphs that start a page
    QTest::addColumn<int>("width");           // the document's page width, twips
    const QByteArray letter = "<w:sectPr><w:pgSz w:w=\"12240\" w:h=\"15840\"/></w:sectPr>";
    QTest::newRow("a section break starts a page; the first section's paper")
        << "<w:p><w:pPr><w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/></w:sectPr></w:pPr><w:r><w:t>A</w:t></w:r></w:p>"
               + paragraph("B") + letter
        << QStringList{"B"} << 11906;
    const QByteArray continuous = "<w:sectPr><w:type w:val=\"continuous\"/></w:sectPr>";
    QTest::newRow("a section that begins continuous does not")
        << "<w:p><w:pPr><w:sectPr/></w:pPr><w:r><w:t>A</w:t></w:r></w:p>" + paragraph("B") + continuous << QStringList{} << 0;
    QTest::newRow("a continuous first section breaks before the second")
        << "<w:p><w:pPr>" + continuous + "</w:pPr><w:r><w:t>A</w:t></w:r></w:p>" + paragraph("B") + letter << QStringList{"B"} << 12240;
    QTest::newRow("a break inside a paragraph splits it")
        << QByteArray("<w:p><w:r><w:t>AAA</w:t><w:br w:type=\"page\"/><w:t>CCC</w:t></w:r></w:p>") + paragraph("B") << QStringList{"CCC"}
        << 0;
    QTest::newRow("a column break is a page break in one column")
        << QByteArray("<w:p><w:r><w:t>AAA</w:t><w:br w:type=\"column\"/><w:t>CCC</w:t></w:r></w:p>") << QStringList{"CCC"} << 0;
    QTest::newRow("a break at the start leaves an empty first page")
        << QByteArray("<w:p><w:r><w:br w:type=\"page\"/><w:t>AAA</w:t></w:r></w:p>") + paragraph("B") << QStringList{"AAA"} << 0;
    QTest::newRow("breaks in a row before text count once")
        << paragraph("AAA") + "<w:p><w:r><w:br w:type=\"page\"/><w:br w:type=\"page\"/><w:t>BBB</w:t></w:r></w:p>"
        << QStringList{"BBB"} << 0;
    QTest::newRow("margins with units (Strict)")
        << paragraph("A") + "<w:sectPr><w:pgSz w:w=\"612pt\" w:h=\"792pt\"/><w:pgMar w:top=\"1in\" w:bottom=\"72pt\" w:left=\"2.54cm\" w:right=\"25.4mm\"/></w:sectPr>"
        << QStringList{} << 12240;
}

void WordContentTest::sections()
{
    QFETCH(QByteArray, body);
    QFETCH(int, width);
    QTextDocument document;
    PageInfo page;
    QVERIFY(DocxReader::read(ZipPackage::write({{"word/document.xml", documentXml(body)}}), &document, page));
    QTEST(pageStarts(document), "starts");
    if (width)
        QCOMPARE(page.width, width);
    if (QTest::currentDataTag() == QLatin1String("margins with units (Strict)")) {
        QCOMPARE(page.marginT, 1440);
        QCOMPARE(page.marginL, 1440);
        QCOMPARE(page.marginR, 1440);
    }
}

void WordContentTest::otherProgramsNotes_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("inOrder");  // paragraphs that follow one another (the rule is empty)
    QTest::newRow("Word 97 footnote and endnote") << "poi-footnote.doc" << QStringList{"Test text1i", "", "1\tTestFootnote", "i\tTestEndnote"};
    QTest::newRow("Word 2010 text boxes") << "tika-testWORD_text_box.docx"
                                          << QStringList{"This text is directly in the body of the document.",
                                                         "This text is inside of a text box in the body of the document."};
}

// Documents of other programs whose notes and text boxes were once lost.
void WordContentTest::otherProgramsNotes()
{
    QFETCH(QString, file);
    QFETCH(QStringList, inOrder);
    QFile in(QStringLiteral(SCRIVORA_SOURCE_DIR "/../shared/corpus/word/") + file);
    if (!in.open(QIODevice::ReadOnly))
        QSKIP("the corpus of other programs' documents is not beside the repository");
    QTextDocument document;
    PageInfo page;
    QVERIFY(file.endsWith(".doc") ? DocReader::read(in.readAll(), &document, page)
                                  : DocxReader::read(in.readAll(), &document, page));
    const QStringList paragraphs = document.toPlainText().split('\n');
    qsizetype at = paragraphs.indexOf(inOrder.first());
    QVERIFY2(at >= 0, qPrintable(document.toPlainText()));
    for (const QString& next : inOrder.mid(1))
        QCOMPARE(paragraphs.value(++at), next);
}

// The first page's and the even pages' own headers and footers have no place in a document of
// one header and footer; their text is kept after the body, where the header every page shows
// is the header.
void WordContentTest::firstAndEvenPageHeadersAreKept()
{
    QFile in(QStringLiteral(SCRIVORA_SOURCE_DIR "/../shared/corpus/word/node-word-extractor-test15.docx"));
    if (!in.open(QIODevice::ReadOnly))
        QSKIP("the corpus of other programs' documents is not beside the repository");
    QTextDocument document, header, footer;
    PageInfo page;
    DocumentParts parts{&header, &footer, 0};
    QVERIFY(DocxReader::read(in.readAll(), &document, page, &parts));
    QCOMPARE(header.toPlainText().trimmed(), QString::fromUtf8("Section 1 – odd page header"));
    const QString text = document.toPlainText();
    QVERIFY(text.contains(QString::fromUtf8("Section 1 – first page header")));
    QVERIFY(text.contains(QString::fromUtf8("Section 1 – even page header")));
    QCOMPARE(text.count(QString::fromUtf8("Section 1 – odd page header")), 0);
}

// A document that names a file beside it (an external picture, an included text, an external
// entity) shows what it holds itself; the file's content never comes in.
void WordContentTest::nothingOutsideThePackageIsRead()
{
    QTemporaryDir dir;
    const QString secret = dir.filePath("secret.txt");
    QFile file(secret);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("PATIENT-SECRET");
    file.close();
    QImage(8, 8, QImage::Format_RGB32).save(dir.filePath("picture.png"));
    const QByteArray url = QUrl::fromLocalFile(dir.path()).toEncoded();
    const QByteArray rels =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId9\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/image\" Target=\""
        + url + "/picture.png\" TargetMode=\"External\"/></Relationships>";
    const QByteArray body =
        "<w:p><w:r><w:fldChar w:fldCharType=\"begin\"/></w:r><w:r><w:instrText>INCLUDETEXT \"" + secret.toUtf8()
        + "\"</w:instrText></w:r><w:r><w:fldChar w:fldCharType=\"separate\"/></w:r><w:r><w:t>last result</w:t></w:r>"
          "<w:r><w:fldChar w:fldCharType=\"end\"/></w:r></w:p>"
          "<w:p><w:r><w:drawing><a:blip xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
          "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" r:link=\"rId9\" r:embed=\"rId9\"/>"
          "</w:drawing></w:r></w:p>";
    QTextDocument document;
    PageInfo page;
    QVERIFY(DocxReader::read(ZipPackage::write({{"word/document.xml", documentXml(body)}, {"word/_rels/document.xml.rels", rels}}),
                             &document, page));
    QCOMPARE(document.toPlainText(), QString("last result\n"));
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            QVERIFY(!it.fragment().charFormat().isImageFormat());

    const QByteArray entity = "<?xml version=\"1.0\"?><!DOCTYPE w:document [<!ENTITY e SYSTEM \"" + url
        + "/secret.txt\">]>" + documentXml("<w:p><w:r><w:t>&e;</w:t></w:r></w:p>");
    QTextDocument other;
    DocxReader::read(ZipPackage::write({{"word/document.xml", entity}}), &other, page);
    QVERIFY(!other.toPlainText().contains("PATIENT-SECRET"));
}

QTEST_MAIN(WordContentTest)
#include "tst_wordcontent.moc"
