// A table that starts on a new page: a merged letter that opens with a table (the patient's
// details) starts its own page, never at the foot of the letter before, in the program and in
// every file it writes.
#include "components/textcontrol/document/tablebreaks.h"
#include "components/textcontrol/layout/pagelayout.h"
#include "components/textcontrol/textcontrol.h"
#include "support/formatroundtrip.h"

#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QtTest>

namespace {

QTextTable* firstTable(const QTextDocument& document)
{
    for (QTextFrame* frame : document.rootFrame()->childFrames())
        if (auto* table = qobject_cast<QTextTable*>(frame))
            return table;
    return nullptr;
}

bool breaksBefore(const QTextTable* table)
{
    return table && (table->format().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore);
}

// Two letters of one merge, each opening with a table of the patient's name.
QByteArray mergedLetters()
{
    QByteArray rtf;
    for (const char* name : {"Ada Moreno", "Ben Okafor"})
        rtf += QByteArray("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}"
                          "\\trowd\\cellx4000\\cellx8000\\pard\\intbl Patient: ") + name +
               "\\cell 12/06/2026\\cell\\row\n\\pard Dear " + name + ",\\par Your results are normal.\\par}\\par \\page \r\n";
    return rtf;
}

}  // namespace

class TableBreaksTest : public QObject {
    Q_OBJECT
private slots:
    void writtenAndReadAgain_data() { FormatRoundTrip::addRows(); }
    void writtenAndReadAgain();
    void breakAfterATableStaysWithTheParagraph();
    void mergedLetterOpeningWithATableStartsItsPage();
};

void TableBreaksTest::writtenAndReadAgain()
{
    QFETCH(FormatRoundTrip::Trip, roundTrip);
    QTextDocument source, again;
    QTextCursor cursor(&source);
    cursor.insertText(QStringLiteral("Sincerely, Dr. Lee"));
    QTextTableFormat format;
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    QTextTable* table = cursor.insertTable(1, 2, format);
    table->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("Patient: Ben Okafor"));
    QVERIFY(roundTrip(source, again));
    QTextTable* read = firstTable(again);
    QVERIFY(read);
    QVERIFY(breaksBefore(read));
    // The break is the table's only: its first paragraph does not break again inside it.
    const QTextBlockFormat first = read->cellAt(0, 0).firstCursorPosition().blockFormat();
    QVERIFY(!(first.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore));
}

void TableBreaksTest::breakAfterATableStaysWithTheParagraph()
{
    QTextDocument document;
    PageInfo page;
    QVERIFY(RtfReader::read("{\\rtf1\\ansi\\trowd\\cellx4000\\pard\\intbl Name\\cell\\row\\page\\pard Next page\\par}",
                            &document, page));
    QVERIFY(!breaksBefore(firstTable(document)));
    QVERIFY(document.lastBlock().previous().blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore);
}

void TableBreaksTest::mergedLetterOpeningWithATableStartsItsPage()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("merged.rtf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(mergedLetters());
    file.close();
    TextControl control;
    control.resize(800, 600);
    QVERIFY(control.load(path, 0, TextControl::FormatRtf));
    QCOMPARE(control.currentPages(), 2);
    // Each patient's name on the page of that patient's letter.
    const auto* layout = qobject_cast<PageLayout*>(control.document()->documentLayout());
    QVERIFY(layout);
    for (QTextBlock b = control.document()->begin(); b.isValid(); b = b.next()) {
        if (b.text().contains(QStringLiteral("Ada Moreno")))
            QCOMPARE(layout->pageOfBlock(b), 0);
        if (b.text().contains(QStringLiteral("Ben Okafor")))
            QCOMPARE(layout->pageOfBlock(b), 1);
    }
}

QTEST_MAIN(TableBreaksTest)
#include "tst_tablebreaks.moc"
