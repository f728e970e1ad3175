#pragma once
// What a document window does with its text control's notifications: a change marks the
// document modified, Insert switches overwriting, the right button pops up the Edit menu.
class DocumentWindow;

namespace TextControlEvents {

void onChange(DocumentWindow* window);
void onKey(DocumentWindow* window, int keyCode, int shift);
void onMouseDown(DocumentWindow* window, int buttons, int shift, int x, int y);

}  // namespace TextControlEvents
