#include "keycodes.h"

namespace KeyCodes {

int virtualKey(int key)
{
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return key;  // the virtual keys of digits and letters are their ASCII codes
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 112 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return Insert;
    case Qt::Key_Delete: return 46;
    default: return key & 0xffff;
    }
}

int shiftState(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? Shift : 0) | (modifiers & Qt::ControlModifier ? Ctrl : 0)
        | (modifiers & Qt::AltModifier ? Alt : 0);
}

int mouseButtons(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? LeftButton : 0) | (buttons & Qt::RightButton ? RightButton : 0)
        | (buttons & Qt::MiddleButton ? MiddleButton : 0);
}

}  // namespace KeyCodes
