#pragma once
// Headless conversion: reads a file by the open table and writes it by the save table,
// without showing a window (scrivora --convert IN OUT, and the output of --merge).
#include <QString>

class TextControl;

namespace ConvertFile {

// Whether a name's extension is one the conversion writes: the save table's formats, the
// page-header file (.txm) and PDF. Other names are refused rather than guessed at.
bool writesFormatOf(const QString& path);
// Reads `in` into the control by the open table; on failure `error` (when given) holds the
// program's message with the path and the reason.
bool load(const QString& in, TextControl* control, QString* error = nullptr);
// Writes the control's document to `out` by its extension (.pdf: its pages); on failure
// `error` holds the message with the path and the reason.
bool write(TextControl* control, const QString& out, QString* error);
// True on success; otherwise `error` holds the program's failure message with the path.
bool convert(const QString& in, const QString& out, QString* error);

}  // namespace ConvertFile
