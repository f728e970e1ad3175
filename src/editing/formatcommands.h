#pragma once
// The Format menu's enabling, computed each time the menu opens.
class DocumentWindow;

namespace FormatCommands {

void refreshFormatMenu(DocumentWindow* window);

}  // namespace FormatCommands
