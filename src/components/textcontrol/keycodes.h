#pragma once
// Key codes and shift states as the control reports them in its key notification:
// the classic virtual-key numbers (Insert is 45) and 1 Shift + 2 Ctrl + 4 Alt.
#include <Qt>

namespace KeyCodes {

int virtualKey(int qtKey);
int shiftState(Qt::KeyboardModifiers modifiers);
int mouseButtons(Qt::MouseButtons buttons);

constexpr int Insert = 45;
constexpr int Shift = 1, Ctrl = 2, Alt = 4;
constexpr int LeftButton = 1, RightButton = 2, MiddleButton = 4;

}  // namespace KeyCodes
