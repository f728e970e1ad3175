#pragma once
// Shared page-layout state of the program.

namespace LayoutState {

// 1 portrait, 2 landscape: set by each load from the page's shape, read by printing.
inline int PrintOrientation = 1;

// Unit of the layout dialogs: 1 inch, 2 centimetre.
inline int MeasureUnit = 1;

}  // namespace LayoutState
