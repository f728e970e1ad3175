#include "fileproblems.h"

#include "components/textcontrol/formats/doc/docreader.h"
#include "pageheaderfile.h"
#include "texts/filetexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QStringDecoder>

namespace FileProblems {
namespace {

constexpr qint64 MaxInspected = 256 * 1024 * 1024;

bool startsWithTag(const QByteArray& head, const char* tag)
{
    return head.left(512).trimmed().toLower().startsWith(tag);
}

bool isText(const QByteArray& head)
{
    if (head.contains('\0'))
        return false;
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(head);
    Q_UNUSED(text);
    // A cut in the middle of a character at the end is no error.
    return !utf8.hasError() || head.size() >= 4096;
}

// The refusals a Word file is named by: protected with a password, of a Word before 97, or
// damaged in a way the .doc reader names; `seen` is what the file looks like.
QString namedRefusal(QFile& file, const QString& seen)
{
    if (seen == Texts::KindOldWord)
        return Texts::ReasonOlderWord;
    if (seen == Texts::KindEncrypted)
        return Texts::ReasonPasswordProtected;
    if (seen != Texts::KindOffice || file.size() > MaxInspected)
        return QString();
    // Word 6 and 95 files and encrypted Word 97 files share the Office container's signature.
    file.seek(0);
    switch (DocReader::refusal(file.readAll())) {
    case DocReader::Refusal::PasswordProtected: return Texts::ReasonPasswordProtected;
    case DocReader::Refusal::OlderWord: return Texts::ReasonOlderWord;
    case DocReader::Refusal::DamagedTables: return Texts::ReasonDamagedWordTables;
    case DocReader::Refusal::DamagedContainer: return Texts::ReasonDamagedWordContainer;
    default: return QString();
    }
}

}  // namespace

QString kindOf(int format)
{
    switch (format) {
    case TextControl::FormatRtf: return Texts::KindRtf;
    case TextControl::FormatHtml: return Texts::KindHtml;
    case TextControl::FormatWord: return Texts::KindWord;
    case TextControl::FormatDocx: return Texts::KindDocx;
    case TextControl::FormatNative: return Texts::KindTemplate;
    case PageHeaderFile::Format: return Texts::KindPageHeader;
    default: return Texts::KindText;
    }
}

QString looksLike(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray head = file.read(4096);
    const QByteArray more = head + file.read(64 * 1024);
    if (head.isEmpty())
        return Texts::KindEmpty;
    if (head.startsWith("{\\rtf"))
        return Texts::KindRtf;
    if (head.startsWith("SCRVTX"))
        return Texts::KindTemplate;
    if (head.size() >= 34 && head.mid(PageHeaderFile::HeaderSize).startsWith("SCRVTX"))
        return Texts::KindPageHeader;
    if (head.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")) {
        // A password-protected Word 2007 file is kept in an Office container of its own.
        // Its stream names are little-endian UTF-16.
        QByteArray encrypted;
        for (const char c : QByteArrayView("EncryptedPackage"))
            encrypted.append(c).append('\0');
        return more.contains(encrypted) ? Texts::KindEncrypted : Texts::KindOffice;
    }
    if (head.startsWith("\xDB\xA5") || head.startsWith("\x31\xBE"))
        return Texts::KindOldWord;
    if (head.startsWith("PK\x03\x04")) {
        if (head.contains("word/") || head.contains("[Content_Types].xml"))
            return Texts::KindDocx;
        if (head.contains("application/vnd.oasis.opendocument"))
            return Texts::KindOpenDocument;
        return Texts::KindZip;
    }
    if (head.startsWith("%PDF"))
        return Texts::KindPdf;
    if (head.startsWith("\x89PNG") || head.startsWith("\xFF\xD8\xFF") || head.startsWith("GIF8")
        || head.startsWith("BM"))
        return Texts::KindPicture;
    const QByteArray body = head.startsWith("\xEF\xBB\xBF") ? head.mid(3) : head;
    if (startsWithTag(body, "<!doctype html") || startsWithTag(body, "<html"))
        return Texts::KindHtml;
    return isText(body) ? Texts::KindText : Texts::KindBinary;
}

QString whyNotLoaded(const QString& path, int format)
{
    const QFileInfo info(path);
    if (!info.exists())
        return Texts::ReasonNotFound;
    if (info.isDir())
        return Texts::ReasonIsFolder;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Texts::ReasonNoReadPermission;
    const QString seen = looksLike(path);
    if (const QString named = namedRefusal(file, seen); !named.isEmpty())
        return named;
    const QString expected = kindOf(format);
    // A .doc is one kind of Office file; a damaged one still shows their common signature.
    const bool sameKind = seen == expected || (format == TextControl::FormatWord && seen == Texts::KindOffice);
    return Texts::reasonNotOfKind(expected, sameKind ? expected : seen);
}

QString whyNotSaved(const QString& path, TextControl::FileFailure failure)
{
    const QFileInfo info(path);
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir())
        return Texts::reasonFolderMissing(QDir::toNativeSeparators(info.absolutePath()));
    if (info.isDir())
        return Texts::ReasonTargetIsFolder;
    if (failure == TextControl::FileFailure::DiskFull)
        return Texts::ReasonDiskFull;
    if ((info.exists() && !info.isWritable()) || !folder.isWritable())
        return Texts::ReasonNoWritePermission;
    const QStorageInfo storage(folder.absoluteFilePath());
    if (storage.isValid() && storage.bytesAvailable() == 0)
        return Texts::ReasonDiskFull;
    return Texts::ReasonNotWritten;
}

}  // namespace FileProblems
