#pragma once
// Merge to a new document: one letter per selected record, each a copy of the window's
// document filled from its record and followed by a page break, written to TempPath +
// "~MMerge.rtf" and opened in a new window. The same loop serves the command line's headless
// merge.
#include <QString>
#include <functional>

class EditorWindow;
class QIODevice;
class Recordset;
class TextControl;
class WindowMerge;

namespace MergeToNew {

// Called after each record with the number done and the total; false cancels the merge.
using Progress = std::function<bool(int done, int total)>;

QString resultPath();
// Writes a letter for every record from the current one to the end; false when cancelled
// or when writing failed.
bool writeLetters(TextControl* control, Recordset& records, QIODevice* out, const Progress& progress);
// The tool bar's Merge to New Document, after the button was released.
void mergeToNewDocument(EditorWindow* window, WindowMerge* merge, TextControl* control);

}  // namespace MergeToNew
