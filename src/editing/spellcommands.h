#pragma once
// Spell Check: points the main window's spelling checker at a window's text and starts it.
class DocumentWindow;

namespace SpellCommands {

void SpellCheck(DocumentWindow* window);

}  // namespace SpellCommands
