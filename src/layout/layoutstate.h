#pragma once
// Shared page-layout state of the program.
#include <QPointer>

class TextControl;

namespace LayoutState {

// 1 portrait, 2 landscape: set by each load from the page's shape, read by printing.
inline int PrintOrientation = 1;

// The six page lengths in twips edited by page setup, named after the control's properties.
struct PageSetup {
    int PageMarginL = 1440, PageMarginT = 1440, PageMarginR = 1440, PageMarginB = 1440;
    int PageWidth = 12240, PageHeight = 15840;
};
inline PageSetup PageSetupValues;

// The text control that the image, frame and table dialogs work on.
inline QPointer<TextControl> ActiveTextControl;

// Unit of the layout dialogs: 1 inch, 2 centimetre.
inline int MeasureUnit = 1;

}  // namespace LayoutState
