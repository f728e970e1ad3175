// What a paragraph keeps through every format besides its text: kept together, kept with the
// next one (a heading with its text), and the letters of an empty paragraph's mark, which make
// its height (the blank lines of a letter's signature block).
#include "components/textcontrol/document/keepwithnext.h"
#include "components/textcontrol/document/pageinfo.h"
#include "components/textcontrol/formats/doc/docreader.h"
#include "components/textcontrol/formats/doc/docwriter.h"
#include "components/textcontrol/formats/docx/docxreader.h"
#include "components/textcontrol/formats/docx/docxwriter.h"
#include "components/textcontrol/formats/native/nativeformat.h"
#include "components/textcontrol/formats/rtf/rtfreader.h"
#include "components/textcontrol/formats/rtf/rtfwriter.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>
#include <functional>

namespace {

using RoundTrip = std::function<bool(const QTextDocument&, QTextDocument&)>;

template <typename Write, typename Read>
RoundTrip through(Write write, Read read)
{
    return [=](const QTextDocument& source, QTextDocument& target) {
        PageInfo page;
        return read(write(&source, PageInfo{}), &target, page);
    };
}

// What each paragraph keeps: "n" with the next, "l" its lines together, "-" neither.
QString keeps(const QTextDocument& document)
{
    QString result;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
        if (!b.text().isEmpty())
            result += KeepWithNext::of(b.blockFormat()) ? QLatin1Char('n') : b.blockFormat().nonBreakableLines() ? QLatin1Char('l') : QLatin1Char('-');
    return result;
}

}  // namespace

Q_DECLARE_METATYPE(RoundTrip)

class ParagraphKeepsTest : public QObject {
    Q_OBJECT
private slots:
    void writtenAndReadAgain_data();
    void writtenAndReadAgain();
    void rtfFromOtherPrograms();
    void emptyParagraphKeepsItsLetters_data() { writtenAndReadAgain_data(); }
    void emptyParagraphKeepsItsLetters();
};

void ParagraphKeepsTest::writtenAndReadAgain_data()
{
    QTest::addColumn<RoundTrip>("roundTrip");
    QTest::newRow("rtf") << through([](auto d, auto p) { return RtfWriter::write(d, p); },
                                    [](auto b, auto d, auto& p) { return RtfReader::read(b, d, p); });
    QTest::newRow("docx") << through([](auto d, auto p) { return DocxWriter::write(d, p); },
                                     [](auto b, auto d, auto& p) { return DocxReader::read(b, d, p); });
    QTest::newRow("doc") << through([](auto d, auto p) { return DocWriter::write(d, p); },
                                    [](auto b, auto d, auto& p) { return DocReader::read(b, d, p); });
    QTest::newRow("own format") << through([](auto d, auto p) { return NativeFormat::write(d, p); },
                                           [](auto b, auto d, auto& p) { return NativeFormat::read(b, d, p); });
}

void ParagraphKeepsTest::writtenAndReadAgain()
{
    QFETCH(RoundTrip, roundTrip);
    QTextDocument source, again;
    QTextCursor cursor(&source);
    QTextBlockFormat heading, together, plain;
    KeepWithNext::set(heading, true);
    together.setNonBreakableLines(true);
    cursor.setBlockFormat(heading);
    cursor.insertText(QStringLiteral("Medicines on discharge"));
    cursor.insertBlock(together);
    cursor.insertText(QStringLiteral("Aspirin 75 mg once daily."));
    cursor.insertBlock(plain);
    cursor.insertText(QStringLiteral("Follow-up in six weeks."));
    QVERIFY(roundTrip(source, again));
    QCOMPARE(keeps(again), QStringLiteral("nl-"));
}

void ParagraphKeepsTest::rtfFromOtherPrograms()
{
    QTextDocument document;
    PageInfo page;
    QVERIFY(RtfReader::read("{\\rtf1\\ansi\\pard\\keepn Heading\\par\\pard Text\\par}", &document, page));
    QCOMPARE(keeps(document), QStringLiteral("n-"));
}

void ParagraphKeepsTest::emptyParagraphKeepsItsLetters()
{
    QFETCH(RoundTrip, roundTrip);
    QTextDocument source, again;
    // A letter in other letters than the program's: .docx keeps them as the document's defaults.
    source.setDefaultFont(QFont(QStringLiteral("Liberation Sans"), 16));
    QTextCharFormat letters;
    letters.setFontFamilies({QStringLiteral("Liberation Sans")});
    letters.setFontPointSize(16);
    QTextCursor cursor(&source);
    cursor.insertText(QStringLiteral("Yours sincerely,"), letters);
    cursor.insertBlock(QTextBlockFormat(), letters);
    cursor.insertBlock(QTextBlockFormat(), letters);
    cursor.insertText(QStringLiteral("Dr. A. Patel"), letters);
    QVERIFY(roundTrip(source, again));
    const QTextBlock empty = again.begin().next();
    QVERIFY(empty.text().isEmpty());
    QCOMPARE(empty.charFormat().fontPointSize(), 16.0);
    QCOMPARE(empty.charFormat().fontFamilies().toStringList().value(0), QStringLiteral("Liberation Sans"));
}

QTEST_MAIN(ParagraphKeepsTest)
#include "tst_paragraphkeeps.moc"
