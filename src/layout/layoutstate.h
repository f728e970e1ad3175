#pragma once
// Shared page-layout state of the program.
#include <QPointer>
#include <array>

class TextControl;

namespace LayoutState {

// 1 portrait, 2 landscape: set by each load from the page's shape, read by printing.
inline int PrintOrientation = 1;

// The six page lengths in twips edited by page setup: margins left, top, right, bottom,
// page width, page height.
inline std::array<int, 6> PageSetupValues = {1440, 1440, 1440, 1440, 12240, 15840};

// The text control that the image, frame and table dialogs work on.
inline QPointer<TextControl> ActiveTextControl;

// Unit of the layout dialogs: 1 inch, 2 centimetre.
inline int MeasureUnit = 1;

}  // namespace LayoutState
