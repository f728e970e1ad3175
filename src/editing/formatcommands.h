#pragma once
// The Format menu's enabling, computed each time the menu opens.
class EditorWindow;

namespace FormatCommands {

void refreshFormatMenu(EditorWindow* window);

}  // namespace FormatCommands
