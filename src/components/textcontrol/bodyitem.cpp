#include "bodyitem.h"

#include "fields.h"
#include "keycodes.h"
#include "objecthandles.h"
#include "textcontrol.h"
#include "undokinds.h"

#include <QGraphicsSceneMouseEvent>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QKeyEvent>
#include <QStyleOptionGraphicsItem>
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

    // The control decides what undo may reach (never the values it shows for a while).
    if (isBody() && (event == QKeySequence::Undo || event == QKeySequence::Redo)) {
        if (event == QKeySequence::Undo)
            m_control->undo();
        else
            m_control->redo();
        event->accept();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && event->modifiers() == Qt::ControlModifier) {
        m_control->insertPageBreak();
        event->accept();
        return;
    }
    if (removeLockedField(event))
        return;
    const bool typing = (!event->text().isEmpty() && event->text().at(0).isPrint()
                         && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        || event == QKeySequence::Paste;
    if (typing) {
        leaveLockedField(true);
        plainTypingFormat();
        if (event != QKeySequence::Paste)
            prepareOverwrite();
    }
    const int before = textCursor().position();
    QGraphicsTextItem::keyPressEvent(event);
    if (!textCursor().hasSelection())
        leaveLockedField(textCursor().position() >= before);
}

// The field that a position's character belongs to, when the user may not edit inside it.
int BodyItem::lockedFieldAt(int position) const
{
    if (position < 0 || position >= document()->characterCount() - 1)
        return 0;
    QTextCursor probe(document());
    probe.setPosition(position + 1);
    const QTextCharFormat format = probe.charFormat();
    const int id = format.property(Fields::IdProperty).toInt();
    return id > 0 && !Fields::isEditable(format) ? id : 0;
}

// Backspace and Delete next to a locked field remove the whole field.
bool BodyItem::removeLockedField(QKeyEvent* event)
{
    const QTextCursor cursor = textCursor();
    if (cursor.hasSelection())
        return false;
    int id = 0;
    if (event->key() == Qt::Key_Backspace)
        id = lockedFieldAt(cursor.position() - 1);
    else if (event->key() == Qt::Key_Delete)
        id = lockedFieldAt(cursor.position());
    if (id == 0)
        return false;
    const Fields::Span span = Fields::find(document(), id);
    QTextCursor remove(document());
    remove.setPosition(span.start);
    remove.setPosition(span.end, QTextCursor::KeepAnchor);
    m_control->undoKinds()->setPending(UndoKinds::Deletion);
    remove.removeSelectedText();
    setTextCursor(remove);
    event->accept();
    return true;
}

// A caret inside a locked field steps to its end (moving forwards) or its start.
void BodyItem::leaveLockedField(bool forwards)
{
    QTextCursor cursor = textCursor();
    const int position = cursor.position();
    const int id = lockedFieldAt(position - 1);
    if (id == 0 || id != lockedFieldAt(position))
        return;
    const Fields::Span span = Fields::find(document(), id);
    cursor.setPosition(forwards ? span.end : span.start);
    setTextCursor(cursor);
}

// Text typed next to a field is ordinary text, not part of the field.
void BodyItem::plainTypingFormat()
{
    QTextCursor cursor = textCursor();
    const QTextCharFormat format = cursor.charFormat();
    const int id = format.property(Fields::IdProperty).toInt();
    if (id == 0 || Fields::inside(document(), cursor.position()) == id)
        return;
    cursor.setCharFormat(Fields::withoutField(format));
    setTextCursor(cursor);
}

bool BodyItem::isBody() const { return document() == m_control->document(); }

void BodyItem::mouseMoveEvent(QGraphicsSceneMouseEvent* event)
{
    if (isBody() && m_control->objectHandles()->move(event->pos())) {
        scene()->update();
        event->accept();
        return;
    }
    QGraphicsTextItem::mouseMoveEvent(event);
}

void BodyItem::mouseReleaseEvent(QGraphicsSceneMouseEvent* event)
{
    if (isBody() && m_control->objectHandles()->release(event->pos())) {
        scene()->update();
        event->accept();
        return;
    }
    QGraphicsTextItem::mouseReleaseEvent(event);
    if (!textCursor().hasSelection())
        leaveLockedField(true);
}

void BodyItem::inputMethodEvent(QInputMethodEvent* event)
{
    if (!event->commitString().isEmpty()) {
        m_control->undoKinds()->setPending(UndoKinds::Input);
        leaveLockedField(true);
        plainTypingFormat();
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
    if (event->button() == Qt::LeftButton && isBody() && m_control->objectHandles()->press(event->pos())) {
        setFocus();
        scene()->update();
        event->accept();
        return;
    }
    QGraphicsTextItem::mousePressEvent(event);
}

// The text is drawn without the dashed frame Qt puts around a focused text item.
void BodyItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget)
{
    QStyleOptionGraphicsItem plain(*option);
    plain.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    QGraphicsTextItem::paint(painter, &plain, widget);
}

void BodyItem::contextMenuEvent(QGraphicsSceneContextMenuEvent* event)
{
    event->accept();  // the program shows its own menu on the mouse-button notification
}

void BodyItem::focusInEvent(QFocusEvent* event)
{
    QGraphicsTextItem::focusInEvent(event);
    m_control->notifyFocus(this);
}
