#pragma once
// Headless conversion: reads a file by the open table and writes it by the save table,
// without showing a window (scrivora --convert IN OUT).
#include <QString>

class TextControl;

namespace ConvertFile {

// Reads `in` into the control by the open table; false when it cannot be read.
bool load(const QString& in, TextControl* control);
// True on success; otherwise `error` holds the program's failure message with the path.
bool convert(const QString& in, const QString& out, QString* error);

}  // namespace ConvertFile
