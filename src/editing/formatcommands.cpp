#include "formatcommands.h"

#include "components/textcontrol/textcontrol.h"
#include "hosts/editorwindow.h"

#include <QAction>

namespace FormatCommands {
namespace {

// Only commands that are part of this build are switched on.
void enable(QAction* item, bool on)
{
    item->setEnabled(on && item->property("wired").toBool());
}

}  // namespace

void refreshFormatMenu(EditorWindow* window)
{
    TextControl* control = window->textControl();
    auto item = [window](const char* name) { return window->action(QLatin1String(name)); };
    enable(item("mnuFormat_Image"), control->objectCurrent() != 0);
    enable(item("mnuTDelRow"), control->tableCanDeleteLines());
    enable(item("mnuTInsRow"), control->tableCanInsertLines());
    enable(item("mnuFormat_Table"), control->tableCanChangeAttr());
    QAction* mailMerge = item("mnuFMailMerge");
    enable(mailMerge, window->caption().contains(QLatin1String("Untitled:")));
    if (mailMerge->isEnabled())
        enable(item("mnuFDelField"), control->fieldNext(0) != 0);
}

}  // namespace FormatCommands
