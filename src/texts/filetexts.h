#pragma once
// Why a file could not be read or written, the kinds of documents in words, the question
// before a save in a format that drops parts of the document, and the command line's
// conversion messages.
#include <QString>
#include <QStringList>

namespace Texts {

// A failure message ("Can't load file: " and the path) with its reason on the lines below.
inline QString withReason(const QString& message, const QString& reason)
{
    return reason.isEmpty() ? message : message + QStringLiteral("\n\n") + reason;
}

// The same on one line, for the command line: "Can't load file: PATH: reason".
inline QString failureLine(const QString& message, const QString& path, const QString& reason)
{
    return message + path + (reason.isEmpty() ? QString() : QStringLiteral(": ") + reason);
}

// Kinds of documents, as the reasons name them.
inline const QString KindRtf = QStringLiteral("a Rich Text document");
inline const QString KindHtml = QStringLiteral("a web page (HTML)");
inline const QString KindText = QStringLiteral("a plain text file");
inline const QString KindWord = QStringLiteral("a Word 97-2003 document (.doc)");
inline const QString KindDocx = QStringLiteral("a Word 2007 document (.docx)");
inline const QString KindTemplate = QStringLiteral("a Scrivora template (.tx)");
inline const QString KindPageHeader = QStringLiteral("a Scrivora page-header file (.txm)");
inline const QString KindOffice = QStringLiteral("a Word 97-2003 document or another Office file");
inline const QString KindEncrypted = QStringLiteral("a password-protected Office document");
inline const QString KindOldWord = QStringLiteral("a document of Word 6 or older, or of Windows Write");
inline const QString KindOpenDocument = QStringLiteral("an OpenDocument file (LibreOffice)");
inline const QString KindZip = QStringLiteral("a ZIP archive");
inline const QString KindPdf = QStringLiteral("a PDF document");
inline const QString KindPicture = QStringLiteral("a picture");
inline const QString KindEmpty = QStringLiteral("an empty file");
inline const QString KindBinary = QStringLiteral("binary data of a kind Scrivora does not know");

// Reasons a file was not read.
inline const QString ReasonNotFound =
    QStringLiteral("The file does not exist. It may have been moved, renamed or deleted.");
inline const QString ReasonIsFolder = QStringLiteral("This is a folder, not a file.");
inline const QString ReasonNoReadPermission = QStringLiteral(
    "You have no permission to read this file. Ask the practice's administrator for access.");
inline QString reasonNotOfKind(const QString& expected, const QString& looksLike)
{
    if (looksLike == expected)
        return QStringLiteral("It looks like %1, but it is damaged or protected, and Scrivora "
                              "cannot read it. Open it in the program that made it and save it again.")
            .arg(expected);
    return QStringLiteral("It is not %1: it looks like %2. Give the file the extension of its kind, "
                          "or open it in the program that made it.")
        .arg(expected, looksLike);
}
inline const QString ReasonPasswordProtected = QStringLiteral(
    "It is protected with a password, and Scrivora cannot open password-protected documents. Open "
    "it in the program that made it, remove the password and save it again.");
inline const QString ReasonOlderWord = QStringLiteral(
    "It is a Word 6 or Word 95 document (or older), which Scrivora cannot read. Open it in Word or "
    "LibreOffice and save it as a Word 97-2003 or Word 2007 document.");
inline const QString ReasonDamagedWordTables = QStringLiteral(
    "It is a Word 97-2003 document, but it is damaged: its table of contents points past the end of "
    "its formats and of the order of its text, so part of the text would be lost or garbled. Open it "
    "in Word or LibreOffice, which may repair it, and save it again.");
inline const QString ReasonDamagedWordContainer = QStringLiteral(
    "It is a Word 97-2003 document, but it is damaged: the file is cut short or overwritten, and the "
    "parts it lists lead past its end, so its text would come out garbled. Open it in Word or "
    "LibreOffice, which may repair it, or use an undamaged copy.");
inline const QString ReasonStartupImportsRtfAndText = QStringLiteral(
    "At start-up Scrivora imports .rtf and .txt files only. Open other documents with File > Open, "
    "or start Scrivora with --open FILE.");

// Reasons a file was not written.
inline QString reasonFolderMissing(const QString& folder)
{
    return QStringLiteral("The folder %1 does not exist. Choose another folder.").arg(folder);
}
inline const QString ReasonTargetIsFolder =
    QStringLiteral("A folder of that name exists. Choose another name.");
inline const QString ReasonNoWritePermission = QStringLiteral(
    "You have no permission to write there: the file or its folder is read-only. Choose another "
    "folder, or ask the practice's administrator.");
inline const QString ReasonDiskFull =
    QStringLiteral("The disk is full. Free some space, or save to another disk.");
inline const QString ReasonNotWritten = QStringLiteral(
    "The file system did not take the file. Try another folder or disk.");

// Before a save in a format that does not keep every part of the document.
inline const QString FormatLossTitle = QStringLiteral("Save As");
inline const QString LostTables = QStringLiteral("tables");
inline const QString LostPictures = QStringLiteral("pictures");
inline const QString LostHeaderFooter = QStringLiteral("header and footer");
inline const QString LostFrames = QStringLiteral("paragraph frames");
inline const QString LostFields = QStringLiteral("merge fields");
inline const QString LostFormatting = QStringLiteral("fonts and formatting");
inline const QString LostPage = QStringLiteral("page size and margins");
inline QString formatLoss(const QString& format, const QStringList& lost)
{
    QString list = lost.value(0);
    for (int i = 1; i < lost.size(); ++i)
        list += (i + 1 == lost.size() ? QStringLiteral(" and ") : QStringLiteral(", ")) + lost.at(i);
    return QStringLiteral("%1 does not keep the %2 of this document.\r\n"
                          "Save anyway? Choose No to pick another format.")
        .arg(format, list);
}
inline const QString TextFormatName = QStringLiteral("Text Document (.txt)");
inline const QString HtmlFormatName = QStringLiteral("Hypertext Markup Language (.htm)");

// The conversions of the command line.
inline const QString WritableFormats =
    QStringLiteral(".rtf, .doc, .docx, .htm, .html, .txt, .tx, .txm, .pdf");
inline QString unknownOutputFormat(const QString& path)
{
    return QStringLiteral("scrivora: %1: Scrivora cannot write this kind of file; the name must end "
                          "in one of %2")
        .arg(path, WritableFormats);
}
inline QString commandLineFailure(const QString& message) { return QStringLiteral("scrivora: ") + message; }
inline QString usageOf(const QString& option, const QString& arguments)
{
    return QStringLiteral("Usage: scrivora %1 %2 (see scrivora --help)").arg(option, arguments);
}
inline QString wrongArguments(const QString& option, const QString& arguments)
{
    return QStringLiteral("scrivora: %1 takes %2\n").arg(option, arguments) + usageOf(option, arguments);
}
inline QString extraArgument(const QString& argument, const QString& option, const QString& arguments)
{
    return QStringLiteral("scrivora: unexpected argument %1\n").arg(argument) + usageOf(option, arguments);
}
inline QString mergeNoFields(const QString& path)
{
    return QStringLiteral("scrivora: %1 holds no merge fields, so there is nothing to merge. Insert "
                          "fields from the Mail Merge menu and save the document as a template (.tx).")
        .arg(path);
}

}  // namespace Texts
