// What we write in Word formats (.docx and .doc) opens in LibreOffice with the same text and
// pages, and what LibreOffice writes in them opens here. Skipped, with a message, where soffice is absent.
#include "components/textcontrol/document/fields.h"
#include "components/textcontrol/textcontrol.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include "support/richletter.h"
#include "support/testfiles.h"

#include <QtTest>

namespace {

// Converts `file` with LibreOffice to `filter` in the same folder; the converted file's path.
QString convert(const QTemporaryDir& dir, const QString& file, const QString& filter, const QString& extension)
{
    QProcess soffice;
    soffice.start(QStringLiteral("soffice"),
                  {QStringLiteral("-env:UserInstallation=file://") + dir.filePath(QStringLiteral("profile")),
                   QStringLiteral("--headless"), QStringLiteral("--convert-to"), filter, QStringLiteral("--outdir"),
                   dir.filePath(QStringLiteral("out")), file});
    if (!soffice.waitForFinished(180000))
        soffice.kill();
    return dir.filePath(QStringLiteral("out/") + QFileInfo(file).completeBaseName() + QLatin1Char('.') + extension);
}

// The lines of a text with something on them, trimmed, without pictures.
QStringList lines(QString text)
{
    text.remove(QChar(0xfeff)).remove(QChar::ObjectReplacementCharacter);
    QStringList result;
    for (const QString& line : text.split(QRegularExpression(QStringLiteral("[\\r\\n\\x2029]+"))))
        if (!line.trimmed().isEmpty())
            result << line.trimmed();
    return result;
}

int pdfPages(const QString& pdf, QString* size)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished(30000);
    const QString out = QString::fromUtf8(info.readAllStandardOutput());
    *size = QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+ x [0-9.]+)")).match(out).captured(1);
    return QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(out).captured(1).toInt();
}

// Three pages on A4 landscape: header, footer with the page number, a table, a merge field.
void letter(TextControl& control, QTemporaryDir& dir)
{
    control.setPageWidth(16834);
    control.setPageHeight(11909);
    control.setPlainText("Dear patient,\nThe results of your tests are enclosed.\nSecond page text\nThird page text");
    QTextCursor c(control.document());
    c.movePosition(QTextCursor::NextBlock);
    c.movePosition(QTextCursor::EndOfBlock);
    control.setTextCursor(c);
    control.setSelText(" Your doctor: ");
    const int field = control.fieldInsert("[providers.last_name]");
    control.setFieldData(field, "providers.last_name");
    c.movePosition(QTextCursor::NextBlock);
    control.setTextCursor(c);
    control.tableInsert(3, 3);
    QTextTable* table = control.textCursor().currentTable();
    for (int i = 0; i < 9; ++i)
        table->cellAt(i / 3, i % 3).firstCursorPosition().insertText(QStringLiteral("r%1c%2").arg(i / 3).arg(i % 3));
    for (const char* text : {"Second page text", "Third page text"}) {
        QTextCursor page = control.document()->find(QLatin1String(text));
        QTextBlockFormat breakBefore;
        breakBefore.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        page.mergeBlockFormat(breakBefore);
    }
    QImage picture(80, 40, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    picture.save(dir.filePath("picture.png"));
    control.setSelStart(0);
    control.objectInsertAsChar(0, dir.filePath("picture.png"), 0, 100, 100, 0, 0);
    TestFiles::addHeaderAndPageFooter(control, "Lakeside Family Medicine");
}

}  // namespace

class LibreOfficeTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty())
            QSKIP("LibreOffice (soffice) is not installed: scripts/setup-deps installs libreoffice-writer-nogui");
    }
    void libreOfficeReadsOurs_data() { formats(); }
    void libreOfficeReadsOurs();
    void libreOfficeKeepsOurFormats_data() { formats(); }
    void libreOfficeKeepsOurFormats();
    void weReadLibreOffices_data() { formats(); }
    void weReadLibreOffices();

private:
    static void formats()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("filter");
        QTest::newRow("docx") << int(TextControl::FormatDocx) << "docx" << "docx:MS Word 2007 XML";
        QTest::newRow("doc") << int(TextControl::FormatWord) << "doc" << "doc:MS Word 97";
    }
};

void LibreOfficeTest::libreOfficeReadsOurs()
{
    QFETCH(int, format);
    QFETCH(QString, extension);
    QTemporaryDir dir;
    TextControl control;
    letter(control, dir);
    const QString path = dir.filePath("letter." + extension);
    QVERIFY(control.save(path, 0, format));
    QFile text(convert(dir, path, QStringLiteral("txt:Text"), QStringLiteral("txt")));
    QVERIFY2(text.open(QIODevice::ReadOnly), "LibreOffice wrote no text");
    QCOMPARE(lines(QString::fromUtf8(text.readAll())), lines(control.plainText()));
    QString size;
    QCOMPARE(pdfPages(convert(dir, path, QStringLiteral("pdf"), QStringLiteral("pdf")), &size), control.currentPages());
    QCOMPARE(control.currentPages(), 3);
    // A4 landscape in points; LibreOffice rounds the paper to its own A4.
    const QStringList sides = size.split(" x ");
    QCOMPARE(sides.size(), 2);
    QVERIFY2(std::abs(sides.at(0).toDouble() - 841.7) < 1.5 && std::abs(sides.at(1).toDouble() - 595.45) < 1.5, qPrintable(size));
}

// Our file, saved by LibreOffice in the other Word format and read back here, still has every
// format, the table, the picture, the field, header, footer and page set-up.
void LibreOfficeTest::libreOfficeKeepsOurFormats()
{
    QFETCH(int, format);
    QFETCH(QString, extension);
    QTemporaryDir dir;
    TextControl control;
    RichLetter::build(control, dir, 16838, 11906);  // A4 as LibreOffice keeps it
    const QString path = dir.filePath("rich." + extension);
    QVERIFY(control.save(path, 0, format));
    const bool toDoc = format == TextControl::FormatDocx;
    const QString other = convert(dir, path, toDoc ? QStringLiteral("doc:MS Word 97") : QStringLiteral("docx:MS Word 2007 XML"),
                                  toDoc ? QStringLiteral("doc") : QStringLiteral("docx"));
    TextControl copy;
    copy.setLoadSaveAttribute(37, 1);
    QVERIFY2(copy.load(other, 0, toDoc ? TextControl::FormatWord : TextControl::FormatDocx), qPrintable(copy.lastError()));
    copy.applyLoadSaveAttributes();
    QCOMPARE(lines(copy.plainText()), lines(control.plainText()));
    RichLetter::verify(copy, 16838, 11906);
}

void LibreOfficeTest::weReadLibreOffices()
{
    QFETCH(int, format);
    QFETCH(QString, extension);
    QFETCH(QString, filter);
    QTemporaryDir dir;
    TextControl control;
    letter(control, dir);
    const QString rtf = dir.filePath("letter.rtf");
    QVERIFY(control.save(rtf, 0, TextControl::FormatRtf));
    const QString written = convert(dir, rtf, filter, extension);
    QVERIFY2(QFile::exists(written), "LibreOffice wrote no document");
    TextControl copy;
    copy.setLoadSaveAttribute(37, 1);
    QVERIFY2(copy.load(written, 0, format), qPrintable(copy.lastError()));
    copy.applyLoadSaveAttributes();
    QCOMPARE(lines(copy.plainText()), lines(control.plainText()));
    QVERIFY(std::abs(copy.pageWidth() - 16834) <= 10);  // LibreOffice keeps its own A4
    QVERIFY(std::abs(copy.pageHeight() - 11909) <= 10);
    QCOMPARE(copy.fieldData(copy.fieldNext(0)), QString("providers.last_name"));
    QCOMPARE(copy.headerFooter() & 1, 1);
    QCOMPARE(copy.currentPages(), 3);
}

QTEST_MAIN(LibreOfficeTest)
#include "tst_libreoffice.moc"
