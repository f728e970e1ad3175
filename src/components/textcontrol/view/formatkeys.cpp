#include "formatkeys.h"

#include "viewhost.h"

#include <QKeyEvent>
#include <QTextCursor>

namespace FormatKeys {

bool apply(const QKeyEvent* event, ViewHost* control)
{
    if (event->modifiers() != Qt::ControlModifier)
        return false;
    const QFont shown = control->textCursor().charFormat().font();
    QTextCharFormat format;
    switch (event->key()) {
    case Qt::Key_B: format.setFontWeight(shown.bold() ? QFont::Normal : QFont::Bold); break;
    case Qt::Key_I: format.setFontItalic(!shown.italic()); break;
    case Qt::Key_U: format.setFontUnderline(!shown.underline()); break;
    case Qt::Key_L: control->setAlignment(Qt::AlignLeft); return true;
    case Qt::Key_E: control->setAlignment(Qt::AlignHCenter); return true;
    case Qt::Key_R: control->setAlignment(Qt::AlignRight); return true;
    case Qt::Key_J: control->setAlignment(Qt::AlignJustify); return true;
    default: return false;
    }
    control->mergeCharFormat(format);
    return true;
}

}  // namespace FormatKeys
