#pragma once
// Spell Check: points the main window's spelling checker at a window's text and starts it.
class DocumentWindow;
class QMenu;
class QPoint;

namespace SpellCommands {

void SpellCheck(DocumentWindow* window);
// Red wavy lines under unknown words as the user types (View > Check Spelling as You Type).
void setSpellingAsYouType(DocumentWindow* window, bool on);
void toggleSpellingAsYouType(DocumentWindow* window);
// The right-click menu's spelling part for the word at (x, y): suggestions and Add to
// Dictionary; false when the word is known or the check is off.
bool addSuggestions(DocumentWindow* window, QMenu* menu, const QPoint& at);

}  // namespace SpellCommands
