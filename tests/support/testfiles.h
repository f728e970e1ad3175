#pragma once
// What the tests share: a file of given bytes, a one-colour picture, a header and page-number
// footer, the rows of the shared corpus of RTF files.
#include "components/textcontrol/document/fields.h"
#include "components/textcontrol/textcontrol.h"

#include <QColor>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

namespace TestFiles {

// Writes `bytes` to the file `name` in `dir`; its path.
inline QString write(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile file(dir.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return file.fileName();
}

// A PNG of one colour in `dir`; its path.
inline QString picture(const QTemporaryDir& dir, QSize size, QColor colour, const QString& name = QStringLiteral("pic.png"))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = dir.filePath(name);
    image.save(path);
    return path;
}

// Gives the document a header with `text` and a footer with the page number.
inline void addHeaderAndPageFooter(TextControl& control, const QString& text)
{
    control.setHeaderFooter(5);
    control.headerFooterSelect(1);
    control.setSelText(text);
    control.headerFooterSelect(4);
    control.fieldInsert(QString());
    control.setFieldType(control.fieldCurrent(), Fields::PageNumber);
    control.headerFooterSelect(0);
}

// The RTF files of the shared corpus, by name; none when it is absent.
inline QStringList rtfCorpus()
{
    const QDir dir(QStringLiteral(SCRIVORA_SOURCE_DIR "/../shared/corpus/rtf"));
    QStringList paths;
    for (const QString& f : dir.entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name))
        paths << dir.filePath(f);
    return paths;
}

// One data row ("path") for each RTF file of the shared corpus; a null path when it is absent.
inline void addRtfCorpusRows()
{
    QTest::addColumn<QString>("path");
    const QStringList paths = rtfCorpus();
    if (paths.isEmpty())
        QTest::newRow("no corpus") << QString();
    for (const QString& p : paths)
        QTest::newRow(qPrintable(QFileInfo(p).fileName())) << p;
}

}  // namespace TestFiles
