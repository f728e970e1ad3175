#include "bodyitem.h"

#include "keycodes.h"
#include "textcontrol.h"
#include "undokinds.h"

#include <QGraphicsSceneMouseEvent>
#include <QGraphicsView>
#include <QKeyEvent>
#include <QTextCursor>

BodyItem::BodyItem(TextControl* control) : m_control(control)
{
    setTextInteractionFlags(Qt::TextEditorInteraction);
    setFlag(QGraphicsItem::ItemIsFocusable);
}

void BodyItem::keyPressEvent(QKeyEvent* event)
{
    m_control->notifyKey(KeyCodes::virtualKey(event->key()),
                         KeyCodes::shiftState(event->modifiers()));
    UndoKinds* kinds = m_control->undoKinds();
    if (event == QKeySequence::Cut || event->key() == Qt::Key_Backspace
        || event->key() == Qt::Key_Delete)
        kinds->setPending(UndoKinds::Deletion);
    else if (event == QKeySequence::Paste || !event->text().isEmpty())
        kinds->setPending(UndoKinds::Input);

    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && event->modifiers() == Qt::ControlModifier) {
        m_control->insertPageBreak();
        event->accept();
        return;
    }
    if (!event->text().isEmpty() && event->text().at(0).isPrint()
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        prepareOverwrite();
    QGraphicsTextItem::keyPressEvent(event);
}

void BodyItem::inputMethodEvent(QInputMethodEvent* event)
{
    if (!event->commitString().isEmpty()) {
        m_control->undoKinds()->setPending(UndoKinds::Input);
        prepareOverwrite();
    }
    QGraphicsTextItem::inputMethodEvent(event);
}

// In overwrite mode a typed character replaces the one after the caret, never a paragraph end.
void BodyItem::prepareOverwrite()
{
    if (m_control->insertionMode())
        return;
    QTextCursor cursor = textCursor();
    if (cursor.hasSelection() || cursor.atBlockEnd())
        return;
    cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void BodyItem::mousePressEvent(QGraphicsSceneMouseEvent* event)
{
    const QPoint at = m_control->mapFromGlobal(event->screenPos());
    m_control->notifyMouse(KeyCodes::mouseButtons(event->buttons() | event->button()),
                           KeyCodes::shiftState(event->modifiers()), at);
    if (event->button() == Qt::RightButton) {
        event->accept();  // the selection stays for the pop-up menu's commands
        return;
    }
    QGraphicsTextItem::mousePressEvent(event);
}

void BodyItem::contextMenuEvent(QGraphicsSceneContextMenuEvent* event)
{
    event->accept();  // the program shows its own menu on the mouse-button notification
}

void BodyItem::focusInEvent(QFocusEvent* event)
{
    QGraphicsTextItem::focusInEvent(event);
    m_control->notifyFocus();
}
