#pragma once
// The main window's arrange operation for its document windows.
class QMdiArea;

namespace WindowArrangement {

enum Mode { Cascade = 0, TileHorizontal = 1, TileVertical = 2, ArrangeIcons = 3 };

void arrange(QMdiArea* area, int mode);

}  // namespace WindowArrangement
