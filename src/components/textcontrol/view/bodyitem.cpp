#include "bodyitem.h"

#include "components/textcontrol/document/fields.h"
#include "formatkeys.h"
#include "keycodes.h"
#include "components/textcontrol/document/listediting.h"
#include "components/textcontrol/document/objects.h"
#include "objecthandles.h"
#include "viewhost.h"
#include "components/textcontrol/document/undokinds.h"

#include <QGraphicsSceneMouseEvent>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextLayout>
#include <QAbstractTextDocumentLayout>
#include <QStyleOptionGraphicsItem>
#include <QTextCursor>
#include <QTextFrame>
#include <QTextTable>

BodyItem::BodyItem(ViewHost* control) : m_control(control)
{
    setTextInteractionFlags(Qt::TextEditorInteraction);
    setFlag(QGraphicsItem::ItemIsFocusable);
}

// Tab is part of the text here (a tab, or the way to the next table cell), not a step along the
// focus chain, which the item's base would take it for before any key handler saw it.
bool BodyItem::sceneEvent(QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QGraphicsTextItem::sceneEvent(event);
}

// A picture placed beside the text is selected once it is inserted; what the user then types,
// a new paragraph or a paste goes on at the end of the paragraph the picture stands beside,
// where the user was writing, and never takes the picture's place.
void BodyItem::typeBesidePlacedPicture(QKeyEvent* event)
{
    const QString text = event->text();
    const bool replacesSelection = event == QKeySequence::Paste
        || (!text.isEmpty() && (text.at(0).isPrint() || text.at(0) == u'\r' || text.at(0) == u'\t'));
    if (!replacesSelection)
        return;
    QTextCursor cursor = textCursor();
    const int image = Objects::selectedImage(cursor);
    const QTextFrame* frame = image < 0 ? nullptr : Objects::placedFrame(cursor.document(), image);
    if (!frame)
        return;
    cursor.setPosition(frame->lastPosition() + 1);
    cursor.movePosition(QTextCursor::EndOfBlock);
    m_control->setTextCursor(cursor);
}

void BodyItem::keyPressEvent(QKeyEvent* event)
{
    m_control->notifyKey(KeyCodes::virtualKey(event->key()),
                         KeyCodes::shiftState(event->modifiers()));
    typeBesidePlacedPicture(event);
    UndoKinds* kinds = m_control->undoKinds();
    if (event == QKeySequence::Cut || event->key() == Qt::Key_Backspace
        || event->key() == Qt::Key_Delete)
        kinds->setPending(UndoKinds::Deletion);
    else if (event == QKeySequence::Paste || !event->text().isEmpty())
        kinds->setPending(UndoKinds::Input);

    // The control decides what undo may reach (never the values it shows for a while). Ctrl+Y
    // redoes too, as on the practice's other programs.
    const bool redo = event == QKeySequence::Redo
        || (event->key() == Qt::Key_Y && event->modifiers() == Qt::ControlModifier);
    if (isBody() && (event == QKeySequence::Undo || redo)) {
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
    if (FormatKeys::apply(event, m_control)) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape && !isBody()) {
        m_control->headerFooterSelect(0);  // back to the body
        event->accept();
        return;
    }
    if (listKey(event) || tableKey(event) || pageKey(event) || removeLockedField(event))
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
    // The keys do what Edit > Cut, Copy and Paste do: within the program a copy keeps
    // everything, lists and fields included, which the item's own clipboard would not.
    if (event == QKeySequence::Cut || event == QKeySequence::Copy || event == QKeySequence::Paste) {
        m_control->clip(event == QKeySequence::Cut    ? ViewHost::ClipCut
                        : event == QKeySequence::Copy ? ViewHost::ClipCopy
                                                      : ViewHost::ClipPaste);
        event->accept();
        return;
    }
    const int before = textCursor().position();
    const bool newParagraph = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier;
    const QTextCharFormat letters = textCursor().charFormat();
    QGraphicsTextItem::keyPressEvent(event);
    if (newParagraph)
        continueParagraph(letters);
    // At the start of the document the view shows the first page from its top edge, its
    // header included, as it does when the document opens; the item's editor would only
    // bring the first line into view.
    if (isBody() && (event == QKeySequence::MoveToStartOfDocument || event == QKeySequence::SelectStartOfDocument))
        if (QGraphicsView* shown = view())
            shown->verticalScrollBar()->setValue(shown->verticalScrollBar()->minimum());
    if (!textCursor().hasSelection())
        leaveLockedField(textCursor().position() >= before);
}

// After Enter the new paragraph goes on with the letters the caret had (Qt's editor forgets
// them in an empty paragraph), and a page break stays with the first of the two paragraphs:
// the second goes on on the same page.
void BodyItem::continueParagraph(const QTextCharFormat& typing)
{
    QTextCursor cursor = textCursor();
    const QTextBlock previous = cursor.block().previous();
    if (cursor.hasSelection() || !previous.isValid())
        return;
    QTextBlockFormat format = cursor.blockFormat();
    if ((format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        && (previous.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)) {
        format.setPageBreakPolicy(QTextFormat::PageBreak_Auto);
        cursor.joinPreviousEditBlock();
        cursor.setBlockFormat(format);
        cursor.endEditBlock();
    }
    if (cursor.block().length() == 1 && !typing.properties().isEmpty())
        cursor.setCharFormat(Fields::withoutField(typing));
    setTextCursor(cursor);
}

// At the start of a list item Tab and Shift+Tab move it a level down or up, Backspace takes its
// bullet or number away (the text stays), and Enter in an empty item ends the list.
bool BodyItem::listKey(QKeyEvent* event)
{
    QTextCursor cursor = textCursor();
    if (!cursor.block().textList() || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    const bool atStart = !cursor.hasSelection() && cursor.position() == cursor.block().position();
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    const bool enter = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && !(event->modifiers() & Qt::ShiftModifier);
    const bool backspace = event->key() == Qt::Key_Backspace;
    const bool spansItems = cursor.hasSelection()
        && document()->findBlock(cursor.selectionStart()) != document()->findBlock(cursor.selectionEnd());
    if (tab && (atStart || spansItems)) {
        m_control->undoKinds()->setPending(UndoKinds::Formatting);
        const bool up = event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
        ListEditing::changeLevel(cursor, up ? -1 : 1);
    } else if ((enter && cursor.block().text().isEmpty() && !cursor.hasSelection()) || (backspace && atStart)) {
        m_control->undoKinds()->setPending(UndoKinds::Formatting);
        ListEditing::remove(cursor);
    } else {
        return false;
    }
    event->accept();
    return true;
}

QGraphicsView* BodyItem::view() const
{
    return scene() && !scene()->views().isEmpty() ? scene()->views().constFirst() : nullptr;
}

// Page Down and Page Up move the caret a screen down or up, where the view then shows it at the
// same height; with Shift they extend the selection. The item's own editor leaves these keys to
// the view, which scrolled and left the caret behind.
bool BodyItem::pageKey(QKeyEvent* event)
{
    const bool down = event == QKeySequence::MoveToNextPage || event == QKeySequence::SelectNextPage;
    const bool up = event == QKeySequence::MoveToPreviousPage || event == QKeySequence::SelectPreviousPage;
    QGraphicsView* view = this->view();
    if ((!down && !up) || !isBody() || !view)
        return false;
    event->accept();
    QTextCursor cursor = textCursor();
    const QTextBlock block = cursor.block();
    const QTextLine line = block.layout() ? block.layout()->lineForTextPosition(cursor.positionInBlock()) : QTextLine();
    if (!line.isValid())
        return true;
    const double step = view->mapToScene(view->viewport()->rect()).boundingRect().height();
    const QPointF caret = block.layout()->position()
        + QPointF(line.cursorToX(cursor.positionInBlock()), line.y() + line.height() / 2);
    const QPointF target = caret + QPointF(0, down ? step : -step);
    int position = document()->documentLayout()->hitTest(target, Qt::FuzzyHit);
    if (position < 0 || (up && target.y() < 0))
        position = up ? 0 : document()->characterCount() - 1;
    const bool select = event == QKeySequence::SelectNextPage || event == QKeySequence::SelectPreviousPage;
    const QTextCursor::MoveMode mode = select ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor;
    cursor.setPosition(position, mode);
    // A point between pages finds the line after the gap; the line before it is meant, so that
    // Page Up undoes Page Down.
    const QTextBlock found = cursor.block();
    const QTextLine hit = found.layout()->lineForTextPosition(cursor.positionInBlock());
    if (hit.isValid() && found.layout()->position().y() + hit.y() > target.y() + 1)
        cursor.movePosition(QTextCursor::Up, mode);
    setTextCursor(cursor);
    view->verticalScrollBar()->triggerAction(down ? QAbstractSlider::SliderPageStepAdd : QAbstractSlider::SliderPageStepSub);
    const QTextBlock now = cursor.block();
    const QTextLine landed = now.layout()->lineForTextPosition(cursor.positionInBlock());
    if (landed.isValid())
        ensureVisible(QRectF(now.layout()->position() + landed.position(), QSizeF(1, landed.height())), 0, 0);
    return true;
}

// In a table Tab goes to the next cell, past the last cell into a new row, Shift+Tab to the
// previous cell, and Ctrl+Tab types the tab that Tab types elsewhere.
bool BodyItem::tableKey(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Tab && event->key() != Qt::Key_Backtab)
        return false;
    QTextCursor cursor = textCursor();
    QTextTable* table = cursor.currentTable();
    if (!table)
        return false;
    event->accept();
    if (event->modifiers() & Qt::ControlModifier) {
        if (event->key() == Qt::Key_Backtab)
            return true;
        m_control->undoKinds()->setPending(UndoKinds::Input);
        prepareOverwrite();
        cursor = textCursor();
        cursor.insertText(QStringLiteral("\t"));
        setTextCursor(cursor);
        return true;
    }
    const bool back = event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
    const QTextTableCell here = table->cellAt(back ? cursor.selectionStart() : cursor.selectionEnd());
    // Cells in reading order; a merged cell counts once, where it starts.
    int row = here.row(), column = here.column();
    for (;;) {
        if (back) {
            if (--column < 0) {
                column = table->columns() - 1;
                if (--row < 0)
                    return true;  // already in the first cell
            }
        } else if (++column >= table->columns()) {
            column = 0;
            if (++row >= table->rows()) {
                m_control->undoKinds()->setPending(UndoKinds::Input);
                table->appendRows(1);
            }
        }
        const QTextTableCell cell = table->cellAt(row, column);
        if (cell.row() == row && cell.column() == column && cell != here)
            break;
    }
    setTextCursor(table->cellAt(row, column).firstCursorPosition());
    if (isBody())
        ensureVisible(document()->documentLayout()->blockBoundingRect(textCursor().block()), 0, 0);
    return true;
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
    const QPoint at = m_control->widget()->mapFromGlobal(event->screenPos());
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
