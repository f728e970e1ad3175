#include "spellcommands.h"

#include "components/speller/speller.h"
#include "components/textcontrol/textcontrol.h"
#include "documents/documenthost.h"
#include "documents/documentwindow.h"

namespace SpellCommands {

void SpellCheck(DocumentWindow* window)
{
    Speller* speller = window->host()->speller();
    TextControl* control = window->textControl();
    speller->setProperty(26, QVariant::fromValue(control));
    speller->setProperty(4, 1);
    control->setFocus();
}

}  // namespace SpellCommands
