#include "editcommands.h"

#include "components/textcontrol/textcontrol.h"
#include "hosts/documenthost.h"
#include "hosts/editorwindow.h"
#include "texts/programtexts.h"

#include <QAction>

namespace EditCommands {
namespace {

TextControl* activeControl()
{
    DocumentHost* host = DocumentHost::current();
    EditorWindow* window = host ? host->activeDocumentWindow() : nullptr;
    return window ? window->textControl() : nullptr;
}

void clip(int operation)
{
    if (TextControl* control = activeControl())
        control->clip(operation);
}

}  // namespace

void EditCut() { clip(TextControl::ClipCut); }
void EditCopy() { clip(TextControl::ClipCopy); }
void EditPaste() { clip(TextControl::ClipPaste); }  // nothing without an active window
void EditDelete() { clip(TextControl::ClipDelete); }

void EditFindReplace(int mode)
{
    if (TextControl* control = activeControl())
        control->findReplace(mode);
}

void SelectAllText()
{
    TextControl* control = activeControl();
    if (!control)
        return;
    const int pointer = control->mousePointer();
    control->setMousePointer(TextControl::PointerHourglass);
    control->setSelStart(0);
    control->setSelLength(-1);
    control->setMousePointer(pointer);
}

void refreshUndoRedo(EditorWindow* window)
{
    TextControl* control = window->textControl();
    const int undo = control->undoKind();
    const int redo = control->redoKind();
    QAction* undoItem = window->action(QStringLiteral("mnuUndo"));
    QAction* redoItem = window->action(QStringLiteral("mnuRedo"));
    undoItem->setText(Texts::undoCaption(undo));
    redoItem->setText(Texts::redoCaption(redo));
    undoItem->setEnabled(undo != 0);
    redoItem->setEnabled(redo != 0);
}

}  // namespace EditCommands
