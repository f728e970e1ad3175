#include "colorcommands.h"

#include "components/commondialog/commondialog.h"
#include "components/textcontrol/textcontrol.h"
#include "hosts/documenthost.h"
#include "hosts/editorwindow.h"

namespace ColorCommands {

void ChooseTextColor(int mode)
{
    DocumentHost* host = DocumentHost::current();
    EditorWindow* window = host ? host->activeDocumentWindow() : nullptr;
    if (!window)
        return;
    TextControl* control = window->textControl();
    const int current = mode == 1 ? control->foreColor() : control->textBkColor();
    const QColor initial = TextControl::fromBgr(current == -1 ? 0 : current);
    const std::optional<QColor> chosen = CommonDialog::provider().chooseColor(host->hostWidget(), initial);
    if (!chosen)
        return;  // cancelled
    const int value = TextControl::toBgr(*chosen);
    if (current != -1 && value == current)
        return;  // the colour the selection has already
    if (mode == 1)
        control->setForeColor(value);
    else
        control->setTextBkColor(value);
}

}  // namespace ColorCommands
