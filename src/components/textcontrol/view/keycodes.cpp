#include "keycodes.h"

namespace KeyCodes {

namespace {

// Punctuation takes the codes of the key that carries it on a US keyboard: the OEM codes
// (186 and up) for the punctuation keys, the digit keys for the symbols above the digits.
// Their own character codes would collide with navigation keys ("-" is 45, Insert; "." is
// 46, Delete).
int punctuationKey(int key)
{
    switch (key) {
    case Qt::Key_Semicolon: case Qt::Key_Colon: return OemSemicolon;
    case Qt::Key_Equal: case Qt::Key_Plus: return OemPlus;
    case Qt::Key_Comma: case Qt::Key_Less: return OemComma;
    case Qt::Key_Minus: case Qt::Key_Underscore: return OemMinus;
    case Qt::Key_Period: case Qt::Key_Greater: return OemPeriod;
    case Qt::Key_Slash: case Qt::Key_Question: return OemSlash;
    case Qt::Key_QuoteLeft: case Qt::Key_AsciiTilde: return OemTilde;
    case Qt::Key_BracketLeft: case Qt::Key_BraceLeft: return OemOpenBracket;
    case Qt::Key_Backslash: case Qt::Key_Bar: return OemBackslash;
    case Qt::Key_BracketRight: case Qt::Key_BraceRight: return OemCloseBracket;
    case Qt::Key_Apostrophe: case Qt::Key_QuoteDbl: return OemQuote;
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_Asterisk: return '8';
    case Qt::Key_ParenLeft: return '9';
    case Qt::Key_ParenRight: return '0';
    default: return 0;
    }
}

}  // namespace

int virtualKey(int key)
{
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return key;  // the virtual keys of digits and letters are their ASCII codes
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 112 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
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
    default:
        // Letters of other alphabets, accented keys and anything unlisted have no key code of
        // their own: they report 0, never the code of another key.
        return punctuationKey(key);
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
