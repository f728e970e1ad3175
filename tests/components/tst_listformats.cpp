// Lists through every file format: kind, levels, start number, indents and text come back as
// they were written; lists of other programs (Word 6 paragraph numbers, list tables with their
// \listtext) open as real lists; and LibreOffice shows our lists as we do and we show its lists
// as it does (skipped where soffice is absent).
#include "components/textcontrol/document/listediting.h"
#include "components/textcontrol/document/listlevels.h"
#include "components/textcontrol/textcontrol.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

namespace {

QTextCursor blocks(TextControl& tc, int first, int last)
{
    QTextCursor c(tc.document());
    c.setPosition(tc.document()->findBlockByNumber(first).position());
    c.setPosition(tc.document()->findBlockByNumber(last).position(), QTextCursor::KeepAnchor);
    return c;
}

// A letter with a three-level list in `style` whose first level starts at `start`, and a
// paragraph after it.
void medicationLetter(TextControl& tc, ListLevels::Style style, int start)
{
    tc.setPlainText("Medication:\nAspirin 100 mg, daily\nin the morning\nwith food (not fasting)\nRamipril 5 mg\n"
                    "Follow-up in two weeks.");
    tc.setTextCursor(blocks(tc, 1, 4));
    tc.setListStyle(style);
    tc.setTextCursor(blocks(tc, 2, 3));
    QVERIFY(tc.changeListLevel(1));
    tc.setTextCursor(blocks(tc, 3, 3));
    QVERIFY(tc.changeListLevel(1));
    ListEditing::applyLevel(blocks(tc, 1, 1), style, start, 720);
}

// Each paragraph as the page shows it: level, marker, text.
QStringList shown(const QTextDocument* document)
{
    QStringList lines;
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next()) {
        const ListLevels::Item item = ListLevels::item(b);
        lines << (item.inList ? QStringLiteral("%1 %2 ").arg(item.level).arg(item.marker) : QString()) + b.text();
    }
    return lines;
}

QList<int> indents(const QTextDocument* document)
{
    QList<int> list;
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next())
        if (const ListLevels::Item item = ListLevels::item(b); item.inList)
            list << item.leftTwips;
    return list;
}

// The lines of a text with something on them, trimmed; LibreOffice's text export and ours
// put the markers before the text with blanks of their own.
QStringList lines(QString text)
{
    text.remove(QChar(0xfeff));
    QStringList result;
    for (QString line : text.split(QRegularExpression(QStringLiteral("[\\r\\n]+")))) {
        line.replace(QLatin1Char('\t'), QLatin1Char(' '));
        line = line.simplified();
        if (!line.isEmpty())
            result << line;
    }
    return result;
}

QString readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool soffice(const QTemporaryDir& dir, const QString& filter, const QString& outDir, const QStringList& files)
{
    QProcess process;
    process.start(QStringLiteral("soffice"),
                  QStringList{QStringLiteral("-env:UserInstallation=file://") + dir.filePath(QStringLiteral("profile")),
                              QStringLiteral("--headless"), QStringLiteral("--convert-to"), filter,
                              QStringLiteral("--outdir"), dir.filePath(outDir)}
                      + files);
    if (!process.waitForFinished(180000)) {
        process.kill();
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit;
}

const QString TextFilter = QStringLiteral("txt:Text (encoded):UTF8");

}  // namespace

class ListFormatsTest : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void plainTextShowsMarkers();
    void otherProgramsRtf_data();
    void otherProgramsRtf();
    void numberTemplatesRoundTrip_data();
    void numberTemplatesRoundTrip();
    void libreOffice_data();
    void libreOffice();
};

void ListFormatsTest::roundTrip_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("start");
    const struct { const char* name; int format; } formats[] = {
        {"rtf", TextControl::FormatRtf}, {"docx", TextControl::FormatDocx}, {"doc", TextControl::FormatWord},
        {"tx", TextControl::FormatNative}, {"html", TextControl::FormatHtml}};
    for (const auto& f : formats) {
        QTest::addRow("%s bullets", f.name) << f.format << int(ListLevels::Disc) << 1;
        QTest::addRow("%s 1) from 3", f.name) << f.format << int(ListLevels::DecimalParen) << 3;
        QTest::addRow("%s A. B.", f.name) << f.format << int(ListLevels::UpperAlpha) << 1;
        QTest::addRow("%s iv. v.", f.name) << f.format << int(ListLevels::LowerRoman) << 4;
    }
    QTest::addRow("tx dash") << int(TextControl::FormatNative) << int(ListLevels::Dash) << 1;
    QTest::addRow("rtf dash") << int(TextControl::FormatRtf) << int(ListLevels::Dash) << 1;
}

void ListFormatsTest::roundTrip()
{
    QFETCH(int, format);
    QFETCH(int, style);
    QFETCH(int, start);
    QTemporaryDir dir;
    TextControl written;
    medicationLetter(written, ListLevels::Style(style), start);
    const QStringList expected = shown(written.document());
    QCOMPARE(expected.at(1).left(2), QStringLiteral("0 "));
    QCOMPARE(expected.at(3).left(2), QStringLiteral("2 "));
    const QString path = dir.filePath(QStringLiteral("letter"));
    QVERIFY2(written.save(path, 0, format), qPrintable(written.lastError()));
    TextControl read;
    QVERIFY2(read.load(path, 0, format), qPrintable(read.lastError()));
    QCOMPARE(shown(read.document()), expected);
    if (format != TextControl::FormatHtml)
        QCOMPARE(indents(read.document()), indents(written.document()));
    // Read lists are lists of the engine: a new item renumbers those after it.
    QTextCursor c(read.document()->findBlockByNumber(1));
    c.movePosition(QTextCursor::EndOfBlock);
    c.insertBlock();
    QCOMPARE(ListLevels::item(read.document()->findBlockByNumber(5)).number, start + 2);
}

void ListFormatsTest::plainTextShowsMarkers()
{
    QTemporaryDir dir;
    TextControl tc;
    medicationLetter(tc, ListLevels::Decimal, 1);
    const QString path = dir.filePath(QStringLiteral("letter.txt"));
    QVERIFY(tc.save(path, 0, TextControl::FormatText));
    QCOMPARE(readAll(path), QStringLiteral("Medication:\n    1. Aspirin 100 mg, daily\n        a. in the morning\n"
                                           "            i. with food (not fasting)\n    2. Ramipril 5 mg\n"
                                           "Follow-up in two weeks."));
}

void ListFormatsTest::otherProgramsRtf_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("Word 6 paragraph numbers")
        << QByteArray("{\\rtf1{\\fonttbl{\\f1 Symbol;}}\\pard \\fi-283\\li283{\\*\\pn \\pnlvlbody\\pndec\\pnstart1{\\pntxta .}}"
                      "{\\pntext 1.\\tab}Alpha\\par Beta\\par \\pard \\fi-283\\li283{\\*\\pn \\pnlvlblt\\pnf1\\pnstart1"
                      "{\\pntxtb \\'b7}}Alpha\\par Beta\\par }")
        << QStringList{"0 1. Alpha", "0 2. Beta", "0 \u2022 Alpha", "0 \u2022 Beta", ""};
    QTest::newRow("list table with list texts")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc0"
                      "\\levelstartat5{\\leveltext\\'02\\'00);}{\\levelnumbers\\'01;}\\fi-360\\li720}{\\listlevel"
                      "\\levelnfc23{\\leveltext\\'01\\u8226 ?;}{\\levelnumbers;}\\fi-360\\li1440}\\listid7}}"
                      "{\\*\\listoverridetable{\\listoverride\\listid7\\listoverridecount0\\ls1}}\n"
                      "\\pard\\ls1\\ilvl0\\fi-360\\li720{\\listtext 5)\\tab}First\\par\n"
                      "\\pard\\ls1\\ilvl1\\fi-360\\li1440{\\listtext \\'95\\tab}Sub\\par\n"
                      "\\pard\\ls1\\ilvl0\\fi-360\\li720{\\listtext 6)\\tab}Second\\par}")
        << QStringList{"0 5) First", "1 \u2022 Sub", "0 6) Second", ""};
    // A merge's letters, one document after another: each numbers its own list.
    const QByteArray letter("{\\rtf1{\\*\\listtable{\\list{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}}\\listid1}}"
                            "{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}"
                            "\\pard\\ls1 A\\par\\pard\\ls1 B\\par}");
    // Numbers that join those of the levels above, as headings and legal documents have them.
    QTest::newRow("numbers of several levels")
        << QByteArray("{\\rtf1{\\*\\listtable{\\list{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}"
                      "{\\listlevel\\levelnfc0{\\leveltext\\'04\\'00.\\'01.;}{\\levelnumbers\\'01\\'03;}}"
                      "{\\listlevel\\levelnfc4{\\leveltext\\'07Part \\'02);}{\\levelnumbers\\'06;}}\\listid1}}"
                      "{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}"
                      "\\pard\\ls1 Introduction\\par\\pard\\ls1\\ilvl1 Context\\par\\pard\\ls1\\ilvl2 Scope\\par"
                      "\\pard\\ls1 Referral\\par\\pard\\ls1\\ilvl1 Findings\\par\\pard\\ls1\\ilvl1 Plan\\par}")
        << QStringList{"0 1. Introduction", "1 1.1. Context", "2 Part a) Scope", "0 2. Referral", "1 2.1. Findings",
                       "1 2.2. Plan", ""};
    QTest::newRow("two letters") << letter + letter << QStringList{"0 1. A", "0 2. B", "0 1. A", "0 2. B", ""};
}

void ListFormatsTest::otherProgramsRtf()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("other.rtf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(rtf);
    file.close();
    TextControl tc;
    QVERIFY(tc.load(path, 0, TextControl::FormatRtf));
    QCOMPARE(shown(tc.document()), expected);
}

void ListFormatsTest::numberTemplatesRoundTrip_data()
{
    QTest::addColumn<int>("format");
    QTest::newRow("rtf") << int(TextControl::FormatRtf);
    QTest::newRow("docx") << int(TextControl::FormatDocx);
    QTest::newRow("doc") << int(TextControl::FormatWord);
    QTest::newRow("tx") << int(TextControl::FormatNative);
}

// "1.1." numbers written by us come back as they were.
void ListFormatsTest::numberTemplatesRoundTrip()
{
    QFETCH(int, format);
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("legal.rtf"));
    QFile file(source);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("{\\rtf1{\\*\\listtable{\\list{\\listlevel\\levelnfc0\\levelstartat3{\\leveltext\\'02\\'00.;}}"
               "{\\listlevel\\levelnfc0{\\leveltext\\'04\\'00.\\'01.;}}\\listid1}}"
               "{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}"
               "\\pard\\ls1 Findings\\par\\pard\\ls1\\ilvl1 Blood\\par\\pard\\ls1\\ilvl1 Urine\\par\\pard Done\\par}");
    file.close();
    TextControl first;
    QVERIFY(first.load(source, 0, TextControl::FormatRtf));
    const QStringList expected{"0 3. Findings", "1 3.1. Blood", "1 3.2. Urine", "Done", ""};
    QCOMPARE(shown(first.document()), expected);
    const QString path = dir.filePath(QStringLiteral("again"));
    QVERIFY(first.save(path, 0, format));
    TextControl again;
    QVERIFY(again.load(path, 0, format));
    QStringList got = shown(again.document());
    if (got.size() == expected.size() - 1)
        got << QString();  // formats that keep no empty last paragraph
    QCOMPARE(got, expected);
}

void ListFormatsTest::libreOffice_data()
{
    QTest::addColumn<QString>("file");  // in the folder of files to compare
    QTest::addColumn<int>("format");
    QTest::newRow("ours rtf") << "ours-rtf.rtf" << int(TextControl::FormatRtf);
    QTest::newRow("ours docx") << "ours-docx.docx" << int(TextControl::FormatDocx);
    QTest::newRow("ours doc") << "ours-doc.doc" << int(TextControl::FormatWord);
    QTest::newRow("ours html") << "ours-html.html" << int(TextControl::FormatHtml);
    QTest::newRow("LibreOffice docx") << "lo/ours-rtf.docx" << int(TextControl::FormatDocx);
    QTest::newRow("LibreOffice doc") << "lo/ours-rtf.doc" << int(TextControl::FormatWord);
    QTest::newRow("LibreOffice rtf") << "lo/ours-docx.rtf" << int(TextControl::FormatRtf);
    QTest::newRow("LibreOffice html") << "lo/ours-rtf.html" << int(TextControl::FormatHtml);
}

// Both programs show the same bullets and numbers: LibreOffice's text export of a file and our
// reading of it give the same lines.
void ListFormatsTest::libreOffice()
{
    QFETCH(QString, file);
    QFETCH(int, format);
    if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty())
        QSKIP("LibreOffice (soffice) is not installed");
    static QTemporaryDir dir;
    static bool made = false;
    if (!made) {
        made = true;
        TextControl tc;
        medicationLetter(tc, ListLevels::DecimalParen, 3);
        QTextCursor end(tc.document());
        end.movePosition(QTextCursor::End);
        end.insertBlock();
        end.insertText(QStringLiteral("Bring along:"));
        for (const char* item : {"your insurance card", "the referral"}) {
            end.insertBlock();
            end.insertText(QLatin1String(item));
        }
        const int last = tc.document()->blockCount() - 1;
        tc.setTextCursor(blocks(tc, last - 1, last));
        tc.setListStyle(ListLevels::Disc);
        QVERIFY(tc.save(dir.filePath("ours-rtf.rtf"), 0, TextControl::FormatRtf));
        QVERIFY(tc.save(dir.filePath("ours-docx.docx"), 0, TextControl::FormatDocx));
        QVERIFY(tc.save(dir.filePath("ours-doc.doc"), 0, TextControl::FormatWord));
        QVERIFY(tc.save(dir.filePath("ours-html.html"), 0, TextControl::FormatHtml));
        QVERIFY(soffice(dir, QStringLiteral("docx"), "lo", {dir.filePath("ours-rtf.rtf")}));
        QVERIFY(soffice(dir, QStringLiteral("doc"), "lo", {dir.filePath("ours-rtf.rtf")}));
        QVERIFY(soffice(dir, QStringLiteral("rtf"), "lo", {dir.filePath("ours-docx.docx")}));
        QVERIFY(soffice(dir, QStringLiteral("html"), "lo", {dir.filePath("ours-rtf.rtf")}));
        QVERIFY(soffice(dir, TextFilter, "text", {dir.filePath("ours-rtf.rtf"), dir.filePath("ours-docx.docx"),
                                                  dir.filePath("ours-doc.doc"), dir.filePath("ours-html.html")}));
        // One folder per kind: LibreOffice names the texts after the files' base names.
        for (const char* file : {"lo/ours-rtf.docx", "lo/ours-rtf.doc", "lo/ours-docx.rtf", "lo/ours-rtf.html"})
            QVERIFY(soffice(dir, TextFilter, "lotext/" + QFileInfo(QLatin1String(file)).suffix(), {dir.filePath(file)}));
    }
    const QString path = dir.filePath(file);
    QVERIFY2(QFile::exists(path), "LibreOffice wrote no file");
    const QFileInfo info(path);
    const QString text = readAll(dir.filePath((file.startsWith("lo/") ? "lotext/" + info.suffix() + "/" : QStringLiteral("text/"))
                                              + info.completeBaseName() + ".txt"));
    QVERIFY2(!text.isEmpty(), "LibreOffice gave no text");
    TextControl tc;
    QVERIFY2(tc.load(path, 0, format), qPrintable(tc.lastError()));
    const QStringList theirs = lines(text);
    QStringList ours = lines(ListLevels::plainText(tc.document()));
    // HTML has no number followed by ")": LibreOffice shows "3." where Qt's own style keeps "3)".
    const bool html = format == TextControl::FormatHtml;
    if (html)
        ours.replaceInStrings(QRegularExpression(QStringLiteral("^(\\d+)\\)")), QStringLiteral("\\1."));
    QCOMPARE(ours, theirs);
    QVERIFY(theirs.contains(html ? QStringLiteral("3. Aspirin 100 mg, daily") : QStringLiteral("3) Aspirin 100 mg, daily")));
    QVERIFY(theirs.contains(QStringLiteral("\u2022 the referral")));
}

QTEST_MAIN(ListFormatsTest)
#include "tst_listformats.moc"
