#pragma once
// The screen's mouse pointer as the program sets it: the hourglass while it works, the
// default otherwise. Unlike paired override cursors, setting the default ends every hourglass.
namespace MousePointer {

enum Pointer { Default = 0, Hourglass = 11 };

void set(Pointer pointer);
Pointer current();

}  // namespace MousePointer
