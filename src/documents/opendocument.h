#pragma once
// Opening documents: the open dialog, the already-open test, the recent-file entries, and
// loading a file into a new document window.
#include <QString>

class DocumentWindow;
class TextControl;

namespace OpenDocuments {

// The format number the open table gives a path: 3 page-header file, 5 RTF, 4 HTML,
// 9 Word, 0 the control's own (a template), 1 plain text for anything else.
int formatForPath(const QString& path);

void OpenDocument(const QString& path);
bool IsFileOpen(const QString& path);
// The window that has the file of `path` open; nullptr when none has.
DocumentWindow* windowOf(const QString& path);
void openRecentFile(int index);  // 1..4
void LoadDocument(const QString& path, int format);
void ApplyImagePath(const QString& path, TextControl* control);
void InsertTextFile();

}  // namespace OpenDocuments
