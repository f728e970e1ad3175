// What a paragraph keeps through every format besides its text: kept together, kept with the
// next one (a heading with its text), and the letters of an empty paragraph's mark, which make
// its height (the blank lines of a letter's signature block).
#include "components/textcontrol/document/keepwithnext.h"
#include "support/formatroundtrip.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

namespace {

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

class ParagraphKeepsTest : public QObject {
    Q_OBJECT
private slots:
    void writtenAndReadAgain_data();
    void writtenAndReadAgain();
    void rtfFromOtherPrograms();
    void emptyParagraphKeepsItsLetters_data() { writtenAndReadAgain_data(); }
    void emptyParagraphKeepsItsLetters();
};

void ParagraphKeepsTest::writtenAndReadAgain_data() { FormatRoundTrip::addRows(); }

void ParagraphKeepsTest::writtenAndReadAgain()
{
    QFETCH(FormatRoundTrip::Trip, roundTrip);
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
    QFETCH(FormatRoundTrip::Trip, roundTrip);
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
