#include "zippackage.h"

#include <QBuffer>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

namespace ZipPackage {
namespace {
constexpr qint64 MaxPartSize = 256 * 1024 * 1024;
constexpr int MaxParts = 10'000;
}  // namespace

bool read(const QByteArray& bytes, QHash<QString, QByteArray>& parts)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    QuaZip zip(&buffer);
    if (!zip.open(QuaZip::mdUnzip))
        return false;
    int count = 0;
    for (bool more = zip.goToFirstFile(); more && count < MaxParts; more = zip.goToNextFile(), ++count) {
        QuaZipFileInfo64 info;
        if (!zip.getCurrentFileInfo(&info) || qint64(info.uncompressedSize) > MaxPartSize)
            continue;
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        // As much as the directory says the part holds: a read of the largest allowed size
        // would first set aside (and clear) that much memory for every part.
        parts.insert(info.name, file.read(qint64(info.uncompressedSize)));
        file.close();
    }
    zip.close();
    return zip.getZipError() == 0 || !parts.isEmpty();
}

QByteArray write(const QList<QPair<QString, QByteArray>>& parts)
{
    QByteArray data;
    QBuffer buffer(&data);
    QuaZip zip(&buffer);
    if (!zip.open(QuaZip::mdCreate))
        return {};
    for (const auto& [name, content] : parts) {
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(name)))
            return {};
        file.write(content);
        file.close();
    }
    zip.close();
    return data;
}

}  // namespace ZipPackage
