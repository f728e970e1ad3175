#pragma once
// A selection as the clipboard carries it: HTML and plain text for other programs (lists as
// HTML knows them, their numbers in the text), and the control's own format for the program,
// which keeps everything, fields and their data included.
#include <QByteArray>

class QMimeData;
class QTextDocument;

namespace Clipboard {

inline constexpr const char* NativeMimeType = "application/x-scrivora-document";

// The clipboard's data for `selection`, a document of the selected part.
QMimeData* mimeData(const QTextDocument* selection);
// Reads the control's own format from `mime` into `document`; false when it holds none.
bool readNative(const QMimeData* mime, QTextDocument* document);

}  // namespace Clipboard
