#pragma once
// Save and Save As: the format follows the file name's extension.
#include <QString>

class DocumentWindow;
class TextControl;

namespace SaveDocuments {

// The format number the save table gives a path: 5 RTF, 4 HTML, 1 text, 9 Word, 0 the
// control's own, 3 the page-header file.
int formatForPath(const QString& path);

// Writes the control's document to `path` in the format the save table gives it.
bool writeDocument(TextControl* control, const QString& path, bool* opened = nullptr);

// The Save As dialog for `window` (the active one when null), starting at `proposed`; the
// empty string when cancelled. A format that drops parts of the document is asked about.
QString AskSaveFileName(DocumentWindow* window = nullptr, const QString& proposed = QString());
// Writes the window's document; a failure is reported with its reason and gives false.
bool SaveDocument(DocumentWindow* window, const QString& path);
void SaveCommand();
void SaveAsCommand();
// File > Export as PDF: the document's pages as printing draws them.
void ExportPdfCommand();

}  // namespace SaveDocuments
