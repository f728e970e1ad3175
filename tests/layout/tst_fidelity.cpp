// Documents of other programs print here where LibreOffice prints them: for each document of
// the shared corpus that LibreOffice opens and each letter of the letter set (written by
// LibreOffice as RTF, .docx and .doc), our PDF is compared with LibreOffice's (its words kept in
// tests/fixtures/fidelity by scripts/make-fidelity-set). A document may not fall below the
// shares recorded for it in tests/fidelity-ratchet.tsv; with SCRIVORA_FIDELITY_RECORD set, the
// run writes the shares it measured there, so that a fix raises the bar for good.
#include "components/textcontrol/textcontrol.h"
#include "documents/convertfile.h"
#include "support/wordplacement.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <QtTest>

namespace {

const QString Fixtures = QStringLiteral(SCRIVORA_SOURCE_DIR "/tests/fixtures");
const QString Ratchet = QStringLiteral(SCRIVORA_SOURCE_DIR "/tests/fidelity-ratchet.tsv");
const QString Corpus = QStringLiteral(SCRIVORA_SOURCE_DIR "/../shared/corpus");

struct Recorded {
    double within6 = 0;
    double within18 = 0;
    bool pagesEqual = false;
};

QMap<QString, Recorded> readRatchet()
{
    QMap<QString, Recorded> recorded;
    QFile file(Ratchet);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return recorded;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const QStringList f = line.split(QLatin1Char('\t'));
        if (line.startsWith(QLatin1Char('#')) || f.size() < 4)
            continue;
        recorded.insert(f.at(0), {f.at(1).toDouble(), f.at(2).toDouble(), f.at(3) == QLatin1String("1")});
    }
    return recorded;
}

// The file a kept print was made from: "letters/NAME.EXT" is in the letter set, "rtf/..." and
// "word/..." in the shared corpus.
QString sourceOf(const QString& name)
{
    if (name.startsWith(QLatin1String("letters/")))
        return Fixtures + QStringLiteral("/letters/") + QFileInfo(name).suffix() + QLatin1Char('/') + name.mid(8);
    return Corpus + QLatin1Char('/') + name;
}

// Rounded down, so that a share written to the ratchet passes the run that measured it.
QString share(double value) { return QString::number(std::floor(value * 1000) / 1000, 'f', 3); }

}  // namespace

class FidelityTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is not installed: scripts/setup-deps installs poppler-utils");
        m_recorded = readRatchet();
    }
    void placedAsLibreOfficePlacesThem_data();
    void placedAsLibreOfficePlacesThem();
    void cleanupTestCase();

private:
    QMap<QString, Recorded> m_recorded;
    QMap<QString, Recorded> m_measured;
    QMap<QString, std::array<double, 3>> m_byFormat;  // words within 6 pt, within 18 pt, all
    QTemporaryDir m_dir;
};

void FidelityTest::placedAsLibreOfficePlacesThem_data()
{
    QTest::addColumn<QString>("name");
    const QDir kept(Fixtures + QStringLiteral("/fidelity"));
    QDirIterator it(kept.path(), {QStringLiteral("*.words")}, QDir::Files, QDirIterator::Subdirectories);
    QStringList names;
    while (it.hasNext())
        names << kept.relativeFilePath(it.next()).chopped(6);
    names.sort();
    for (const QString& name : names)
        QTest::newRow(qPrintable(name)) << name;
}

void FidelityTest::placedAsLibreOfficePlacesThem()
{
    QFETCH(QString, name);
    const QString source = sourceOf(name);
    if (!QFile::exists(source))
        QSKIP("the shared corpus is not next to the source tree");
    QFile keptFile(Fixtures + QStringLiteral("/fidelity/") + name + QStringLiteral(".words"));
    QVERIFY(keptFile.open(QIODevice::ReadOnly));
    const WordPlacement::Print reference = WordPlacement::fromText(QString::fromUtf8(keptFile.readAll()));

    const QString pdf = m_dir.filePath(QFileInfo(name).fileName() + QStringLiteral(".pdf"));
    QString error;
    WordPlacement::Print ours;
    if (ConvertFile::convert(source, pdf, &error))
        ours = WordPlacement::fromPdf(pdf);
    QFile::remove(pdf);
    const WordPlacement::Shares shares = WordPlacement::compare(ours, reference);
    const Recorded measured{shares.within6, shares.within18, ours.pages == reference.pages};
    m_measured.insert(name, measured);
    auto& format = m_byFormat[name.section(QLatin1Char('/'), 0, 0) + QLatin1Char('/') + QFileInfo(name).suffix()];
    format[0] += shares.within6 * shares.words;
    format[1] += shares.within18 * shares.words;
    format[2] += shares.words;

    const Recorded bar = m_recorded.value(name);
    const QString detail = QStringLiteral("%1: within 6 pt %2 (recorded %3), within 18 pt %4 (recorded %5), pages %6 / %7 %8")
                               .arg(name, share(measured.within6), share(bar.within6), share(measured.within18),
                                    share(bar.within18))
                               .arg(ours.pages)
                               .arg(reference.pages)
                               .arg(error);
    QVERIFY2(share(measured.within6).toDouble() >= bar.within6 && share(measured.within18).toDouble() >= bar.within18,
             qPrintable(detail));
    QVERIFY2(measured.pagesEqual || !bar.pagesEqual, qPrintable(detail));
}

void FidelityTest::cleanupTestCase()
{
    for (auto it = m_byFormat.cbegin(); it != m_byFormat.cend(); ++it)
        qInfo("%s: %d words, within 6 pt %.3f, within 18 pt %.3f", qPrintable(it.key()), int(it.value()[2]),
              it.value()[0] / std::max(1.0, it.value()[2]), it.value()[1] / std::max(1.0, it.value()[2]));
    if (qEnvironmentVariableIsEmpty("SCRIVORA_FIDELITY_RECORD") || m_measured.isEmpty())
        return;
    QFile file(Ratchet);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::Truncate));
    QString text = QStringLiteral("# document\twithin 6 pt\twithin 18 pt\tpages equal\n");
    for (auto it = m_measured.cbegin(); it != m_measured.cend(); ++it)
        text += QStringLiteral("%1\t%2\t%3\t%4\n")
                    .arg(it.key(), share(it.value().within6), share(it.value().within18),
                         QLatin1String(it.value().pagesEqual ? "1" : "0"));
    file.write(text.toUtf8());
}

QTEST_MAIN(FidelityTest)
#include "tst_fidelity.moc"
