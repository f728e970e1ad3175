#include "pageheaderfile.h"

#include <QDataStream>
#include <QFile>

namespace PageHeaderFile {

bool writeHeader(const QString& path, const Header& header)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    out << header.kind << header.marginL << header.marginT << header.marginR << header.marginB
        << header.height << header.width << qint16(0);
    return out.status() == QDataStream::Ok && file.pos() == HeaderSize;
}

std::optional<Header> readHeader(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QDataStream in(&file);
    in.setByteOrder(QDataStream::LittleEndian);
    Header header;
    qint16 reserved = 0;
    in >> header.kind;
    if (in.status() != QDataStream::Ok)
        return std::nullopt;
    if (header.kind != KindSaved)
        return header;
    in >> header.marginL >> header.marginT >> header.marginR >> header.marginB
        >> header.height >> header.width >> reserved;
    if (in.status() != QDataStream::Ok)
        return std::nullopt;
    return header;
}

}  // namespace PageHeaderFile
