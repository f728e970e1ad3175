#include "mergetonew.h"

#include "components/commondialog/commondialog.h"
#include "components/commondialog/mousepointer.h"
#include "components/recordsource/recordsource.h"
#include "components/textcontrol/textcontrol.h"
#include "hosts/documenthost.h"
#include "hosts/editorwindow.h"
#include "mergedialog.h"
#include "mergefields.h"
#include "mergestate.h"
#include "settings/apppaths.h"
#include "texts/mergetexts.h"
#include "texts/programtexts.h"
#include "windowmerge.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProgressDialog>
#include <QTemporaryFile>

namespace MergeToNew {
namespace {

// Restores the statement the window had and shows its first record's number.
void restoreSource(WindowMerge* merge, const QString& statement)
{
    merge->Adodc1().setSourceStatement(statement);
    merge->Adodc1().Requery();
    merge->setRecordLabel(merge->recordset().RecordCount() >= 1 ? 1 : 0);
}

// A progress window with Cancel that appears only when a merge takes a while. Until then,
// and between its steps, the program's windows keep painting: the work hands the event loop
// a turn every few hundredths of a second (without the user's input until the window shows,
// after which its modality keeps the input to its Cancel button).
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
        if (!m_turn.isValid() || m_turn.elapsed() >= 40) {
            QCoreApplication::processEvents(m_dialog.isVisible() ? QEventLoop::AllEvents
                                                                 : QEventLoop::ExcludeUserInputEvents);
            m_turn.start();
        }
        return !m_dialog.wasCanceled();
    }

private:
    QProgressDialog m_dialog;
    QElapsedTimer m_turn;
};

// The letters are filled in a copy of the window's document: the window keeps showing its
// fields, and nothing of the merge reaches its undo history or its modified state.
bool copyDocument(TextControl* from, TextControl* to)
{
    QTemporaryFile copy(AppPaths::join(AppPaths::TempPath(), QStringLiteral("~MMergeCopy-XXXXXX.tx")));
    if (!copy.open())
        return false;
    copy.close();
    to->setViewImagePath(from->viewImagePath());
    if (!from->save(copy.fileName(), 0, TextControl::FormatNative)
        || !to->load(copy.fileName(), 0, TextControl::FormatNative))
        return false;
    to->document()->setDefaultFont(from->document()->defaultFont());
    return true;
}

}  // namespace

QString resultPath() { return AppPaths::join(AppPaths::TempPath(), QStringLiteral("~MMerge.rtf")); }

bool writeLetters(TextControl* control, Recordset& records, QIODevice* out, const Progress& progress)
{
    const int total = records.RecordCount();
    MergeFields::RecordFiller filler(control, records);
    for (int done = 1; !records.atEOF(); ++done) {
        filler.fill(records);
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

void mergeToNewDocument(EditorWindow* window, WindowMerge* merge, TextControl* control)
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
    TextControl letter;
    const QString path = resultPath();
    QFile::remove(path);
    QFile out(path);
    bool written = copyDocument(control, &letter) && out.open(QIODevice::WriteOnly);
    if (written) {
        MergeProgress progress(window->widget());
        letter.beginBatch();  // nothing shows the copy: it need not be laid out for each record
        written = writeLetters(&letter, source.recordset(), &out,
                               [&progress](int done, int total) { return progress.step(done, total); });
        letter.endBatch();
        out.close();
    }
    restoreSource(merge, statement);
    if (written)
        if (DocumentHost* host = DocumentHost::current())
            host->openDocument(path);
    // The letters are in the new window, or the merge was cancelled: their file is not needed.
    QFile::remove(path);
    MousePointer::set(MousePointer::Default);
}

}  // namespace MergeToNew
