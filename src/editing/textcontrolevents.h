#pragma once
// What a document window does with its text control's keys and clicks: Insert switches
// overwriting, the right button pops up the Edit menu. (A change marks the document modified
// in the window itself, which keeps the table of documents.)
class EditorWindow;

namespace TextControlEvents {

void onKey(EditorWindow* window, int keyCode, int shift);
void onMouseDown(EditorWindow* window, int buttons, int shift, int x, int y);

}  // namespace TextControlEvents
