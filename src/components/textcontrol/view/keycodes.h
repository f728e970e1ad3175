#pragma once
// Key codes and shift states as the control reports them in its key notification:
// the classic virtual-key numbers (Insert is 45) and 1 Shift + 2 Ctrl + 4 Alt. A key without a
// code of its own reports 0.
#include <Qt>

namespace KeyCodes {

int virtualKey(int qtKey);
int shiftState(Qt::KeyboardModifiers modifiers);
int mouseButtons(Qt::MouseButtons buttons);

constexpr int Insert = 45;
constexpr int OemSemicolon = 186, OemPlus = 187, OemComma = 188, OemMinus = 189, OemPeriod = 190,
              OemSlash = 191, OemTilde = 192, OemOpenBracket = 219, OemBackslash = 220,
              OemCloseBracket = 221, OemQuote = 222;
constexpr int Shift = 1, Ctrl = 2, Alt = 4;
constexpr int LeftButton = 1, RightButton = 2, MiddleButton = 4;

}  // namespace KeyCodes
