#pragma once
// Text Color and Background Color of the Format menu.
namespace ColorCommands {

// Mode 1 edits the text colour, any other the background colour of the active window's
// selection. The choice is written only when it differs, or when the selection mixed colours.
void ChooseTextColor(int mode);

}  // namespace ColorCommands
