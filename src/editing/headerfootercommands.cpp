#include "headerfootercommands.h"

#include "components/textcontrol/textcontrol.h"
#include "hosts/editorwindow.h"

#include <QAction>

namespace HeaderFooterCommands {
namespace {

QAction* item(EditorWindow* window, const char* name) { return window->action(QLatin1String(name)); }

// Switches a part on with nothing in it, the caret back in the body.
void addPart(TextControl* control, int bit)
{
    control->setHeaderFooter(control->headerFooter() + bit);
    control->headerFooterSelect(bit);
    control->setSelText(QString());
    control->headerFooterSelect(0);
    control->showPart(bit);
}

}  // namespace

// Header and Footer: on with an empty part, or off.
static void togglePart(EditorWindow* window, int bit, QAction* mark)
{
    TextControl* control = window->textControl();
    if (!mark->isChecked()) {
        addPart(control, bit);
        mark->setChecked(true);
    } else {
        control->setHeaderFooter(control->headerFooter() - bit);
        mark->setChecked(false);
    }
}

void toggleHeader(EditorWindow* window) { togglePart(window, HeaderBit, item(window, "mnuIHeader")); }

void toggleFooter(EditorWindow* window)
{
    togglePart(window, FooterBit, item(window, "mnuIFooter"));
    if (!item(window, "mnuIFooter")->isChecked())
        item(window, "mnuIPageNo")->setChecked(false);  // the page number went with the footer
}

void togglePageNumbers(EditorWindow* window)
{
    TextControl* control = window->textControl();
    QAction* footer = item(window, "mnuIFooter");
    QAction* numbers = item(window, "mnuIPageNo");
    if (!numbers->isChecked()) {
        if (!footer->isChecked())
            control->setHeaderFooter(control->headerFooter() + FooterBit);
        control->headerFooterSelect(FooterBit);
        control->fieldInsert(QString());
        control->setFieldType(control->fieldCurrent(), PageNumberType);
        control->headerFooterSelect(0);
        control->showPart(FooterBit);
        footer->setChecked(true);
        numbers->setChecked(true);
    } else {
        control->setHeaderFooter(control->headerFooter() - FooterBit);
        footer->setChecked(false);
        numbers->setChecked(false);
    }
}

void refreshInsertMenu(EditorWindow* window)
{
    QAction* table = item(window, "mnuInsert_Table");
    if (table->property("wired").toBool())  // the table dialog is part of this build
        table->setEnabled(window->textControl()->tableCanInsert());
}

}  // namespace HeaderFooterCommands
