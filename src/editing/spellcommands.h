#pragma once
// Spell Check: points the main window's spelling checker at a window's text and starts it.
class EditorWindow;
class QMenu;
class QPoint;

namespace SpellCommands {

void SpellCheck(EditorWindow* window);
// Red wavy lines under unknown words as the user types (View > Check Spelling as You Type).
void setSpellingAsYouType(EditorWindow* window, bool on);
void toggleSpellingAsYouType(EditorWindow* window);
// The right-click menu's spelling part for the word at (x, y): suggestions and Add to
// Dictionary; false when the word is known or the check is off.
bool addSuggestions(EditorWindow* window, QMenu* menu, const QPoint& at);

}  // namespace SpellCommands
