// File formats of the text control: RTF, HTML, native and plain text, and the public corpus.
#include "components/textcontrol/document/fields.h"
#include "components/textcontrol/formats/html/htmlformat.h"
#include "components/textcontrol/formats/native/nativeformat.h"
#include "components/textcontrol/formats/rtf/rtfreader.h"
#include "components/textcontrol/formats/rtf/rtfwriter.h"
#include "components/textcontrol/textcontrol.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include "support/testfiles.h"

#include <QtTest>

namespace {

struct Read {
    bool ok = false;
    PageInfo page;
    std::unique_ptr<QTextDocument> document = std::make_unique<QTextDocument>();
    QString text() const { return document->toPlainText(); }
};

Read readRtf(const QByteArray& rtf)
{
    Read r;
    r.ok = RtfReader::read(rtf, r.document.get(), r.page);
    return r;
}

int pageBreaks(const QTextDocument* document)
{
    int n = 0;
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next())
        n += (b.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) ? 1 : 0;
    return n;
}

QTextCharFormat formatAt(const QTextDocument* document, const QString& text)
{
    QTextCursor c = document->find(text);
    if (c.isNull())
        return {};
    QTextCursor probe(const_cast<QTextDocument*>(document));
    probe.setPosition(c.selectionStart() + 1);
    return probe.charFormat();
}

QList<QTextTable*> tables(const QTextDocument* document)
{
    QList<QTextTable*> result;
    for (QTextFrame* f : document->rootFrame()->childFrames())
        if (auto* t = qobject_cast<QTextTable*>(f))
            result << t;
    return result;
}

// A document with what every format must keep: fonts, colours, a table, an image, a merge
// field; the page is A4 landscape.
void buildSample(TextControl& control)
{
    control.setPageWidth(16838);
    control.setPageHeight(11906);
    control.setPageMarginL(1134);
    control.setPageMarginT(720);
    control.setPageMarginR(1134);
    control.setPageMarginB(720);
    QTextCursor c(control.document());
    QTextCharFormat arial;
    arial.setFontFamilies({QStringLiteral("Arial")});
    arial.setFontPointSize(14);
    arial.setFontWeight(QFont::Bold);
    arial.setForeground(QColor(0xc0, 0x10, 0x20));
    c.insertText(QStringLiteral("Referral letter"), arial);
    c.insertBlock();
    QTextCharFormat plain;
    plain.setFontFamilies({QStringLiteral("Times New Roman")});
    plain.setFontPointSize(11);
    c.insertText(QStringLiteral("Dear "), plain);
    QTextCharFormat field = plain;
    field.setProperty(Fields::IdProperty, 1);
    field.setProperty(Fields::DataProperty, QStringLiteral("patient_info.last_name"));
    field.setProperty(Fields::TypeProperty, int(Fields::TextField));
    c.insertText(QStringLiteral("[patient_info.last_name]"), field);
    c.insertText(QStringLiteral(", caf\u00e9 \u20ac"), plain);
    c.insertBlock();
    QTextTableFormat tf;
    tf.setBorder(1);
    QTextTable* table = c.insertTable(3, 3, tf);
    for (int r = 0; r < 3; ++r)
        for (int col = 0; col < 3; ++col)
            table->cellAt(r, col).firstCursorPosition().insertText(QStringLiteral("r%1c%2").arg(r).arg(col), plain);
    c = table->lastCursorPosition();
    c.movePosition(QTextCursor::NextBlock);
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(Qt::blue);
    control.document()->addResource(QTextDocument::ImageResource, QUrl("pic.png"), image);
    QTextImageFormat img;
    img.setName(QStringLiteral("pic.png"));
    img.setWidth(40);
    img.setHeight(20);
    c.insertImage(img);
    c.insertText(QStringLiteral(" the end"), plain);
}

}  // namespace

class FormatsTest : public QObject {
    Q_OBJECT
private slots:
    void rtfText_data();
    void rtfText();
    void rtfCharacterFormats();
    void rtfPageSetUp();
    void rtfTable();
    void rtfMergedCells();
    void rtfFields();
    void rtfPicture();
    void rtfMetafilePlaceholder();
    void rtfSeveralDocuments_data();
    void rtfSeveralDocuments();
    void rtfHostileInput_data();
    void rtfHostileInput();
    void roundTrip_data();
    void roundTrip();
    void htmlPageRule_data();
    void htmlPageRule();
    void nativeRefusesOtherData();
    void corpus_data();
    void corpus();
};

void FormatsTest::rtfText_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("plain") << QByteArray("{\\rtf1 Hello}") << "Hello";
    QTest::newRow("paragraphs") << QByteArray("{\\rtf1 One\\par Two}") << "One\nTwo";
    QTest::newRow("code page 1252") << QByteArray("{\\rtf1\\ansi\\ansicpg1252 caf\\'e9 \\'80}")
                                    << QString::fromUtf8("café €");
    QTest::newRow("code page 1250") << QByteArray("{\\rtf1\\ansi\\ansicpg1250 \\'e8}") << QString::fromUtf8("č");
    QTest::newRow("font charset") << QByteArray("{\\rtf1{\\fonttbl{\\f1\\fcharset204 Arial;}}\\f1 \\'e4}")
                                  << QString::fromUtf8("д");
    QTest::newRow("unicode with fallback") << QByteArray("{\\rtf1\\uc1\\u8364?\\u-3913?x}")
                                           << QString::fromUtf8("€\uF0B7x");
    QTest::newRow("unicode skip two") << QByteArray("{\\rtf1\\uc2\\u233\\'65\\'65ok}") << QString::fromUtf8("éok");
    QTest::newRow("escaped braces") << QByteArray("{\\rtf1 a\\{b\\}c\\\\}") << "a{b}c\\";
    QTest::newRow("tab and line") << QByteArray("{\\rtf1 a\\tab b\\line c}") << QString("a\tb\nc");  // a line break reads as one
    QTest::newRow("unknown destination skipped") << QByteArray("{\\rtf1{\\*\\unknown junk}{\\info{\\title T}}Body}") << "Body";
    QTest::newRow("hidden text") << QByteArray("{\\rtf1 a{\\v hidden}b}") << "ab";
    // The number of a list item comes from its list; a number without a list stays text.
    QTest::newRow("list text of an item") << QByteArray("{\\rtf1{\\*\\pn\\pnlvlblt}{\\listtext \\'b7\\tab}Item}")
                                          << QString::fromUtf8("Item");
    QTest::newRow("list text without a list") << QByteArray("{\\rtf1{\\listtext \\'b7\\tab}Item}")
                                              << QString::fromUtf8("·\tItem");
    QTest::newRow("other field keeps its result")
        << QByteArray("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt Link}}}") << "Link";
}

void FormatsTest::rtfText()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    const Read r = readRtf(rtf);
    QVERIFY(r.ok);
    QCOMPARE(r.text(), text);
}

void FormatsTest::rtfCharacterFormats()
{
    const Read r = readRtf("{\\rtf1{\\fonttbl{\\f0 Times New Roman;}{\\f1 Arial;}}"
                           "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
                           "{\\b bold}{\\i italic}{\\ul under}{\\uldb double}{\\strike gone}"
                           "{\\super up}{\\sub down}{\\f1\\fs28 big}{\\cf1 red}{\\highlight2 marked}\\par"
                           "\\pard\\qc\\li720\\fi-360\\sb120\\sa240\\sl360\\slmult1\\tqr\\tx5000 centred}");
    QVERIFY(r.ok);
    const QTextDocument* d = r.document.get();
    QVERIFY(formatAt(d, "bold").font().bold());
    QVERIFY(formatAt(d, "italic").fontItalic());
    QCOMPARE(formatAt(d, "under").underlineStyle(), QTextCharFormat::SingleUnderline);
    QCOMPARE(formatAt(d, "double").property(QTextFormat::UserProperty + 20).toInt(), 2);
    QVERIFY(formatAt(d, "gone").fontStrikeOut());
    QCOMPARE(formatAt(d, "up").verticalAlignment(), QTextCharFormat::AlignSuperScript);
    QCOMPARE(formatAt(d, "down").verticalAlignment(), QTextCharFormat::AlignSubScript);
    QCOMPARE(formatAt(d, "big").fontFamilies().toStringList().value(0), QString("Arial"));
    QCOMPARE(formatAt(d, "big").fontPointSize(), 14.0);
    QCOMPARE(formatAt(d, "red").foreground().color(), QColor(255, 0, 0));
    QCOMPARE(formatAt(d, "marked").background().color(), QColor(0, 0, 255));
    const QTextBlockFormat para = d->lastBlock().blockFormat();
    QCOMPARE(para.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(qRound(para.leftMargin()), 48);
    QCOMPARE(qRound(para.textIndent()), -24);
    QCOMPARE(para.lineHeightType(), int(QTextBlockFormat::ProportionalHeight));
    QCOMPARE(para.lineHeight(), 150.0);
    QCOMPARE(para.tabPositions().size(), 1);
    QCOMPARE(para.tabPositions().first().type, QTextOption::RightTab);
}

void FormatsTest::rtfPageSetUp()
{
    Read r = readRtf("{\\rtf1\\paperw11906\\paperh16838\\margl1134\\margr1134\\margt1418\\margb1134 x}");
    QCOMPARE(r.page.width, 11906);
    QCOMPARE(r.page.height, 16838);
    QCOMPARE(r.page.marginL, 1134);
    QCOMPARE(r.page.marginT, 1418);
    r = readRtf("{\\rtf1\\paperw12240\\paperh15840\\landscape x}");
    QCOMPARE(r.page.width, 15840);
    r = readRtf("{\\rtf1\\sectd\\pgwsxn11906\\pghsxn16838 x}");
    QCOMPARE(r.page.width, 11906);
    r = readRtf("{\\rtf1 no page}");
    QCOMPARE(r.page.width, 0);
}

void FormatsTest::rtfTable()
{
    QByteArray rtf = "{\\rtf1 Before\\par ";
    for (int row = 0; row < 3; ++row) {
        rtf += "\\trowd\\trgaph108\\cellx2000\\cellx4000\\cellx6000";
        for (int c = 0; c < 3; ++c)
            rtf += "\\pard\\intbl R" + QByteArray::number(row) + "C" + QByteArray::number(c) + "\\cell ";
        rtf += "\\row ";
    }
    rtf += "\\pard After}";
    const Read r = readRtf(rtf);
    const QList<QTextTable*> found = tables(r.document.get());
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.first()->rows(), 3);
    QCOMPARE(found.first()->columns(), 3);
    QCOMPARE(found.first()->cellAt(2, 1).firstCursorPosition().block().text(), QString("R2C1"));
    QCOMPARE(found.first()->format().columnWidthConstraints().size(), 3);
    QVERIFY(r.text().startsWith("Before"));
    QVERIFY(r.text().endsWith("After"));
}

void FormatsTest::rtfMergedCells()
{
    const Read r = readRtf("{\\rtf1\\trowd\\clmgf\\cellx2000\\clmrg\\cellx4000\\cellx6000"
                           "\\pard\\intbl wide\\cell\\cell right\\cell\\row"
                           "\\trowd\\cellx2000\\cellx4000\\cellx6000\\pard\\intbl a\\cell b\\cell c\\cell\\row}");
    const QList<QTextTable*> found = tables(r.document.get());
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.first()->cellAt(0, 0).columnSpan(), 2);
    QCOMPARE(found.first()->cellAt(1, 2).firstCursorPosition().block().text(), QString("c"));
}

void FormatsTest::rtfFields()
{
    const Read r = readRtf("{\\rtf1 Dear {\\field{\\*\\fldinst MERGEFIELD patient_info.first_name }"
                           "{\\fldrslt [patient_info.first_name]}}, page {\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}"
                           " of {\\field{\\*\\fldinst NUMPAGES}} and {\\field{\\*\\fldinst MERGEFIELD t.c}}}");
    const QTextDocument* d = r.document.get();
    QCOMPARE(r.text(), QString("Dear [patient_info.first_name], page 1 of 1 and [t.c]"));
    const QTextCharFormat merge = formatAt(d, "[patient_info.first_name]");
    QCOMPARE(merge.property(Fields::DataProperty).toString(), QString("patient_info.first_name"));
    QCOMPARE(merge.property(Fields::TypeProperty).toInt(), int(Fields::TextField));
    QCOMPARE(formatAt(d, "[t.c]").property(Fields::DataProperty).toString(), QString("t.c"));
    QTextCursor page = d->find("page 1");
    QTextCursor probe(const_cast<QTextDocument*>(d));
    probe.setPosition(page.selectionEnd());
    QCOMPARE(probe.charFormat().property(Fields::TypeProperty).toInt(), int(Fields::PageNumber));
    QVERIFY(formatAt(d, "[patient_info.first_name]").property(Fields::IdProperty).toInt()
            != formatAt(d, "[t.c]").property(Fields::IdProperty).toInt());
}

void FormatsTest::rtfPicture()
{
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    const Read r = readRtf("{\\rtf1 a{\\*\\shppict{\\pict\\pngblip\\picw4\\pich3\\picwgoal1440\\pichgoal720 "
                           + png.toHex() + "}}{\\nonshppict{\\pict\\wmetafile8 0102}}b}");
    const QTextCharFormat f = formatAt(r.document.get(), QString(QChar::ObjectReplacementCharacter));
    QVERIFY(f.isImageFormat());
    QCOMPARE(qRound(f.toImageFormat().width()), 96);
    QCOMPARE(qRound(f.toImageFormat().height()), 48);
    const QImage back = r.document->resource(QTextDocument::ImageResource, QUrl(f.toImageFormat().name())).value<QImage>();
    QCOMPARE(back.size(), QSize(4, 3));
    QCOMPARE(r.text(), QString("a") + QChar(QChar::ObjectReplacementCharacter) + "b");
}

void FormatsTest::rtfMetafilePlaceholder()
{
    const Read r = readRtf("{\\rtf1{\\pict\\wmetafile8\\picwgoal2880\\pichgoal1440 0100090000}}");
    const QTextCharFormat f = formatAt(r.document.get(), QString(QChar::ObjectReplacementCharacter));
    QVERIFY(f.isImageFormat());
    QCOMPARE(qRound(f.toImageFormat().width()), 192);
    QVERIFY(!r.document->resource(QTextDocument::ImageResource, QUrl(f.toImageFormat().name())).isNull());
}

void FormatsTest::rtfSeveralDocuments_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<int>("letters");
    const QByteArray letter = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1\\green2\\blue3;}"
                              "\\paperw12240\\paperh15840 Dear patient,\\par Regards}";
    QTest::newRow("three merged letters") << letter + "\\par \\page " + letter + "\\par \\page " + letter + "\\par \\page " << 3;
    QTest::newRow("one letter with trailing page") << letter + "\\par \\page " << 1;
    QTest::newRow("letters back to back") << letter + letter << 2;
}

void FormatsTest::rtfSeveralDocuments()
{
    QFETCH(QByteArray, rtf);
    QFETCH(int, letters);
    const Read r = readRtf(rtf);
    QCOMPARE(r.text().count("Dear patient,"), letters);
    QCOMPARE(pageBreaks(r.document.get()), letters - 1);
    QVERIFY(!r.text().contains(';'));  // no font or colour table shows as text
    QVERIFY(!r.text().endsWith('\n'));  // nothing after the last letter
    TextControl control;
    QTemporaryDir dir;
    QFile f(dir.filePath("m.rtf"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(rtf);
    f.close();
    QVERIFY(control.load(f.fileName(), 0, TextControl::FormatRtf));
    QCOMPARE(control.currentPages(), letters);
}

void FormatsTest::rtfHostileInput_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<bool>("ok");
    QTest::newRow("not RTF") << QByteArray("Hello") << false;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("truncated") << QByteArray("{\\rtf1{\\fonttbl{\\f0 Ari") << true;
    QTest::newRow("too many closing braces") << QByteArray("{\\rtf1 a}}}}\\par b}") << true;
    QTest::newRow("huge numbers") << QByteArray("{\\rtf1\\fs99999999999999999999\\paperw-99999999999\\li2147483648 x}") << true;
    QTest::newRow("deep nesting") << QByteArray("{\\rtf1 ") + QByteArray(100000, '{') + "deep" + QByteArray(100000, '}') << true;
    QTest::newRow("binary data") << QByteArray("{\\rtf1{\\pict\\bin5 \x00\x01{}\\}x}", 24) << true;
    QTest::newRow("bin beyond the end") << QByteArray("{\\rtf1{\\pict\\bin999999 ab") << true;
    QTest::newRow("cell without row") << QByteArray("{\\rtf1\\intbl a\\cell b") << true;
    QTest::newRow("row with no cellx") << QByteArray("{\\rtf1\\trowd\\intbl a\\cell\\row}") << true;
    QTest::newRow("hex cut short") << QByteArray("{\\rtf1\\'") << true;
    QTest::newRow("control word at end") << QByteArray("{\\rtf1\\") << true;
    QTest::newRow("picture garbage") << QByteArray("{\\rtf1{\\pict\\pngblip zz12}}") << true;
    QTest::newRow("dib garbage") << QByteArray("{\\rtf1{\\pict\\dibitmap 28000000ffffffffffffffff0100ff}}") << true;
}

void FormatsTest::rtfHostileInput()
{
    QFETCH(QByteArray, rtf);
    QFETCH(bool, ok);
    QElapsedTimer timer;
    timer.start();
    const Read r = readRtf(rtf);
    QCOMPARE(r.ok, ok);
    QVERIFY(timer.elapsed() < 5000);
}

void FormatsTest::roundTrip_data()
{
    QTest::addColumn<int>("format");
    QTest::newRow("RTF") << int(TextControl::FormatRtf);
    QTest::newRow("HTML") << int(TextControl::FormatHtml);
    QTest::newRow("native") << int(TextControl::FormatNative);
}

void FormatsTest::roundTrip()
{
    QFETCH(int, format);
    QTemporaryDir dir;
    TextControl original;
    buildSample(original);
    original.setViewImagePath(dir.path());
    const QString path = dir.filePath("sample.doc");
    for (int i = 0; i < 6; ++i)
        original.setLoadSaveAttribute(i, 0);
    QVERIFY2(original.save(path, 0, format), qPrintable(original.lastError()));

    TextControl copy;
    copy.setViewImagePath(dir.path());
    QVERIFY2(copy.load(path, 0, format), qPrintable(copy.lastError()));
    const QTextDocument* d = copy.document();
    QCOMPARE(copy.plainText().simplified(), original.plainText().simplified());
    const QTextCharFormat title = formatAt(d, "Referral");
    QCOMPARE(title.fontFamilies().toStringList().value(0), QString("Arial"));
    QVERIFY(title.font().bold());
    QCOMPARE(title.fontPointSize(), 14.0);
    QCOMPARE(title.foreground().color(), QColor(0xc0, 0x10, 0x20));
    const QList<QTextTable*> found = tables(d);
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.first()->rows(), 3);
    QCOMPARE(found.first()->columns(), 3);
    QCOMPARE(found.first()->cellAt(1, 2).firstCursorPosition().block().text(), QString("r1c2"));
    const QTextCharFormat image = formatAt(d, QString(QChar::ObjectReplacementCharacter));
    QVERIFY(image.isImageFormat());
    QCOMPARE(d->resource(QTextDocument::ImageResource, QUrl(image.toImageFormat().name())).value<QImage>().size(),
             QSize(20, 10));
    if (format != TextControl::FormatHtml) {  // HTML keeps no field data
        const QTextCharFormat field = formatAt(d, "[patient_info.last_name]");
        QCOMPARE(field.property(Fields::DataProperty).toString(), QString("patient_info.last_name"));
    }
    const int page[6] = {copy.loadSaveAttribute(0), copy.loadSaveAttribute(1), copy.loadSaveAttribute(2),
                         copy.loadSaveAttribute(3), copy.loadSaveAttribute(4), copy.loadSaveAttribute(5)};
    if (format == TextControl::FormatNative) {
        QCOMPARE(copy.pageWidth(), 16838);
        QCOMPARE(copy.pageMarginL(), 1134);
    } else {
        QCOMPARE(page[0], 16838);
        QCOMPARE(page[1], 11906);
        QCOMPARE(page[2], 1134);
        QCOMPARE(page[3], 720);
    }
}

void FormatsTest::htmlPageRule_data()
{
    QTest::addColumn<QString>("length");
    QTest::addColumn<int>("twips");
    QTest::newRow("inches") << "8.5in" << 12240;
    QTest::newRow("centimetres") << "2.54cm" << 1440;
    QTest::newRow("millimetres") << "210mm" << 11906;
    QTest::newRow("points") << "72pt" << 1440;
    QTest::newRow("pixels") << "96px" << 1440;
    QTest::newRow("nonsense") << "wide" << 0;
}

void FormatsTest::htmlPageRule()
{
    QFETCH(QString, length);
    QFETCH(int, twips);
    QCOMPARE(HtmlFormat::cssLengthToTwips(length), twips);
}

void FormatsTest::nativeRefusesOtherData()
{
    QTextDocument d;
    PageInfo page;
    QVERIFY(!NativeFormat::read("{\\rtf1 x}", &d, page));
    QByteArray truncated = NativeFormat::write(&d, page);
    truncated.chop(3);
    QTextDocument e;
    QVERIFY(!NativeFormat::read(truncated, &e, page));
}

void FormatsTest::corpus_data()
{
    TestFiles::addRtfCorpusRows();
}

// Every document from other programs opens quickly and reads back the same after writing.
void FormatsTest::corpus()
{
    QFETCH(QString, path);
    if (path.isEmpty())
        QSKIP("the shared corpus is not beside this checkout");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QElapsedTimer timer;
    timer.start();
    const Read first = readRtf(bytes);
    QVERIFY(first.ok);
    QVERIFY(timer.elapsed() < 5000);
    const QByteArray written = RtfWriter::write(first.document.get(), first.page);
    const Read second = readRtf(written);
    QVERIFY(second.ok);
    QCOMPARE(second.text(), first.text());
}

QTEST_MAIN(FormatsTest)
#include "tst_formats.moc"
