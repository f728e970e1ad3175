#pragma once
// LibreOffice as the reference of a benchmark, where it is installed: the time it takes to
// convert the same file, printed beside our own figures.
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>

inline void printSofficeReference(const QString& file, const char* format, const char* what)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
        std::printf("reference: soffice not installed, no ratio printed\n");
        return;
    }
    QTemporaryDir out;
    QElapsedTimer timer;
    timer.start();
    QProcess::execute(soffice, {"--headless", "--convert-to", QLatin1String(format), "--outdir", out.path(), file});
    std::printf("reference: soffice --convert-to %s of %s took %lld ms\n", format, what,
                static_cast<long long>(timer.elapsed()));
}

// Writes `bytes` to a file in `dir` and gives its path.
inline QString writeSample(const QTemporaryDir& dir, const QByteArray& bytes)
{
    QFile file(dir.filePath("sample.rtf"));
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return file.fileName();
}
