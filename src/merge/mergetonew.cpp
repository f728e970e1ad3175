#include "mergetonew.h"

#include "components/commondialog/commondialog.h"
#include "components/commondialog/mousepointer.h"
#include "components/recordsource/recordsource.h"
#include "components/textcontrol/textcontrol.h"
#include "documents/documenttable.h"
#include "documents/documentwindow.h"
#include "documents/opendocument.h"
#include "mergedialog.h"
#include "mergefields.h"
#include "mergestate.h"
#include "settings/apppaths.h"
#include "texts/mergetexts.h"
#include "texts/programtexts.h"
#include "windowmerge.h"

#include <QFile>
#include <QProgressDialog>

namespace MergeToNew {
namespace {

// Restores the statement the window had and shows its first record's number.
void restoreSource(WindowMerge* merge, const QString& statement)
{
    merge->Adodc1().setSourceStatement(statement);
    merge->Adodc1().Requery();
    merge->setRecordLabel(merge->recordset().RecordCount() >= 1 ? 1 : 0);
}

// A progress window with Cancel that appears only when a merge takes a while.
class MergeProgress {
public:
    explicit MergeProgress(QWidget* parent) : m_dialog(Texts::MergingRecords, Texts::Cancel, 0, 100, parent)
    {
        m_dialog.setObjectName(QStringLiteral("MergeProgress"));
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setMinimumDuration(700);
        m_dialog.setAutoReset(false);
    }
    bool step(int done, int total)
    {
        const int percent = total > 0 ? int(qint64(done) * 100 / total) : 100;
        if (percent != m_dialog.value()) {
            m_dialog.setLabelText(Texts::mergingRecord(done, total));
            m_dialog.setValue(percent);  // also lets the Cancel button be pressed
        }
        return !m_dialog.wasCanceled();
    }

private:
    QProgressDialog m_dialog;
};

}  // namespace

QString resultPath() { return AppPaths::join(AppPaths::TempPath(), QStringLiteral("~MMerge.rtf")); }

bool writeLetters(TextControl* control, Recordset& records, QIODevice* out, const Progress& progress)
{
    const int total = records.RecordCount();
    for (int done = 1; !records.atEOF(); ++done) {
        MergeFields::mmerge(control, records);
        control->setSelStart(0);
        control->setSelLength(-1);
        if (out->write(control->selectionRTF()) < 0 || out->write("\\par \\page \r\n") < 0)
            return false;
        records.MoveNext();
        if (progress && !progress(done, total))
            return false;
    }
    return true;
}

void mergeToNewDocument(DocumentWindow* window, WindowMerge* merge, TextControl* control)
{
    MergeState::mergesql.clear();
    const QString statement = merge->Adodc1().SourceStatement();
    {
        MergeDialog dialog(window);
        CommonDialog::provider().exec(&dialog);
    }
    if (MergeState::mergesql.isEmpty()) {
        control->setFocus();
        return;
    }
    RecordSource& source = merge->Adodc1();
    if (statement != MergeState::mergesql)
        source.setSourceStatement(MergeState::mergesql);
    source.Requery();
    if (source.recordset().RecordCount() == 0) {
        restoreSource(merge, statement);  // the window keeps a usable record source
        control->setFocus();
        return;
    }
    MousePointer::set(MousePointer::Hourglass);
    // Filling the fields for each record is no edit of the letter: the window keeps its state.
    DocumentState* state = DocumentTable::shared().stateForTag(window->tag());
    const DocumentState before = state ? *state : DocumentState();
    const QString path = resultPath();
    QFile::remove(path);
    QFile out(path);
    bool written = out.open(QIODevice::WriteOnly);
    control->setVisible(false);
    control->beginBatch();
    if (written) {
        MergeProgress progress(window);
        written = writeLetters(control, source.recordset(), &out,
                               [&progress](int done, int total) { return progress.step(done, total); });
        out.close();
    }
    restoreSource(merge, statement);
    control->setSelStart(0);
    control->setSelLength(0);
    merge->resetflds();
    control->endBatch();
    if (state) {
        state->Dirty = before.Dirty;
        state->IgnoreNextChange = before.IgnoreNextChange;
    }
    control->setVisible(true);
    if (written)
        OpenDocuments::OpenDocument(path);
    else
        QFile::remove(path);  // a cancelled merge leaves nothing behind
    MousePointer::set(MousePointer::Default);
}

}  // namespace MergeToNew
