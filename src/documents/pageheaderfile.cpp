#include "pageheaderfile.h"

#include "components/textcontrol/textcontrol.h"

#include <QDataStream>
#include <QFileInfo>
#include <QFile>
#include <QTemporaryFile>
#include <cstdio>

namespace PageHeaderFile {

bool writeHeader(QFileDevice* file, const Header& header)
{
    QDataStream out(file);
    out.setByteOrder(QDataStream::LittleEndian);
    out << header.kind << header.marginL << header.marginT << header.marginR << header.marginB
        << header.height << header.width << qint16(0);
    return out.status() == QDataStream::Ok && file->flush() && file->pos() == HeaderSize;
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

LoadResult load(const QString& path, TextControl* control, Header* applied)
{
    const std::optional<Header> header = readHeader(path);
    if (!header && !QFileInfo(path).isReadable())
        return CannotOpen;
    if (!header || (header->kind != KindPlain && header->kind != KindSaved))
        return WrongKind;
    const Header page = header->kind == KindSaved ? *header : defaultPage();
    const qint64 offset = header->kind == KindSaved ? HeaderSize : KindSize;
    if (!control->load(path, offset, TextControl::FormatNative))
        return CannotLoad;
    // The header's page rules over the one the document part carries with it.
    control->setPageMarginL(page.marginL);
    control->setPageMarginT(page.marginT);
    control->setPageMarginR(page.marginR);
    control->setPageMarginB(page.marginB);
    control->setPageWidth(page.width);
    control->setPageHeight(page.height);
    control->clearUndo();
    if (applied)
        *applied = page;
    return Loaded;
}

bool save(const QString& path, TextControl* control, bool* opened)
{
    const Header header{KindSaved,           control->pageMarginL(), control->pageMarginT(),
                        control->pageMarginR(), control->pageMarginB(), control->pageHeight(),
                        control->pageWidth()};
    // Header and document go into a file beside the target, which then takes its place: a
    // save that fails half-way leaves the old file whole.
    QTemporaryFile part(path + QStringLiteral(".XXXXXX"));
    const bool written = part.open() && writeHeader(&part, header);
    if (opened)
        *opened = written;
    if (!written)
        return false;
    part.close();
    if (!control->save(part.fileName(), HeaderSize, TextControl::FormatNative))
        return false;
    QFile::setPermissions(part.fileName(), QFileInfo::exists(path) ? QFile::permissions(path)
                                                                  : QFile::ReadOwner | QFile::WriteOwner
                                                                        | QFile::ReadGroup | QFile::ReadOther);
    return ::rename(QFile::encodeName(part.fileName()).constData(), QFile::encodeName(path).constData()) == 0;
}

}  // namespace PageHeaderFile
