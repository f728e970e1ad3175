// Tables of a Word 97-2003 document that LibreOffice wrote (tests/fixtures/tables-libreoffice.doc,
// from tables-libreoffice.html beside it): the columns are the union of every row's cell edges
// exactly as the rows store them, cells merged across and down span their columns and rows,
// and narrow columns keep their width.
#include "components/textcontrol/document/layoutunits.h"
#include "components/textcontrol/textcontrol.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextFrame>
#include <QTextTable>
#include <QtTest>

namespace {

const QString TablesDoc = QStringLiteral(SCRIVORA_SOURCE_DIR "/tests/fixtures/tables-libreoffice.doc");

QList<QTextTable*> tables(QTextDocument* document)
{
    QList<QTextTable*> found;
    for (QTextFrame* frame : document->rootFrame()->childFrames())
        if (auto* table = qobject_cast<QTextTable*>(frame))
            found << table;
    return found;
}

}  // namespace

class WordTablesFromLibreOfficeTest : public QObject {
    Q_OBJECT
private slots:
    void columnsAsStored_data();
    void columnsAsStored();
    void mergedCells();
    void cellPadding_data();
    void cellPadding();
    void narrowColumnKeepsItsWord();
};

void WordTablesFromLibreOfficeTest::columnsAsStored_data()
{
    QTest::addColumn<int>("table");
    QTest::addColumn<QList<int>>("twips");
    // The rows' edges: 0, 1419, 2473, 6639, 9000 in the first table, whose rows each leave
    // some of them out where cells are merged.
    QTest::newRow("merged cells") << 0 << QList<int>{1419, 1054, 4166, 2361};
    QTest::newRow("two columns") << 1 << QList<int>{515, 3985};
    QTest::newRow("narrow columns") << 2 << QList<int>{1096, 722, 4571};
}

void WordTablesFromLibreOfficeTest::columnsAsStored()
{
    QFETCH(int, table);
    QFETCH(QList<int>, twips);
    TextControl control;
    QVERIFY2(control.load(TablesDoc, 0, TextControl::FormatWord), qPrintable(control.lastError()));
    const QList<QTextTable*> found = tables(control.document());
    QCOMPARE(found.size(), 3);
    const QList<QTextLength> widths = found.at(table)->format().columnWidthConstraints();
    QCOMPARE(widths.size(), twips.size());
    for (qsizetype i = 0; i < widths.size(); ++i) {
        QCOMPARE(widths.at(i).type(), QTextLength::FixedLength);
        QVERIFY2(qAbs(widths.at(i).rawValue() - LayoutUnits::fromTwips(twips.at(i))) < 0.01,
                 qPrintable(QStringLiteral("column %1: %2").arg(i).arg(widths.at(i).rawValue())));
    }
}

void WordTablesFromLibreOfficeTest::mergedCells()
{
    TextControl control;
    QVERIFY2(control.load(TablesDoc, 0, TextControl::FormatWord), qPrintable(control.lastError()));
    QTextTable* table = tables(control.document()).value(0);
    QVERIFY(table);
    QCOMPARE(table->rows(), 5);
    const QTextTableCell combined = table->cellAt(2, 0);
    QCOMPARE(combined.columnSpan(), 2);
    QCOMPARE(combined.firstCursorPosition().block().text(), QString("Metformin/min combined"));
    const QTextTableCell lisinopril = table->cellAt(3, 0);
    QCOMPARE(lisinopril.rowSpan(), 2);
    QCOMPARE(lisinopril.firstCursorPosition().block().text(), QString("Lisinopril"));
    QCOMPARE(table->cellAt(3, 2).columnSpan(), 2);
    QCOMPARE(table->cellAt(4, 3).firstCursorPosition().block().text(), QString("Dr. Smith"));
}

void WordTablesFromLibreOfficeTest::cellPadding_data()
{
    QTest::addColumn<int>("table");
    QTest::addColumn<int>("twips");
    QTest::newRow("cellpadding 4") << 0 << 60;
    QTest::newRow("LibreOffice's default") << 2 << 28;
}

// The rows' cell padding as stored, on every side of every cell, less the half of the cell's
// line that the engine puts inside it (Word measures the padding from the edge).
void WordTablesFromLibreOfficeTest::cellPadding()
{
    QFETCH(int, table);
    QFETCH(int, twips);
    TextControl control;
    QVERIFY2(control.load(TablesDoc, 0, TextControl::FormatWord), qPrintable(control.lastError()));
    QTextTable* t = tables(control.document()).value(table);
    QVERIFY(t);
    const double expected = LayoutUnits::fromTwips(twips) - t->format().border() / 2;
    for (int r = 0; r < t->rows(); ++r)
        for (int c = 0; c < t->columns(); ++c) {
            const QTextTableCellFormat f = t->cellAt(r, c).format().toTableCellFormat();
            // A side the cell leaves to the table takes the table's.
            auto padding = [&](QTextFormat::Property property) {
                return f.hasProperty(property) ? f.doubleProperty(property) : t->format().cellPadding();
            };
            for (const double side : {padding(QTextFormat::TableCellTopPadding), padding(QTextFormat::TableCellLeftPadding),
                                      padding(QTextFormat::TableCellBottomPadding), padding(QTextFormat::TableCellRightPadding)})
                QVERIFY2(qAbs(side - expected) < 0.01, qPrintable(QStringLiteral("cell %1,%2: %3").arg(r).arg(c).arg(side)));
        }
}

// "Metformin" fits its 0.76-inch column with the file's padding, as in LibreOffice, instead of
// breaking into "Metformi" and "n".
void WordTablesFromLibreOfficeTest::narrowColumnKeepsItsWord()
{
    TextControl control;
    QVERIFY2(control.load(TablesDoc, 0, TextControl::FormatWord), qPrintable(control.lastError()));
    QVERIFY(control.currentPages() >= 1);
    QTextTable* narrow = tables(control.document()).value(2);
    QVERIFY(narrow);
    const QTextBlock word = narrow->cellAt(0, 0).firstCursorPosition().block();
    QCOMPARE(word.text(), QString("Metformin"));
    QVERIFY(word.layout());
    QCOMPARE(word.layout()->lineCount(), 1);
}

QTEST_MAIN(WordTablesFromLibreOfficeTest)
#include "tst_wordtablesfromlibreoffice.moc"
