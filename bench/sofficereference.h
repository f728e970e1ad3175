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
inline QString writeSample(const QTemporaryDir& dir, const QByteArray& bytes, const char* name = "sample.rtf")
{
    QFile file(dir.filePath(QLatin1String(name)));
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return file.fileName();
}

// The reference for a file of `bytes`, written for LibreOffice under `name`.
inline void printSofficeReferenceOf(const QByteArray& bytes, const char* format, const char* what,
                                    const char* name = "sample.rtf")
{
    QTemporaryDir dir;
    printSofficeReference(writeSample(dir, bytes, name), format, what);
}
