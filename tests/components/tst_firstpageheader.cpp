// A letterhead on the first page only: the first page's own header and footer, read from other
// programs' files, shown on page 1 while the other pages show theirs, edited where they are
// drawn, kept clear of by the body, and written back by every format.
#include "components/textcontrol/document/layoutunits.h"
#include "components/textcontrol/layout/headerfooter.h"
#include "components/textcontrol/textcontrol.h"
#include "components/textcontrol/view/pageview.h"
#include "components/textcontrol/formats/docx/zippackage.h"
#include "documents/documentwindow.h"
#include "support/testworkspace.h"
#include "support/testfiles.h"

#include <QAbstractTextDocumentLayout>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>

namespace {

using LayoutUnits::fromTwips;

// Two pages; the first page shows "Letterhead" and "First foot", the others "Running head"
// and "Foot"; `titlePage` false leaves the first page's own parts unshown.
QByteArray rtf(bool titlePage, const QByteArray& letterhead = "Letterhead")
{
    return "{\\rtf1\\ansi{\\fonttbl{\\f0 Liberation Serif;}}\\f0\\fs24\\margt1440\\margb1440\\sectd"
        + QByteArray(titlePage ? "\\titlepg" : "")
        + "{\\header Running head\\par}{\\footer Foot\\par}{\\headerf " + letterhead
        + "\\par}{\\footerf First foot\\par}Dear Dr. Smith,\\par\\page Yours sincerely\\par}";
}

QByteArray docx(bool titlePage)
{
    const QByteArray w = "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
                         "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"";
    auto part = [&](const char* root, const char* text) {
        return "<?xml version=\"1.0\"?><w:" + QByteArray(root) + " " + w + "><w:p><w:r><w:t>" + text + "</w:t></w:r></w:p></w:"
            + root + ">";
    };
    QByteArray relations = "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    const char* kinds[][3] = {{"h1", "header", "header1.xml"}, {"h2", "header", "header2.xml"}, {"f1", "footer", "footer1.xml"}, {"f2", "footer", "footer2.xml"}};
    for (const auto& k : kinds)
        relations += QByteArray("<Relationship Id=\"") + k[0] + "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
            + k[1] + "\" Target=\"" + k[2] + "\"/>";
    relations += "</Relationships>";
    const QByteArray body = "<?xml version=\"1.0\"?><w:document " + w + "><w:body>"
        "<w:p><w:r><w:t>Dear Dr. Smith,</w:t></w:r></w:p><w:p><w:r><w:br w:type=\"page\"/><w:t>Yours sincerely</w:t></w:r></w:p>"
        "<w:sectPr><w:headerReference w:type=\"default\" r:id=\"h1\"/><w:headerReference w:type=\"first\" r:id=\"h2\"/>"
        "<w:footerReference w:type=\"default\" r:id=\"f1\"/><w:footerReference w:type=\"first\" r:id=\"f2\"/>"
        "<w:pgSz w:w=\"12240\" w:h=\"15840\"/><w:pgMar w:top=\"1440\" w:right=\"1440\" w:bottom=\"1440\" w:left=\"1440\" w:header=\"720\" w:footer=\"720\"/>"
        + QByteArray(titlePage ? "<w:titlePg/>" : "") + "</w:sectPr></w:body></w:document>";
    return ZipPackage::write({{QStringLiteral("[Content_Types].xml"),
                               "<?xml version=\"1.0\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                               "<Default Extension=\"xml\" ContentType=\"application/xml\"/></Types>"},
                              {QStringLiteral("word/document.xml"), body},
                              {QStringLiteral("word/_rels/document.xml.rels"), relations},
                              {QStringLiteral("word/header1.xml"), part("hdr", "Running head")},
                              {QStringLiteral("word/header2.xml"), part("hdr", "Letterhead")},
                              {QStringLiteral("word/footer1.xml"), part("ftr", "Foot")},
                              {QStringLiteral("word/footer2.xml"), part("ftr", "First foot")}});
}

// What each of the two pages shows in the header's and the footer's place.
QStringList shown(const TextControl& control)
{
    const HeaderFooter* parts = control.headerFooterParts();
    QStringList result;
    for (int page : {1, 2})
        for (int part : {HeaderFooter::Header, HeaderFooter::Footer})
            result << parts->textOnPage(part, page, 2);
    return result;
}

const QStringList Letterhead{QStringLiteral("Letterhead"), QStringLiteral("First foot"), QStringLiteral("Running head"),
                             QStringLiteral("Foot")};

}  // namespace

class FirstPageHeaderTest : public QObject {
    Q_OBJECT
private slots:
    void readFromFiles_data();
    void readFromFiles();
    void writtenAndReadAgain_data();
    void writtenAndReadAgain();
    void editedOnThePageThatShowsIt();
    void bodyKeepsClearOfItOnTheFirstPageOnly();
};

void FirstPageHeaderTest::readFromFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("format");
    QTest::addColumn<bool>("titlePage");
    QTest::newRow("rtf") << rtf(true) << int(TextControl::FormatRtf) << true;
    QTest::newRow("docx") << docx(true) << int(TextControl::FormatDocx) << true;
    // Without the setting Word shows the first page's parts nowhere; their text is kept.
    QTest::newRow("rtf without \\titlepg") << rtf(false) << int(TextControl::FormatRtf) << false;
    QTest::newRow("docx without w:titlePg") << docx(false) << int(TextControl::FormatDocx) << false;
}

void FirstPageHeaderTest::readFromFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, format);
    QFETCH(bool, titlePage);
    QTemporaryDir dir;
    TextControl control;
    QVERIFY2(control.load(TestFiles::write(dir, QStringLiteral("letter"), bytes), 0, format), qPrintable(control.lastError()));
    QCOMPARE(control.currentPages(), 2);
    if (titlePage) {
        QCOMPARE(control.headerFooter(), 1 + 2 + 4 + 8);
        QCOMPARE(shown(control), Letterhead);
        QVERIFY(!control.plainText().contains(QStringLiteral("Letterhead")));
    } else {
        QCOMPARE(control.headerFooter(), 1 + 4);
        QCOMPARE(shown(control), (QStringList{"Running head", "Foot", "Running head", "Foot"}));
        QVERIFY(control.plainText().contains(QStringLiteral("Letterhead")));
        QVERIFY(control.plainText().contains(QStringLiteral("First foot")));
    }
}

void FirstPageHeaderTest::writtenAndReadAgain_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("name");
    QTest::newRow("rtf") << int(TextControl::FormatRtf) << QStringLiteral("a.rtf");
    QTest::newRow("docx") << int(TextControl::FormatDocx) << QStringLiteral("a.docx");
    QTest::newRow("doc") << int(TextControl::FormatWord) << QStringLiteral("a.doc");
    QTest::newRow("own format") << int(TextControl::FormatNative) << QStringLiteral("a.tx");
}

void FirstPageHeaderTest::writtenAndReadAgain()
{
    QFETCH(int, format);
    QFETCH(QString, name);
    QTemporaryDir dir;
    TextControl source;
    QVERIFY(source.load(TestFiles::write(dir, QStringLiteral("letter.rtf"), rtf(true)), 0, TextControl::FormatRtf));
    const QString path = dir.filePath(name);
    QVERIFY2(source.save(path, 0, format), qPrintable(source.lastError()));
    TextControl again;
    QVERIFY2(again.load(path, 0, format), qPrintable(again.lastError()));
    QCOMPARE(again.currentPages(), 2);
    QCOMPARE(again.headerFooter(), 1 + 2 + 4 + 8);
    QCOMPARE(shown(again), Letterhead);
    QCOMPARE(again.plainText(), source.plainText());
}

// A click into page 1's header edits the letterhead, one into page 2's the running head.
void FirstPageHeaderTest::editedOnThePageThatShowsIt()
{
    TestWorkspace ws;
    const QString path = ws.writeFile(QStringLiteral("Documents/letter.rtf"), rtf(true));
    ws.start(path);
    TextControl* control = ws.active()->textControl();
    QCOMPARE(control->currentPages(), 2);
    PageView* view = control->pageView();
    auto clickHeader = [&](int page) {
        const QPointF scene = control->headerFooterParts()->pageOrigin(page)
            + QPointF(fromTwips(control->pageMarginL()) + 200, fromTwips(720) + 5);
        view->centerOn(scene);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(scene));
    };
    clickHeader(1);
    QCOMPARE(control->editingTarget(), int(HeaderFooter::FirstHeader));
    QTest::keyClick(view->viewport(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(view->viewport(), QStringLiteral(", 1 Main St."));
    clickHeader(2);
    QCOMPARE(control->editingTarget(), int(HeaderFooter::Header));
    QTest::keyClick(view->viewport(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(view->viewport(), QStringLiteral(" - page two"));
    QCOMPARE(shown(*control), (QStringList{"Letterhead, 1 Main St.", "First foot", "Running head - page two", "Foot"}));
    QVERIFY(!control->plainText().contains(QStringLiteral("Main St.")));
}

// A five-line letterhead reaches past the top margin: page 1's text starts below it, page 2's
// at the margin.
void FirstPageHeaderTest::bodyKeepsClearOfItOnTheFirstPageOnly()
{
    QTemporaryDir dir;
    TextControl control;
    QVERIFY(control.load(TestFiles::write(dir, QStringLiteral("tall.rtf"), rtf(true, "Clinic\\par 1 Main St.\\par Springfield\\par Tel. 555 0100\\par Fax 555 0101")),
                         0, TextControl::FormatRtf));
    QCOMPARE(control.currentPages(), 2);
    QTextDocument* body = control.document();
    const double pitch = body->pageSize().height();
    const double top = fromTwips(1440);
    const QRectF first = body->documentLayout()->blockBoundingRect(body->begin());
    const QRectF second = body->documentLayout()->blockBoundingRect(body->find(QStringLiteral("Yours")).block());
    const HeaderFooter* parts = control.headerFooterParts();
    QVERIFY(parts->topReach(true) > top);
    QVERIFY2(first.top() >= parts->topReach(true) - 0.5, qPrintable(QString::number(first.top())));
    QCOMPARE(int(second.top() / pitch), 1);
    QVERIFY2(qAbs(second.top() - pitch - top) < 1, qPrintable(QString::number(second.top() - pitch)));
}

QTEST_MAIN(FirstPageHeaderTest)
#include "tst_firstpageheader.moc"
