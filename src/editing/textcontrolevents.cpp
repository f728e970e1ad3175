#include "textcontrolevents.h"

#include "components/textcontrol/view/keycodes.h"
#include "components/textcontrol/textcontrol.h"
#include "hosts/editorwindow.h"
#include "editcommands.h"
#include "spellcommands.h"

#include <QMenu>

namespace TextControlEvents {

void onKey(EditorWindow* window, int keyCode, int shift)
{
    if (keyCode == KeyCodes::Insert && shift == 0) {
        TextControl* control = window->textControl();
        control->setInsertionMode(!control->insertionMode());
    }
}

void onMouseDown(EditorWindow* window, int buttons, int, int x, int y)
{
    if (!(buttons & KeyCodes::RightButton))
        return;
    QMenu* edit = window->menu(QStringLiteral("mnuEdit"));
    const QPoint at(x, y);
    auto* spelling = new QMenu(window->widget());
    if (SpellCommands::addSuggestions(window, spelling, at)) {
        // The word's suggestions above the Edit items.
        EditCommands::refreshUndoRedo(window);
        spelling->addActions(edit->actions());
        spelling->setAttribute(Qt::WA_DeleteOnClose);
        spelling->popup(window->textControl()->mapToGlobal(at));
        return;
    }
    delete spelling;
    // Opening the pop-up runs the menu's own refresh, as opening it from the menu bar does.
    edit->popup(window->textControl()->mapToGlobal(at));
}

}  // namespace TextControlEvents
