#pragma once
// The layout dialogs' commands: the dialog works on the active window's text control
// (ActiveTextControl), runs modally, is discarded, and the text control gets the focus back.
#include "layoutstate.h"

#include "components/commondialog/commondialog.h"
#include "components/textcontrol/textcontrol.h"
#include "hosts/documenthost.h"
#include "hosts/editorwindow.h"

namespace DialogCommand {

template <typename Dialog>
void run(QWidget* parent)
{
    EditorWindow* window = DocumentHost::current()->activeDocumentWindow();
    if (!window)
        return;
    LayoutState::ActiveTextControl = window->textControl();
    Dialog dialog(parent);
    CommonDialog::provider().exec(&dialog);
    window->textControl()->setFocus();
}

}  // namespace DialogCommand
