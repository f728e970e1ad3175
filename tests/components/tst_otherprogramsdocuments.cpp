// Documents of other programs (the shared corpus of RTF, .doc and .docx files): each opens
// without crash, its words come in the order LibreOffice's text export gives them, and
// damaged, encrypted and too old files are refused with a reason.
#include "components/textcontrol/document/listlevels.h"
#include "components/textcontrol/textcontrol.h"
#include "documents/opendocument.h"

#include <QDir>
#include <QHash>
#include <QRegularExpression>
#include <QTextDocument>
#include <QtTest>

namespace {

const QString CorpusDir = QStringLiteral(SCRIVORA_SOURCE_DIR "/../shared/corpus");
const QString ExpectedDir = QStringLiteral(SCRIVORA_SOURCE_DIR "/tests/fixtures/corpus-expected");
constexpr double FileMinimum = 0.90;
constexpr double AverageMinimum = 0.97;

// Files whose words differ from LibreOffice's, with what differs and the share measured when
// they were listed. They still must open; they count in no average.
const QHash<QString, QString>& knownShortfalls()
{
    static const QHash<QString, QString> list = {
        // What LibreOffice's export leaves out and this reader keeps.
        {"rtf/libreoffice-rtfexport-fdo61193.rtf", "the note's text, kept at the end of the document (0.667)"},
        {"word/docx4j-odd_even_different_first_page.docx", "the even pages' own headers and footers, kept at the end of the document (0.710)"},
        {"word/node-word-extractor-test15.docx", "the first page's own header, kept at the end of the document (0.762)"},
        {"rtf/libreoffice-rtfimport-fdo48440.rtf", "the text of positioned frames (0.000: LibreOffice gives no words)"},
        {"rtf/libreoffice-rtfimport-fdo52052.rtf", "the text of positioned frames (0.000: LibreOffice gives no words)"},
        {"rtf/pandoc-table_nested_malformed_itap.rtf", "all of it: LibreOffice reads no text of this file (0.000)"},
        {"rtf/pandoc-unicode.rtf", "LibreOffice drops the letter after an unpaired surrogate (0.750)"},
        // Numbers in kinds the lists do not have: ordinals (1st, 2nd) and legal numbering, which
        // turns the numbers of the levels above into decimals.
        {"rtf/libreoffice-rtfexport-listWithLgl.rtf", "legal numbering (0.696)"},
        {"word/tika-testWORD_override_list_numbering.doc", "ordinal list numbers (0.895)"},
        {"word/tika-testWORD_override_list_numbering.docx", "ordinal list numbers (0.869)"},
        // LibreOffice leaves the number off a paragraph whose style is a character style.
        {"rtf/libreoffice-rtfexport-invalidParagraphStyle.rtf", "a list number LibreOffice does not show (0.857)"},
        // Notes and text boxes: LibreOffice's text export leaves their text out, the readers keep
        // it after the body (the marks count as words too).
        {"word/mammoth-footnote-hyperlink.docx", "the footnote's text and mark (0.500)"},
        {"word/node-word-extractor-test13.doc", "footnote and endnote texts (0.615)"},
        {"word/node-word-extractor-test13.docx", "footnote and endnote texts (0.615)"},
        {"word/poi-footnote.doc", "footnote and endnote texts (0.500)"},
        {"word/docx4j-DrawingML_GraphicData_wps.docx", "the text of a shape (0.667)"},
        {"word/tika-testWORD_text_box.docx", "the text of text boxes (0.588)"},
        {"word/poi-Bug41898.doc", "the text of text boxes (0.000: LibreOffice gives no words)"},
        {"word/poi-Bug46817.doc", "the text of text boxes (0.597)"},
        // Headers and footers of later sections, which the engine cannot show on their pages:
        // the readers keep their text after the body (LibreOffice's export leaves it out).
        {"word/node-word-extractor-test15.doc", "the different headers and footers of its sections (0.516)"},
        // Tracked changes: LibreOffice's export keeps deleted and moved-away text, which the
        // readers leave out as Word shows the document with the changes accepted.
        {"word/pandoc-track_changes_move.docx", "moved-away text (0.821)"},
        {"word/poi-58067.docx", "tracked deletions (0.872)"},
    };
    return list;
}

// Files of the damaged folder that hold all of their text, and are taken, with why.
const QHash<QString, QString>& takenWhole()
{
    static const QHash<QString, QString> list = {
        {"word/damaged/poi-ExternalEntityInText.docx",
         "not damaged: its DOCTYPE declares an external entity, which is never resolved; all of its text is there"},
        {"word/damaged/poi-clusterfuzz-testcase-minimized-POIHWPFFuzzer-6610789829836800.doc",
         "only a page of character formats is damaged (it claims more runs than it holds); all of the text is there, "
         "as LibreOffice reads it too"},
    };
    return list;
}

QStringList words(const QString& text)
{
    static const QRegularExpression separators(QStringLiteral("[^\\w]+"), QRegularExpression::UseUnicodePropertiesOption);
    // An unpaired surrogate (which a document may hold) is no UTF-16 a regular expression takes.
    QString valid = text.toCaseFolded();
    for (qsizetype i = 0; i < valid.size(); ++i) {
        if (valid.at(i).isHighSurrogate() && i + 1 < valid.size() && valid.at(i + 1).isLowSurrogate())
            ++i;
        else if (valid.at(i).isSurrogate())
            valid[i] = QChar::ReplacementCharacter;
    }
    return valid.split(separators, Qt::SkipEmptyParts);
}

// The length of the longest common subsequence of two word lists, by bit-parallel rows
// (Hyyrö), so that the largest documents of the corpus compare in milliseconds.
qsizetype commonSubsequence(const QStringList& a, const QStringList& b)
{
    const qsizetype m = a.size();
    if (m == 0 || b.isEmpty())
        return 0;
    const qsizetype blocks = (m + 63) / 64;
    QHash<QString, std::vector<quint64>> matches;
    for (qsizetype i = 0; i < m; ++i) {
        std::vector<quint64>& bits = matches[a.at(i)];
        if (bits.empty())
            bits.assign(size_t(blocks), 0);
        bits[size_t(i / 64)] |= quint64(1) << (i % 64);
    }
    std::vector<quint64> v(size_t(blocks), ~quint64(0));
    for (const QString& word : b) {
        const auto it = matches.constFind(word);
        if (it == matches.constEnd())
            continue;
        const std::vector<quint64>& match = *it;
        quint64 carry = 0;
        for (size_t k = 0; k < v.size(); ++k) {
            const quint64 u = v[k] & match[k];
            const quint64 sum = v[k] + u;
            const quint64 withCarry = sum + carry;
            carry = (sum < v[k] || withCarry < sum) ? 1 : 0;
            v[k] = withCarry | (v[k] & ~match[k]);
        }
    }
    qsizetype zeros = 0;
    for (qsizetype i = 0; i < m; ++i)
        zeros += (v[size_t(i / 64)] >> (i % 64)) & 1 ? 0 : 1;
    return zeros;
}

double similarity(const QStringList& ours, const QStringList& expected)
{
    if (ours.isEmpty() && expected.isEmpty())
        return 1.0;
    return 2.0 * double(commonSubsequence(ours, expected)) / double(ours.size() + expected.size());
}

void addFileRows(const QString& folder, const QStringList& patterns)
{
    const QDir dir(CorpusDir + QLatin1Char('/') + folder);
    const QStringList files = dir.entryList(patterns, QDir::Files, QDir::Name);
    if (files.isEmpty())
        QTest::newRow("no corpus") << QString() << QString();
    for (const QString& file : files)
        QTest::newRow(qPrintable(folder + QLatin1Char('/') + file)) << dir.filePath(file) << folder + QLatin1Char('/') + file;
}

QHash<QString, double>& measured()
{
    static QHash<QString, double> shares;
    return shares;
}

}  // namespace

class OtherProgramsDocumentsTest : public QObject {
    Q_OBJECT
private slots:
    void opens_data();
    void opens();
    void averageSimilarity();
    void damagedRefused_data();
    void damagedRefused();
    void similarityMeasure_data();
    void similarityMeasure();
};

void OtherProgramsDocumentsTest::opens_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    addFileRows(QStringLiteral("rtf"), {QStringLiteral("*.rtf")});
    addFileRows(QStringLiteral("word"), {QStringLiteral("*.doc"), QStringLiteral("*.docx")});
}

// Opens as a user's File > Open would; the words are compared with LibreOffice's.
void OtherProgramsDocumentsTest::opens()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    if (path.isEmpty())
        QSKIP("the shared corpus is not beside this checkout");
    TextControl control;
    QVERIFY2(control.load(path, 0, OpenDocuments::formatForPath(path)), qPrintable(control.lastError()));
    QFile expectedFile(ExpectedDir + QLatin1Char('/') + name + QStringLiteral(".txt"));
    if (!expectedFile.open(QIODevice::ReadOnly))
        QSKIP("LibreOffice has no text of this file");
    const QStringList expected = words(QString::fromUtf8(expectedFile.readAll()));
    // As the page shows it: list items with their bullets and numbers.
    const QStringList ours = words(ListLevels::plainText(control.document()));
    const double share = similarity(ours, expected);
    qInfo("%s: %.3f of %lld words", qPrintable(name), share, qlonglong(expected.size()));
    // A listed file that reaches the mark fails as an unexpected pass: it leaves the list.
    if (const auto known = knownShortfalls().constFind(name); known != knownShortfalls().constEnd())
        QEXPECT_FAIL("", qPrintable(*known), Abort);
    else
        measured().insert(name, share);
    QVERIFY2(share >= FileMinimum, qPrintable(QStringLiteral("%1 of the words in order").arg(share, 0, 'f', 3)));
}

void OtherProgramsDocumentsTest::averageSimilarity()
{
    if (measured().isEmpty())
        QSKIP("no corpus file was compared");
    double sum = 0;
    for (const double share : std::as_const(measured()))
        sum += share;
    const double average = sum / double(measured().size());
    qInfo("average over %lld files: %.4f", qlonglong(measured().size()), average);
    QVERIFY2(average >= AverageMinimum, qPrintable(QString::number(average, 'f', 4)));
}

void OtherProgramsDocumentsTest::damagedRefused_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    addFileRows(QStringLiteral("word/damaged"), {QStringLiteral("*.doc"), QStringLiteral("*.docx")});
}

// A damaged file is refused with a reason and leaves the control as it was; one whose text
// is all there is taken.
void OtherProgramsDocumentsTest::damagedRefused()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    if (path.isEmpty())
        QSKIP("the shared corpus is not beside this checkout");
    TextControl control;
    control.document()->setPlainText(QStringLiteral("kept"));
    const bool opened = control.load(path, 0, OpenDocuments::formatForPath(path));
    if (takenWhole().contains(name)) {
        QVERIFY2(opened, qPrintable(control.lastError()));
        QVERIFY(control.document()->toPlainText() != QStringLiteral("kept"));
        return;
    }
    QVERIFY(!opened);
    QVERIFY(!control.lastError().isEmpty());
    QCOMPARE(control.document()->toPlainText(), QStringLiteral("kept"));
}

void OtherProgramsDocumentsTest::similarityMeasure_data()
{
    QTest::addColumn<QString>("ours");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<double>("share");
    QTest::newRow("same") << "Dear Dr. Smith, thank you" << "dear dr smith thank you" << 1.0;
    QTest::newRow("one word lost") << "a b d" << "a b c d" << 6.0 / 7.0;
    QTest::newRow("order matters") << "b a" << "a b" << 0.5;
    QTest::newRow("nothing") << "" << "a" << 0.0;
    QTest::newRow("unpaired surrogate") << QString(QChar(0xD835)) + QStringLiteral("unpaired x") << "? unpaired x" << 1.0;
    QString many, shifted;
    for (int i = 0; i < 300; ++i) {
        many += QStringLiteral("w%1 ").arg(i % 97);
        shifted += QStringLiteral("w%1 ").arg((i + 1) % 97);
    }
    QTest::newRow("long, across the 64-word blocks") << many << many << 1.0;
    QTest::newRow("long, shifted by one") << shifted << QStringLiteral("w0 ") + shifted << 600.0 / 601.0;
}

// The measure the thresholds rest on: shared words in order over the words of both.
void OtherProgramsDocumentsTest::similarityMeasure()
{
    QFETCH(QString, ours);
    QFETCH(QString, expected);
    QFETCH(double, share);
    QVERIFY(qAbs(similarity(words(ours), words(expected)) - share) < 1e-9);
}

QTEST_MAIN(OtherProgramsDocumentsTest)
#include "tst_otherprogramsdocuments.moc"
