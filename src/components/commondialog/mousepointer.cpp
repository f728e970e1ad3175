#include "mousepointer.h"

#include <QApplication>
#include <QCursor>

namespace MousePointer {

void set(Pointer pointer)
{
    if (pointer == Hourglass) {
        if (QApplication::overrideCursor())
            QApplication::changeOverrideCursor(Qt::WaitCursor);
        else
            QApplication::setOverrideCursor(Qt::WaitCursor);
        return;
    }
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

Pointer current()
{
    const QCursor* cursor = QApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::WaitCursor ? Hourglass : Default;
}

}  // namespace MousePointer
