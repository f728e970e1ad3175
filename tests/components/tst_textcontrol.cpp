// The text control on its own: selection members, pages, zoom, rendering, plain text files.
#include "components/textcontrol/document/layoutunits.h"
#include "components/textcontrol/formats/text/plaintext.h"
#include "components/textcontrol/textcontrol.h"
#include "support/scripteddialogs.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QTextLayout>
#include <QTextTable>
#include <QtTest>

namespace {

QString paragraphs(int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("Paragraph %1 of the letter, long enough to wrap across the line "
                               "at least once on a Letter page in ten-point type.\n")
                    .arg(i);
    return text;
}

// Where each line of the document starts, as (block, first character) pairs.
QList<QPair<int, int>> lineStarts(const QTextDocument* document)
{
    QList<QPair<int, int>> starts;
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next())
        for (int i = 0; i < b.layout()->lineCount(); ++i)
            starts.append({b.blockNumber(), b.layout()->lineAt(i).textStart()});
    return starts;
}

}  // namespace

class TextControlTest : public QObject {
    Q_OBJECT
private slots:
    void tableAttributes();
    void selectionMembers_data();
    void selectionMembers();
    void selTextReplacement_data();
    void selTextReplacement();
    void pageCount_data();
    void pageCount();
    void marginsInTwips();
    void zoomKeepsLineBreaks();
    void paintPageAtTwoScales();
    void decodeText_data();
    void decodeText();
    void loadAndSaveText();
    void saveKeepsHeaderAndFailsCleanly();
    void loadRaisesOneChange();
    void unsupportedFormatIsRefused();
};

void TextControlTest::selectionMembers_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("selected");
    QTest::newRow("word") << 6 << 5 << "world";
    QTest::newRow("to the end") << 6 << -1 << "world\nagain";
    QTest::newRow("across the paragraph end") << 10 << 3 << "d\na";
    QTest::newRow("beyond the end is cut") << 12 << 100 << "again";
    QTest::newRow("start beyond the end") << 500 << 2 << "";
    QTest::newRow("nothing") << 0 << 0 << "";
}

void TextControlTest::selectionMembers()
{
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, selected);
    TextControl control;
    control.setPlainText("hello world\nagain");
    control.setSelStart(start);
    control.setSelLength(length);
    QCOMPARE(control.selText(), selected);
    QCOMPARE(control.selLength(), selected.size());
}

void TextControlTest::selTextReplacement_data()
{
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("firstStaysBold");
    QTest::newRow("same length keeps formats") << "HELLO" << "HELLO world" << true;
    QTest::newRow("other length takes the first format") << "Hi" << "Hi world" << true;
    QTest::newRow("empty deletes") << "" << " world" << false;
}

void TextControlTest::selTextReplacement()
{
    QFETCH(QString, replacement);
    QFETCH(QString, expected);
    QFETCH(bool, firstStaysBold);
    TextControl control;
    control.setPlainText("hello world");
    control.setSelStart(0);
    control.setSelLength(2);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    control.mergeCharFormat(bold);
    control.setSelStart(0);
    control.setSelLength(5);
    control.setSelText(replacement);
    QCOMPARE(control.plainText(), expected);
    QTextCursor probe(control.document());
    probe.setPosition(1);
    QCOMPARE(probe.charFormat().font().bold(), firstStaysBold);
    if (replacement.size() == 5) {
        probe.setPosition(4);
        QVERIFY(!probe.charFormat().font().bold());
    }
    QCOMPARE(control.undoKind(), 1);
}

void TextControlTest::pageCount_data()
{
    QTest::addColumn<int>("paragraphs");
    QTest::addColumn<int>("breaks");
    QTest::addColumn<int>("pages");
    QTest::newRow("empty") << 0 << 0 << 1;
    QTest::newRow("one page of text") << 10 << 0 << 1;
    QTest::newRow("two breaks") << 3 << 2 << 3;
    QTest::newRow("text flows to page 2") << 60 << 0 << 2;
}

void TextControlTest::pageCount()
{
    QFETCH(int, paragraphs);
    QFETCH(int, breaks);
    QFETCH(int, pages);
    TextControl control;
    control.setPlainText(::paragraphs(paragraphs));
    for (int i = 0; i < breaks; ++i) {
        control.setSelStart(0);
        control.insertPageBreak();
    }
    QCOMPARE(control.currentPages(), pages);
}

void TextControlTest::marginsInTwips()
{
    TextControl control;
    control.setPageMarginL(720);
    control.setPageMarginT(1080);
    control.setPageMarginR(1800);
    control.setPageMarginB(2160);
    control.setPageWidth(16838);
    control.setPageHeight(11906);
    QCOMPARE(control.pageMarginL(), 720);
    QCOMPARE(control.pageMarginT(), 1080);
    QCOMPARE(control.pageMarginR(), 1800);
    QCOMPARE(control.pageMarginB(), 2160);
    QCOMPARE(control.pageWidth(), 16838);
    QCOMPARE(control.pageHeight(), 11906);
    // Text is laid out between the margins.
    control.setPlainText("x");
    const QRectF first = control.document()->documentLayout()->blockBoundingRect(control.document()->begin());
    QCOMPARE(qRound(first.left()), qRound(LayoutUnits::fromTwips(720)));
    QCOMPARE(qRound(first.top()), qRound(LayoutUnits::fromTwips(1080)));
}

void TextControlTest::zoomKeepsLineBreaks()
{
    TextControl control;
    control.resize(800, 600);
    control.setPlainText(paragraphs(40));
    const auto at100 = lineStarts(control.document());
    const int pages = control.currentPages();
    for (int zoom : {30, 38, 50, 90, 150}) {
        control.setZoomFactor(zoom);
        QCOMPARE(lineStarts(control.document()), at100);
        QCOMPARE(control.currentPages(), pages);
    }
}

// The same page drawn at two scales gives the same picture, scaled.
void TextControlTest::paintPageAtTwoScales()
{
    TextControl control;
    control.setPlainText(paragraphs(80));
    QVERIFY(control.currentPages() >= 2);
    auto render = [&](double scale, int page) {
        const QSize size(qRound(LayoutUnits::fromTwips(control.pageWidth()) * scale),
                         qRound(LayoutUnits::fromTwips(control.pageHeight()) * scale));
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.scale(scale, scale);
        control.paintPage(&painter, page);
        return image;
    };
    const QImage small = render(1.0, 2);
    const QImage large = render(2.0, 2);
    const QImage reduced = large.scaled(small.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // Ink lies on the same rows at both scales (the body starts below the top margin).
    auto inkRows = [](const QImage& image) {
        QList<int> rows;
        for (int y = 0; y < image.height(); ++y) {
            int dark = 0;
            for (int x = 0; x < image.width(); ++x)
                dark += qGray(image.pixel(x, y)) < 160;
            if (dark > 0)
                rows << y;
        }
        return rows;
    };
    const QList<int> a = inkRows(small), b = inkRows(reduced);
    QVERIFY(!a.isEmpty());
    QVERIFY(qAbs(a.first() - b.first()) <= 1);
    QVERIFY(qAbs(a.last() - b.last()) <= 1);
    QVERIFY(a.first() >= qRound(LayoutUnits::fromTwips(control.pageMarginT())) - 1);
    QVERIFY(render(1.0, 1) != small);  // page 1 is another page
}

void TextControlTest::decodeText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("UTF-8") << QByteArray("caf\xc3\xa9") << QString::fromUtf8("café");
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xef\xbb\xbf" "caf\xc3\xa9") << QString::fromUtf8("café");
    QTest::newRow("UTF-16 LE BOM") << QByteArray("\xff\xfe" "a\0b\0", 6) << QString("ab");
    QTest::newRow("UTF-16 BE BOM") << QByteArray("\xfe\xff\0a\0b", 6) << QString("ab");
    QTest::newRow("Windows-1252") << QByteArray("\x93quoted\x94 caf\xe9 \x80")
                                  << QString::fromUtf8("“quoted” café €");
    QTest::newRow("CRLF") << QByteArray("a\r\nb") << QString("a\nb");
    QTest::newRow("CR") << QByteArray("a\rb\r") << QString("a\nb\n");
    QTest::newRow("UTF-16 lone surrogate") << QByteArray("\xff\xfeh\0\x68\xdb", 6)
                                           << QString("h") + QChar(QChar::ReplacementCharacter);
    QTest::newRow("NUL bytes dropped") << QByteArray("a\0b", 3) << QString("ab");
    QTest::newRow("empty") << QByteArray() << QString();
}

void TextControlTest::decodeText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(PlainText::decode(bytes), text);
}

void TextControlTest::loadAndSaveText()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.txt");
    TextControl control;
    control.setPlainText(QString::fromUtf8("Dear Mrs. O'Brien,\nthank you — é"));
    QVERIFY(control.save(path, 0, TextControl::FormatText));
    TextControl other;
    QVERIFY(other.load(path, 0, TextControl::FormatText));
    QCOMPARE(other.plainText(), control.plainText());
    QCOMPARE(other.undoKind(), 0);
}

void TextControlTest::saveKeepsHeaderAndFailsCleanly()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("h.bin");
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("0123456789");
    }
    TextControl control;
    control.setPlainText("body");
    QVERIFY(control.save(path, 4, TextControl::FormatText));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("0123body"));
    f.close();
    TextControl reader;
    QVERIFY(reader.load(path, 4, TextControl::FormatText));
    QCOMPARE(reader.plainText(), QString("body"));
    // A folder that does not exist: refused, with a message for the user.
    QVERIFY(!control.save(dir.filePath("no/such/x.txt"), 0, TextControl::FormatText));
    QVERIFY(!control.lastError().isEmpty());
    QVERIFY(!reader.load(dir.filePath("missing.txt"), 0, TextControl::FormatText));
}

void TextControlTest::loadRaisesOneChange()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.txt");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("one\ntwo\nthree");
    f.close();
    TextControl control;
    QSignalSpy changes(&control, &TextControl::changed);
    QVERIFY(control.load(path, 0, TextControl::FormatText));
    QCOMPARE(changes.size(), 0);  // raised once the caller has finished setting up
    QTRY_COMPARE(changes.size(), 1);
    control.setPageWidth(15840);  // the page is no change of the text
    QCoreApplication::processEvents();
    QCOMPARE(changes.size(), 1);
}

void TextControlTest::unsupportedFormatIsRefused()
{
    TextControl control;
    QVERIFY(!control.load("/dev/null", 0, 77));
    QVERIFY(!control.save("/tmp/x", 0, 77));
    QVERIFY(!control.lastError().isEmpty());
}

void TextControlTest::tableAttributes()
{
    ScriptedDialogs dialogs;
    TextControl control;
    control.setSelText(QStringLiteral("Before the table"));
    QCOMPARE(control.tableAttrDialog(), 0);  // outside a table: no dialog
    QVERIFY(dialogs.dialogsShown.isEmpty());
    control.tableInsert(2, 3);
    dialogs.dialogScripts << [](QDialog* d) {
        d->findChild<QDoubleSpinBox*>(QStringLiteral("spnBorder"))->setValue(2);
        d->findChild<QDoubleSpinBox*>(QStringLiteral("spnPadding"))->setValue(6);
        d->findChild<QDoubleSpinBox*>(QStringLiteral("spnWidth"))->setValue(50);
        d->findChild<QComboBox*>(QStringLiteral("cboAlignment"))->setCurrentIndex(1);
        d->findChild<QDoubleSpinBox*>(QStringLiteral("spnColumnWidth"))->setValue(1.5);
        d->findChild<QComboBox*>(QStringLiteral("cboShading"))->setCurrentIndex(1);
        return int(QDialog::Accepted);
    };
    const QTextLength firstColumn = control.textCursor().currentTable()->format().columnWidthConstraints().value(0);
    QTextCursor second = control.textCursor().currentTable()->cellAt(0, 1).firstCursorPosition();
    control.setTextCursor(second);
    QCOMPARE(control.tableAttrDialog(), 1);
    QCOMPARE(dialogs.dialogsShown, QStringList{"TableAttrDialog"});
    const QTextTableFormat f = control.textCursor().currentTable()->format();
    QCOMPARE(f.border(), 2 * 96.0 / 72.0);
    QCOMPARE(f.cellPadding(), 6 * 96.0 / 72.0);
    QCOMPARE(f.width(), QTextLength(QTextLength::PercentageLength, 50));
    QCOMPARE(f.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    // The caret's column and cell; the others keep theirs.
    QTextTable* table = control.textCursor().currentTable();
    QCOMPARE(f.columnWidthConstraints().value(1), QTextLength(QTextLength::FixedLength, 1.5 * 96));
    QCOMPARE(f.columnWidthConstraints().value(0), firstColumn);
    QCOMPARE(table->cellAt(0, 1).format().background().color(), QColor(0xe0, 0xe0, 0xe0));
    QCOMPARE(table->cellAt(0, 0).format().background().style(), Qt::NoBrush);
    control.undo();  // one step takes the attributes back
    QCOMPARE(control.textCursor().currentTable()->format().width().rawValue() == 50, false);
    QCOMPARE(table->cellAt(0, 1).format().background().style(), Qt::NoBrush);
    dialogs.dialogScripts << [](QDialog*) { return int(QDialog::Rejected); };
    QCOMPARE(control.tableAttrDialog(), 0);
}

QTEST_MAIN(TextControlTest)
#include "tst_textcontrol.moc"
