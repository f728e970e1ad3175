// The engine's fields, header and footer, page numbers and the document size limit.
#include "components/textcontrol/document/fields.h"
#include "components/textcontrol/layout/headerfooter.h"
#include "components/textcontrol/view/pageview.h"
#include "components/textcontrol/textcontrol.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QElapsedTimer>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QTextBlock>
#include "support/testfiles.h"

#include <QtTest>

namespace {

// Inserts a locked merge field at the caret, as the merge commands do.
int mergeField(TextControl& control, const QString& data)
{
    control.setSelLength(0);
    const int id = control.fieldInsert("[" + data + "]");
    control.setFieldData(control.fieldCurrent(), data);
    control.setFieldEditable(false);
    return id;
}

QWidget* keys(TextControl& control)
{
    control.setFocus();
    return control.pageView()->viewport();
}

QList<int> walk(const TextControl& control)
{
    QList<int> ids;
    for (int f = control.fieldNext(0); f; f = control.fieldNext(f))
        ids << f;
    return ids;
}

}  // namespace

class EngineTest : public QObject {
    Q_OBJECT
private slots:
    void fieldsWalkInDocumentOrder();
    void fieldTextAndData();
    void lockedFieldIsAtomic_data();
    void lockedFieldIsAtomic();
    void typingNextToAFieldIsPlainText();
    void fieldDataSurvivesUndoRedo();
    void copyPasteKeepsFieldsWithNewIds();
    void fieldDelete();
    void headerFooterBitsAndTarget();
    void pageNumberPerPage();
    void headerFooterRoundTrip_data();
    void headerFooterRoundTrip();
    void documentOfFortyThousandPagesOpens();
    void tableLines();
    void gridLinesAreNeverPrinted();
};

void EngineTest::fieldsWalkInDocumentOrder()
{
    TextControl control;
    control.setPlainText("Dear , from ");
    control.setSelStart(12);
    const int last = mergeField(control, "provider_info.name");
    control.setSelStart(5);
    const int first = mergeField(control, "patient_info.first_name");
    QCOMPARE(walk(control), (QList<int>{first, last}));
    QCOMPARE(control.plainText(), QString("Dear [patient_info.first_name], from [provider_info.name]"));
    QCOMPARE(Fields::highestId(control.document()), std::max(first, last));
}

void EngineTest::fieldTextAndData()
{
    TextControl control;
    const int id = mergeField(control, "patient_info.last_name");
    QCOMPARE(control.fieldCurrent(), id);
    QCOMPARE(control.fieldData(id), QString("patient_info.last_name"));
    control.setFieldText("O'Brien");
    QCOMPARE(control.plainText(), QString("O'Brien"));
    QCOMPARE(control.fieldData(id), QString("patient_info.last_name"));  // the data stays
    control.setFieldText(QString());  // an empty value keeps the field
    QCOMPARE(walk(control), QList<int>{id});
    control.setFieldCurrent(id);
    control.setFieldText("[patient_info.last_name]");
    QCOMPARE(control.plainText(), QString("[patient_info.last_name]"));
}

// Keys next to and into a locked field: the field stays whole or goes whole.
void EngineTest::lockedFieldIsAtomic_data()
{
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caretAfter");
    // "ab[t.c]cd": the field spans positions 2 to 7.
    QTest::newRow("backspace after the field") << 7 << int(Qt::Key_Backspace) << "abcd" << 2;
    QTest::newRow("delete before the field") << 2 << int(Qt::Key_Delete) << "abcd" << 2;
    QTest::newRow("right steps over") << 2 << int(Qt::Key_Right) << "ab[t.c]cd" << 7;
    QTest::newRow("left steps over") << 7 << int(Qt::Key_Left) << "ab[t.c]cd" << 2;
    QTest::newRow("backspace elsewhere") << 9 << int(Qt::Key_Backspace) << "ab[t.c]c" << 8;
}

void EngineTest::lockedFieldIsAtomic()
{
    QFETCH(int, caret);
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(int, caretAfter);
    TextControl control;
    control.resize(600, 400);
    control.setPlainText("abcd");
    control.setSelStart(2);
    mergeField(control, "t.c");
    control.setSelStart(caret);
    QTest::keyClick(keys(control), Qt::Key(key));
    QCOMPARE(control.plainText(), text);
    QCOMPARE(control.selStart(), caretAfter);
}

void EngineTest::typingNextToAFieldIsPlainText()
{
    TextControl control;
    control.resize(600, 400);
    const int id = mergeField(control, "t.c");
    QTest::keyClicks(keys(control), "xy");
    QCOMPARE(control.plainText(), QString("[t.c]xy"));
    control.setFieldCurrent(id);
    control.setFieldText("VALUE");
    QCOMPARE(control.plainText(), QString("VALUExy"));  // "xy" never joined the field
}

void EngineTest::fieldDataSurvivesUndoRedo()
{
    TextControl control;
    control.resize(600, 400);
    const int id = mergeField(control, "patient_info.city");
    QTest::keyClicks(keys(control), " text");
    control.undo();
    control.undo();
    control.redo();
    QCOMPARE(control.fieldData(id), QString("patient_info.city"));
    control.setSelStart(0);
    QTest::keyClick(keys(control), Qt::Key_Delete);  // removes the whole field
    QVERIFY(walk(control).isEmpty());
    control.undo();
    QCOMPARE(walk(control), QList<int>{id});
    QCOMPARE(control.fieldData(id), QString("patient_info.city"));
}

void EngineTest::copyPasteKeepsFieldsWithNewIds()
{
    TextControl control;
    control.setPlainText("x");
    control.setSelStart(1);
    const int id = mergeField(control, "insurance_info.name");
    control.setSelStart(0);
    control.setSelLength(-1);
    control.clip(TextControl::ClipCopy);
    control.setSelStart(control.plainText().size());
    control.clip(TextControl::ClipPaste);
    const QList<int> ids = walk(control);
    QCOMPARE(ids.size(), 2);
    QCOMPARE(ids.first(), id);
    QVERIFY(ids.last() != id);
    QCOMPARE(control.fieldData(ids.last()), QString("insurance_info.name"));
}

void EngineTest::fieldDelete()
{
    TextControl control;
    control.setPlainText("ab");
    control.setSelStart(1);
    mergeField(control, "t.c");
    QVERIFY(control.fieldDelete(true));
    QCOMPARE(control.plainText(), QString("ab"));
    QVERIFY(!control.fieldDelete(true));  // the caret is in no field
}

void EngineTest::headerFooterBitsAndTarget()
{
    TextControl control;
    control.setPlainText("Body");
    control.setHeaderFooter(1 + 4);
    control.headerFooterSelect(4);
    QCOMPARE(control.editingTarget(), 4);
    control.setSelText("Footer text");
    control.headerFooterSelect(1);
    control.setSelText("Header text");
    control.headerFooterSelect(0);
    QCOMPARE(control.plainText(), QString("Body"));
    HeaderFooter* parts = control.headerFooterParts();
    QCOMPARE(parts->textOnPage(1, 1, 1), QString("Header text"));
    QCOMPARE(parts->textOnPage(4, 1, 1), QString("Footer text"));
    control.setHeaderFooter(4);
    QCOMPARE(control.headerFooter(), 4);
    control.headerFooterSelect(1);  // a part that is off cannot be the target
    QCOMPARE(control.editingTarget(), 0);
}

// A page-number field in the footer shows each page's own number, in print as on screen.
void EngineTest::pageNumberPerPage()
{
    TextControl control;
    control.setPlainText("Page one");
    control.setSelStart(control.plainText().size());
    control.insertPageBreak();
    control.setSelText("Page two");
    QCOMPARE(control.currentPages(), 2);
    control.setHeaderFooter(4);
    control.headerFooterSelect(4);
    control.setSelText("Page ");
    control.fieldInsert(QString());
    control.setFieldType(control.fieldCurrent(), Fields::PageNumber);
    control.headerFooterSelect(0);
    HeaderFooter* parts = control.headerFooterParts();
    QCOMPARE(parts->textOnPage(4, 1, 2), QString("Page 1"));
    QCOMPARE(parts->textOnPage(4, 2, 2), QString("Page 2"));

    auto footerImage = [&](int page) {
        QImage image(816, 1056, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        control.paintPage(&painter, page);
        painter.end();
        const QPointF at = parts->position(4);
        return image.copy(QRect(at.toPoint(), QSize(200, 30)));
    };
    QImage one = footerImage(1), two = footerImage(2);
    QVERIFY(one != two);
    QVERIFY(one.pixelColor(0, 0).isValid());
    bool ink = false;
    for (int y = 0; y < one.height() && !ink; ++y)
        for (int x = 0; x < one.width() && !ink; ++x)
            ink = qGray(one.pixel(x, y)) < 128;
    QVERIFY(ink);
}

void EngineTest::headerFooterRoundTrip_data()
{
    QTest::addColumn<int>("format");
    QTest::newRow("RTF") << int(TextControl::FormatRtf);
    QTest::newRow("native") << int(TextControl::FormatNative);
}

void EngineTest::headerFooterRoundTrip()
{
    QFETCH(int, format);
    QTemporaryDir dir;
    TextControl control;
    control.setPlainText("Body");
    TestFiles::addHeaderAndPageFooter(control, "Clinic letterhead");
    QVERIFY(control.save(dir.filePath("d"), 0, format));
    TextControl copy;
    QVERIFY(copy.load(dir.filePath("d"), 0, format));
    QCOMPARE(copy.headerFooter(), 5);
    QCOMPARE(copy.plainText(), QString("Body"));
    QCOMPARE(copy.headerFooterParts()->textOnPage(1, 1, 1), QString("Clinic letterhead"));
    QCOMPARE(copy.headerFooterParts()->textOnPage(4, 7, 9), QString("7"));
}

// Pages have no ceiling: a document of 40,000 pages opens whole, ends on page 40000 and takes
// typing there.
void EngineTest::documentOfFortyThousandPagesOpens()
{
    QTemporaryDir dir;
    QByteArray rtf = "{\\rtf1 ";
    for (int i = 1; i < 40000; ++i)
        rtf += "Page\\page ";
    rtf += "Last page}";
    QFile file(dir.filePath("huge.rtf"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(rtf);
    file.close();
    TextControl control;
    QVERIFY(control.load(file.fileName(), 0, TextControl::FormatRtf));
    QCOMPARE(control.currentPages(), 40000);
    const int end = int(control.plainText().size());
    control.setSelStart(end);
    control.setSelText(QStringLiteral("!"));
    QVERIFY(control.plainText().endsWith(QLatin1String("Last page!")));
    QCOMPARE(control.currentPages(), 40000);
    const QTextBlock last = control.document()->lastBlock();
    const double pitch = control.document()->pageSize().height();
    QCOMPARE(int(control.document()->documentLayout()->blockBoundingRect(last).top() / pitch) + 1, 40000);
}

void EngineTest::tableLines()
{
    TextControl control;
    control.setPlainText("before");
    control.setSelStart(6);
    QVERIFY(control.tableCanInsert());
    QVERIFY(!control.tableCanInsertLines() && !control.tableCanDeleteLines() && !control.tableCanChangeAttr());
    control.tableInsert(2, 3);
    QTextTable* table = control.textCursor().currentTable();
    QVERIFY(table);
    QCOMPARE(table->rows(), 2);
    QCOMPARE(table->columns(), 3);
    QVERIFY(!control.tableCanInsert());  // no table inside a table
    QVERIFY(control.tableCanInsertLines() && control.tableCanDeleteLines() && control.tableCanChangeAttr());
    control.textCursor().insertText("first");
    control.tableInsertLines(1, 1);  // above the caret's row
    QCOMPARE(table->rows(), 3);
    QCOMPARE(table->cellAt(1, 0).firstCursorPosition().block().text(), QString("first"));
    control.tableInsertLines(2, 2);  // below it
    QCOMPARE(table->rows(), 5);
    control.tableDeleteLines();
    QCOMPARE(table->rows(), 4);
    QCOMPARE(control.undoKind(), 2);
    control.undo();
    QCOMPARE(table->rows(), 5);
}

void EngineTest::gridLinesAreNeverPrinted()
{
    TextControl control;
    control.setSelStart(0);
    control.tableInsert(2, 2);
    QTextTableFormat none = control.textCursor().currentTable()->format();
    none.setBorder(0);
    control.textCursor().currentTable()->setFormat(none);
    auto render = [&] {
        QImage image(816, 1056, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        control.paintPage(&painter, 1);
        return image;
    };
    const QImage without = render();
    control.setTableGridLines(true);
    QCOMPARE(render(), without);
}

QTEST_MAIN(EngineTest)
#include "tst_engine.moc"
