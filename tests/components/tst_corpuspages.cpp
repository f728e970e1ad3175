// Documents of other programs print on as many pages here as in LibreOffice: each corpus
// document, opened as File > Open or --convert opens it, against the page count of
// LibreOffice's PDF of it (tests/fixtures/corpus-expected/pages.tsv, made by
// scripts/make-corpus-expected).
#include "components/textcontrol/textcontrol.h"
#include "documents/opendocument.h"

#include <QFile>
#include <QHash>
#include <QtTest>

namespace {

const QString CorpusDir = QStringLiteral(SCRIVORA_SOURCE_DIR "/../shared/corpus");
const QString PagesFile = QStringLiteral(SCRIVORA_SOURCE_DIR "/tests/fixtures/corpus-expected/pages.tsv");

// Documents whose page count differs from LibreOffice's, with why. A listed document that
// comes out right fails as an unexpected pass: it leaves the list.
const QHash<QString, QString>& knownDifferences()
{
    static const QHash<QString, QString> list = {
        // What the engine does not lay out as LibreOffice does.
        {"word/poi-53446.doc",
         "10 pages, LibreOffice 9: the layout keeps two lines of a paragraph together at the foot and head "
         "of a page in every paragraph, and the .doc reader does not read which paragraphs turn that off"},
        {"word/docx4j-Headers.docx",
         "7 pages, LibreOffice 8: a section that starts on an odd page gets a blank page before it, which the "
         "engine, with one page set-up for the whole document, cannot insert"},
        {"word/node-word-extractor-test07.doc",
         "4 pages, LibreOffice 3: the first page's own header holds a table that Word positions beside the text; "
         "the engine puts it in the header's flow, and the body starts below it"},
        {"word/tika-017091.docx",
         "17 pages, LibreOffice 13: a section of five newspaper columns is laid in one column"},
        {"word/poi-Bug48075.doc",
         "10 pages, LibreOffice 6: a table whose stored columns are wider than the 2.2-inch page; LibreOffice keeps "
         "their widths, the engine squeezes them to a letter each, and the rows grow tall"},
        {"word/node-word-extractor-test17.doc",
         "3 pages, LibreOffice 4: an embedded chart (an OLE object) is not drawn, so the text after it moves up"},
        {"word/poi-ob_is.doc",
         "34 pages, LibreOffice 31: its many empty paragraphs in large type drift by three pages over 31"},
        {"word/tika-017097.docx",
         "17 pages, LibreOffice 15: table rows that do not fit move whole to the next page, where "
         "LibreOffice, as Word does by default, splits them"},
        // What the readers keep where LibreOffice puts something else.
        {"word/poi-Bug46817.doc",
         "2 pages, LibreOffice 1: the text of its positioned text boxes, kept after the body, fills a second page"},
        {"word/node-word-extractor-test13.docx",
         "1 page, LibreOffice 2: LibreOffice prints the endnotes on a page of their own, the reader keeps them "
         "after the body under a short rule"},
        {"word/pandoc-table_gridbefore.docx",
         "4 pages, LibreOffice 1: in rows that start after skipped grid columns (w:gridBefore) the cells are put "
         "in the skipped columns, so the column of words is one letter wide"},
    };
    return list;
}

}  // namespace

class CorpusPagesTest : public QObject {
    Q_OBJECT
private slots:
    void pagesAsLibreOffice_data();
    void pagesAsLibreOffice();
};

void CorpusPagesTest::pagesAsLibreOffice_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("pages");
    QFile file(PagesFile);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(PagesFile));
    file.readLine();  // the column names
    while (!file.atEnd()) {
        const QList<QByteArray> fields = file.readLine().trimmed().split('\t');
        if (fields.size() == 2)
            QTest::newRow(fields.at(0).constData()) << QString::fromUtf8(fields.at(0)) << fields.at(1).toInt();
    }
}

void CorpusPagesTest::pagesAsLibreOffice()
{
    QFETCH(QString, name);
    QFETCH(int, pages);
    const QString path = CorpusDir + QLatin1Char('/') + name;
    if (!QFile::exists(path))
        QSKIP("the shared corpus is not beside this checkout");
    TextControl control;
    control.setLoadSaveAttribute(37, 1);
    QVERIFY2(control.load(path, 0, OpenDocuments::formatForPath(path)), qPrintable(control.lastError()));
    control.applyLoadSaveAttributes();
    if (const auto known = knownDifferences().constFind(name); known != knownDifferences().constEnd())
        QEXPECT_FAIL("", qPrintable(*known), Abort);
    QCOMPARE(control.currentPages(), pages);
}

QTEST_MAIN(CorpusPagesTest)
#include "tst_corpuspages.moc"
