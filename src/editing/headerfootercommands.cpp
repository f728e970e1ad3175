#include "headerfootercommands.h"

#include "components/textcontrol/textcontrol.h"
#include "documents/documentwindow.h"

#include <QAction>

namespace HeaderFooterCommands {
namespace {

QAction* item(DocumentWindow* window, const char* name) { return window->action(QLatin1String(name)); }

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

void toggleHeader(DocumentWindow* window)
{
    TextControl* control = window->textControl();
    QAction* header = item(window, "mnuIHeader");
    if (!header->isChecked()) {
        addPart(control, HeaderBit);
        header->setChecked(true);
    } else {
        control->setHeaderFooter(control->headerFooter() - HeaderBit);
        header->setChecked(false);
    }
}

void toggleFooter(DocumentWindow* window)
{
    TextControl* control = window->textControl();
    QAction* footer = item(window, "mnuIFooter");
    if (!footer->isChecked()) {
        addPart(control, FooterBit);
        footer->setChecked(true);
    } else {
        control->setHeaderFooter(control->headerFooter() - FooterBit);
        footer->setChecked(false);
        item(window, "mnuIPageNo")->setChecked(false);
    }
}

void togglePageNumbers(DocumentWindow* window)
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

void refreshInsertMenu(DocumentWindow* window)
{
    QAction* table = item(window, "mnuInsert_Table");
    if (table->property("wired").toBool())  // the table dialog is part of this build
        table->setEnabled(window->textControl()->tableCanInsert());
}

}  // namespace HeaderFooterCommands
