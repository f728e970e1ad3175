// Every fuzz target's entry point, fed each of its seeds, the documents of other programs and
// every input a fuzzer once crashed on, as they are: what the fuzzers start from stays sound.
#include <QDir>
#include <QDirIterator>
#include <QtTest>

#include <cstdint>

// The fuzz targets' entry points, each built here under a name of its own.
extern "C" {
int fuzz_doc_entry(const uint8_t* data, size_t size);
int fuzz_docx_entry(const uint8_t* data, size_t size);
int fuzz_html_entry(const uint8_t* data, size_t size);
int fuzz_native_entry(const uint8_t* data, size_t size);
int fuzz_pageheader_entry(const uint8_t* data, size_t size);
int fuzz_plaintext_entry(const uint8_t* data, size_t size);
int fuzz_rtf_entry(const uint8_t* data, size_t size);
int fuzz_signature_entry(const uint8_t* data, size_t size);
}

namespace {

using Entry = int (*)(const uint8_t*, size_t);

struct Target {
    const char* name;
    Entry entry;
    QStringList extensions;  // files of the corpus and the fixtures that are this target's input
};

const QList<Target>& targets()
{
    static const QList<Target> list = {
        {"doc", fuzz_doc_entry, {QStringLiteral("*.doc")}},
        {"docx", fuzz_docx_entry, {QStringLiteral("*.docx")}},
        {"html", fuzz_html_entry, {QStringLiteral("*.html"), QStringLiteral("*.htm")}},
        {"native", fuzz_native_entry, {}},
        {"pageheader", fuzz_pageheader_entry, {QStringLiteral("*.txm")}},
        {"plaintext", fuzz_plaintext_entry, {}},
        {"rtf", fuzz_rtf_entry, {QStringLiteral("*.rtf")}},
        {"signature", fuzz_signature_entry, {}},
    };
    return list;
}

QStringList filesUnder(const QString& dir, const QStringList& patterns)
{
    QStringList files;
    QDirIterator it(dir, patterns, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

}  // namespace

class FuzzRegressionsTest : public QObject {
    Q_OBJECT
private slots:
    void inputs_data();
    void inputs();
};

void FuzzRegressionsTest::inputs_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<QString>("path");
    const QDir source(QStringLiteral(SCRIVORA_SOURCE_DIR));
    for (int t = 0; t < targets().size(); ++t) {
        const Target& target = targets().at(t);
        const QString name = QString::fromLatin1(target.name);
        QStringList files = filesUnder(source.filePath(QStringLiteral("fuzz/seeds/") + name), {})
                          + filesUnder(source.filePath(QStringLiteral("fuzz/regressions/") + name), {});
        if (!target.extensions.isEmpty())
            files += filesUnder(source.filePath(QStringLiteral("tests/fixtures")), target.extensions)
                   + filesUnder(source.filePath(QStringLiteral("../shared/corpus")), target.extensions);
        for (const QString& file : std::as_const(files))
            QTest::newRow(qPrintable(name + QLatin1Char(' ') + source.relativeFilePath(file))) << t << file;
    }
}

// A crash or a trap fails the whole program; the entry points return 0 for any input they take.
void FuzzRegressionsTest::inputs()
{
    QFETCH(int, target);
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(targets().at(target).entry(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())), 0);
}

QTEST_MAIN(FuzzRegressionsTest)
#include "tst_fuzzregressions.moc"
