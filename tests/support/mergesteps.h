#pragma once
// The steps of a mail merge as a user takes them, through the windows and their dialogs.
#include "components/panels/latchbutton.h"
#include "merge/windowmerge.h"
#include "support/scripteddialogs.h"

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
