// Word 97-2003 documents (.doc): a file LibreOffice wrote opens with its text, formats, table,
// merge field, page break and page set-up; damaged files are refused without harm.
#include "components/textcontrol/doc/docreader.h"
#include "components/textcontrol/textcontrol.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextTable>
#include <QtTest>

namespace {
const QString Fixture = QStringLiteral(SCRIVORA_SOURCE_DIR "/tests/fixtures/letter-libreoffice.doc");

QByteArray fixtureBytes()
{
    QFile file(Fixture);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
}  // namespace

class DocTest : public QObject {
    Q_OBJECT
private slots:
    void libreOfficeLetter();
    void damagedFiles_data();
    void damagedFiles();
    void notWrittenYet();
};

void DocTest::libreOfficeLetter()
{
    TextControl control;
    control.setLoadSaveAttribute(37, 1);
    QVERIFY2(control.load(Fixture, 0, TextControl::FormatWord), qPrintable(control.lastError()));
    control.applyLoadSaveAttributes();
    QCOMPARE(control.plainText(),
             QString("Plain start\nBold words here\nCentred and indented\nDear [patient_info.last_name],\n"
                     "r0c0\nr0c1\nr0c2\nr1c0\nr1c1\nr1c2\nr2c0\nr2c1\nr2c2\nSecond page"));
    QTextDocument* document = control.document();
    QTextCursor bold = document->find("Bold words");
    QTextCursor probe(document);
    probe.setPosition(bold.selectionStart() + 1);
    const QTextCharFormat f = probe.charFormat();
    QVERIFY(f.fontWeight() >= QFont::Bold);
    QVERIFY(f.fontItalic());
    QVERIFY(f.fontUnderline());
    QCOMPARE(f.fontFamilies().toStringList().value(0), QString("Arial"));
    QCOMPARE(f.fontPointSize(), 14.0);
    QCOMPARE(f.foreground().color(), QColor(192, 16, 32));
    const QTextBlockFormat centred = document->find("Centred").blockFormat();
    QCOMPARE(centred.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(qRound(centred.leftMargin()), 48);
    QCOMPARE(qRound(centred.textIndent()), 24);
    QCOMPARE(control.fieldData(control.fieldNext(0)), QString("patient_info.last_name"));
    QTextTable* table = qobject_cast<QTextTable*>(document->rootFrame()->childFrames().value(0));
    QVERIFY(table);
    QCOMPARE(table->rows(), 3);
    QCOMPARE(table->columns(), 3);
    QCOMPARE(table->cellAt(2, 1).firstCursorPosition().block().text(), QString("r2c1"));
    QCOMPARE(control.currentPages(), 2);
    QCOMPARE(control.pageWidth(), 16838);
    QCOMPARE(control.pageHeight(), 11906);
    QCOMPARE(control.pageMarginL(), 1134);
    QCOMPARE(control.pageMarginT(), 1134);
}

void DocTest::damagedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = fixtureBytes();
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray("Just some words, not a Word file");
    QTest::newRow("cut in half") << good.left(good.size() / 2);
    QByteArray scrambled = good;
    for (qsizetype i = 512; i < scrambled.size(); i += 7)
        scrambled[i] = char(scrambled.at(i) ^ 0x5a);
    QTest::newRow("scrambled streams") << scrambled;
}

void DocTest::damagedFiles()
{
    QFETCH(QByteArray, bytes);
    QTextDocument document;
    PageInfo page;
    DocReader::read(bytes, &document, page);  // refused or read in part; never a crash or a hang
    QVERIFY(document.characterCount() < 10'000'000);
}

// Saving as Word 97-2003 is refused with a message and writes nothing.
void DocTest::notWrittenYet()
{
    QTemporaryDir dir;
    TextControl control;
    control.setPlainText("Letter");
    QVERIFY(!control.save(dir.filePath("letter.doc"), 0, TextControl::FormatWord));
    QVERIFY(!control.lastError().isEmpty());
    QVERIFY(!QFile::exists(dir.filePath("letter.doc")));
}

QTEST_MAIN(DocTest)
#include "tst_doc.moc"
