// A Word 97-2003 document of several sections, as LibreOffice writes one
// (tests/fixtures/sections-libreoffice.doc, from sections-libreoffice.rtf beside it): every
// section's header and footer text is kept, a continuous section goes on on the same page,
// the first section's header and footer stand where the file puts them, and the body keeps
// its serif font, its small capitals and leaves hidden text out.
#include "components/textcontrol/document/endnotes.h"
#include "components/textcontrol/layout/headerfooter.h"
#include "components/textcontrol/document/layoutunits.h"
#include "components/textcontrol/textcontrol.h"

#include <QFontInfo>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

#include "support/richletter.h"

namespace {

const QString SectionsDoc = QStringLiteral(SCRIVORA_SOURCE_DIR "/tests/fixtures/sections-libreoffice.doc");

void open(TextControl& control, const QString& path)
{
    control.setLoadSaveAttribute(37, 1);
    QVERIFY2(control.load(path, 0, TextControl::FormatWord), qPrintable(control.lastError()));
    control.applyLoadSaveAttributes();
}

}  // namespace

class WordSectionsTest : public QObject {
    Q_OBJECT
private slots:
    void headersOfEverySection();
    void sectionStarts();
    void headerDistances();
    void bodyFont_data();
    void bodyFont();
    void hiddenText();
};

// The first section's header and footer are the document's; the third section's, which
// differ, follow the body under the notes' rule, each once.
void WordSectionsTest::headersOfEverySection()
{
    TextControl control;
    open(control, SectionsDoc);
    HeaderFooter* parts = control.headerFooterParts();
    QCOMPARE(control.headerFooter(), HeaderFooter::Header | HeaderFooter::Footer);
    QCOMPARE(parts->document(HeaderFooter::Header)->toPlainText(), QString("First section header"));
    QCOMPARE(parts->document(HeaderFooter::Footer)->toPlainText(), QString("First section footer"));
    const QString text = control.document()->toPlainText();
    const qsizetype body = text.indexOf("The third section starts a new page");
    const qsizetype header = text.indexOf("Third section header");
    const qsizetype footer = text.indexOf("Third section footer");
    QVERIFY2(body >= 0 && header > body && footer > header, qPrintable(text));
    QCOMPARE(text.count("First section header"), 0);
    QCOMPARE(text.count("Third section header"), 1);
}

// The second section is continuous: its text stays on the first page; the third starts a page.
void WordSectionsTest::sectionStarts()
{
    TextControl control;
    open(control, SectionsDoc);
    QCOMPARE(control.currentPages(), 2);
    QTextDocument* document = control.document();
    QCOMPARE(document->find("The second section").blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore, 0);
    QVERIFY(document->find("The third section").blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore);
}

void WordSectionsTest::headerDistances()
{
    TextControl control;
    open(control, SectionsDoc);
    QCOMPARE(control.pageInfo().headerY, 1080);
    QCOMPARE(control.pageInfo().footerY, 900);
    QCOMPARE(control.pageMarginT(), 1800);
    HeaderFooter* parts = control.headerFooterParts();
    QCOMPARE(parts->position(HeaderFooter::Header).y(), LayoutUnits::fromTwips(1080));
    const double footerBottom = parts->position(HeaderFooter::Footer).y() + parts->document(HeaderFooter::Footer)->size().height();
    QVERIFY(qAbs(footerBottom - LayoutUnits::fromTwips(control.pageHeight() - 900)) < 0.5);
    // A document that says nothing of them has them half an inch from the edges.
    TextControl plain;
    plain.setPlainText("No header distances");
    QCOMPARE(plain.headerFooterParts()->position(HeaderFooter::Header).y(), LayoutUnits::fromTwips(720));
}

void WordSectionsTest::bodyFont_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("capitalization");
    QTest::newRow("plain") << "this letter is set" << int(QFont::MixedCase);
    QTest::newRow("small capitals") << "Small Capitals" << int(QFont::SmallCaps);
    QTest::newRow("after small capitals") << "stand here" << int(QFont::MixedCase);
    QTest::newRow("second section") << "goes on on the same page" << int(QFont::MixedCase);
}

// Every run takes the font table's name, and Times New Roman lays out with a serif font
// of its metrics rather than a sans-serif fallback.
void WordSectionsTest::bodyFont()
{
    QFETCH(QString, text);
    QFETCH(int, capitalization);
    TextControl control;
    open(control, SectionsDoc);
    const QTextCharFormat f = RichLetter::formatOf(control.document(), text);
    QCOMPARE(f.fontFamilies().toStringList().value(0), QString("Times New Roman"));
    QCOMPARE(int(f.fontCapitalization()), capitalization);
    QCOMPARE(f.fontPointSize(), 12.0);
    const QFontInfo shown(f.font());
    QVERIFY2(shown.family() == "Times New Roman" || shown.family() == "Liberation Serif", qPrintable(shown.family()));
}

void WordSectionsTest::hiddenText()
{
    TextControl control;
    open(control, SectionsDoc);
    const QTextCursor found = control.document()->find("are not shown");
    QVERIFY(!found.isNull());
    QVERIFY2(!found.block().text().contains("hidden"), qPrintable(found.block().text()));
    QVERIFY(found.block().text().startsWith("Small Capitals stand here,"));
}

QTEST_MAIN(WordSectionsTest)
#include "tst_wordsections.moc"
