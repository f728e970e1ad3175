#pragma once
// The Edit menu's shared routines; they act on the active document window's text control.
class EditorWindow;

namespace EditCommands {

void EditCut();
void EditCopy();
void EditPaste();
void EditDelete();
void EditFindReplace(int mode);  // 1 find, 2 replace
void SelectAllText();

// Opening the Edit menu: undo and redo captions and enabling by what they would reverse.
void refreshUndoRedo(EditorWindow* window);

}  // namespace EditCommands
