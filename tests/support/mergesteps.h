#pragma once
// The steps of a mail merge as a user takes them, through the windows and their dialogs.
#include "components/panels/latchbutton.h"
#include "components/textcontrol/textcontrol.h"
#include "documents/documentwindow.h"
#include "merge/windowmerge.h"
#include "support/scripteddialogs.h"
#include "support/testworkspace.h"

#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace MergeSteps {

// Mail Merge, choosing an entry of the data source dialog (-1 cancels).
inline void chooseTable(ScriptedDialogs& dialogs, WindowMerge* merge, int entry)
{
    dialogs.dialogScripts << [entry](QDialog* d) {
        if (entry < 0) {
            d->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
            return int(QDialog::Rejected);
        }
        d->findChild<QListWidget*>(QStringLiteral("List1"))->setCurrentRow(entry);
        d->findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
        return int(QDialog::Accepted);
    };
    merge->mailMergeCommand();
}

// A new window on the patients with a letter "Dear [last_name] [middle_init] of [city]".
inline WindowMerge* patientLetter(TestWorkspace& ws, ScriptedDialogs& dialogs)
{
    ws.start();
    WindowMerge* merge = ws.active()->merge();
    chooseTable(dialogs, merge, 0);
    TextControl* control = ws.active()->textControl();
    control->setSelText(QStringLiteral("Dear "));
    merge->insertField(1);  // last_name
    control->setSelText(QStringLiteral(" "));
    merge->insertField(3);  // middle_init
    control->setSelText(QStringLiteral(" of "));
    merge->insertField(5);  // city
    return merge;
}

// Merge to New Document of all records, from the merge tool bar.
inline void mergeAllToNewDocument(ScriptedDialogs& dialogs, WindowMerge* merge)
{
    dialogs.dialogScripts << [](QDialog* d) {
        d->findChild<QRadioButton*>(QStringLiteral("optrec_0"))->click();  // all records
        d->findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
        return d->result();
    };
    merge->toolbar().cmdshow->click();
}

}  // namespace MergeSteps
