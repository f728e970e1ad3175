#include "savedocument.h"

#include "autorecover.h"
#include "components/commondialog/commondialog.h"
#include "components/panels/panel.h"
#include "components/textcontrol/textcontrol.h"
#include "hosts/documenthost.h"
#include "documenttable.h"
#include "documentwindow.h"
#include "extensiontable.h"
#include "filemessages.h"
#include "filepaths.h"
#include "fileproblems.h"
#include "formatlosses.h"
#include "layout/pdfexport.h"
#include "merge/windowmerge.h"
#include "pageheaderfile.h"
#include "settings/apppaths.h"
#include "settings/recentfiles.h"
#include "texts/filetexts.h"
#include "texts/programtexts.h"
#include "texts/sharingtexts.h"

#include <QApplication>

namespace SaveDocuments {
namespace {

constexpr int PageHeaderFormat = PageHeaderFile::Format;

void setPageAttributes(TextControl* control)
{
    const int values[6] = {control->pageWidth(),   control->pageHeight(),
                           control->pageMarginL(), control->pageMarginT(),
                           control->pageMarginR(), control->pageMarginB()};
    for (int i = 0; i < 6; ++i)
        control->setLoadSaveAttribute(i, values[i]);
}

}  // namespace

int formatForPath(const QString& path)
{
    // Unlike opening, a name the table does not know is written as a page-header file.
    return ExtensionTable::formatFor(path,
                                     {{"RTF", TextControl::FormatRtf},
                                      {"HTM", TextControl::FormatHtml},
                                      {"HTML", TextControl::FormatHtml},
                                      {"TXT", TextControl::FormatText},
                                      {"DOC", TextControl::FormatWord},
                                      {"TX", TextControl::FormatNative},
                                      {"DOCX", TextControl::FormatDocx}},
                                     PageHeaderFormat);
}

namespace {

// A name typed with no extension of its own ("Letter to Dr. Lee", whose " Lee" is no extension)
// gets the one of the file type the dialog showed. Left alone it would be written as a
// page-header file, which Open does not list and reads back as plain text.
QString withTypeExtension(const QString& path, int filterIndex, const QString& defaultExtension)
{
    if (CommonDialog::hasOwnExtension(path))
        return path;
    QString chosen = CommonDialog::typeExtension(Texts::SaveFilter, filterIndex);
    if (chosen.isEmpty())
        chosen = defaultExtension;
    return chosen.isEmpty() ? path : path + QLatin1Char('.') + chosen;
}

// Asks once before a save in a format that would drop parts of the document; true to save.
bool acceptsFormatLoss(DocumentWindow* window, const QString& path)
{
    const int format = formatForPath(path);
    const QStringList lost = FormatLosses::lostBy(window->textControl(), format);
    if (lost.isEmpty() || FilePaths::samePath(window->formatLossAccepted(), path))
        return true;
    const CommonDialog::Answer answer = CommonDialog::provider().message(
        DocumentHost::current()->hostWidget(), Texts::FormatLossTitle,
        Texts::formatLoss(FormatLosses::formatName(format), lost), CommonDialog::Buttons::YesNo,
        CommonDialog::Icon::Exclamation);
    if (answer != CommonDialog::Answer::Yes)
        return false;
    window->setFormatLossAccepted(path);
    return true;
}

}  // namespace

QString AskSaveFileName(DocumentWindow* window, const QString& proposed)
{
    DocumentHost* host = DocumentHost::current();
    if (!window)
        window = DocumentWindow::of(host->activeDocumentWindow());
    const bool template_ = window && window->mergePanel()->isVisible();
    CommonDialog::FileRequest request;
    request.title = Texts::SaveAsTitle;
    request.initialFolder = AppPaths::documentsFolder();
    request.filter = Texts::SaveFilter;
    request.filterIndex = template_ ? 5 : 0;
    request.defaultExtension = template_ ? QStringLiteral("tx") : QStringLiteral("rtf");
    request.fileName = proposed;
    // A document's own file is proposed with its type, so that the name and the type agree.
    if (const int type = CommonDialog::typeIndex(Texts::SaveFilter, proposed); type > 0 && !template_)
        request.filterIndex = type;
    request.flags = 2054;
    for (;;) {
        const CommonDialog::FileAnswer answer =
            CommonDialog::provider().saveFile(host->hostWidget(), request);
        if (!answer.accepted)
            return QString();
        const QString path = withTypeExtension(answer.fileName, answer.filterIndex, request.defaultExtension);
        if (!window || acceptsFormatLoss(window, path))
            return path;
        request.fileName = path;  // No: the dialog again, to choose another format
    }
}

bool writeDocument(TextControl* control, const QString& path, bool* opened)
{
    const int format = formatForPath(path);
    if (opened)
        *opened = true;
    if (format == PageHeaderFormat)
        return PageHeaderFile::save(path, control, opened);
    if (format != TextControl::FormatText && format != TextControl::FormatNative)
        setPageAttributes(control);
    return control->save(path, 0, format);
}

namespace {

// Whether the window's document has a file of its own: an Untitled window's has none.
bool hasOwnFile(const DocumentWindow* window) { return window->caption().left(8) != Texts::Untitled; }

// Someone else's open file is not saved over, and a file changed since it was opened or last
// saved here is replaced only when the user agrees; true to go on.
bool mayWriteOver(DocumentWindow* window, const QString& path)
{
    QWidget* parent = DocumentHost::current()->hostWidget();
    const QString holder = SharedFile::otherHolder(path);
    if (!holder.isEmpty()) {
        CommonDialog::provider().message(parent, Texts::InUseTitle, Texts::savedOverInUse(path, holder),
                                         CommonDialog::Buttons::Ok, CommonDialog::Icon::Exclamation);
        return false;
    }
    if (!window->sharedFile().changedOnDisk(path))
        return true;
    return CommonDialog::provider().message(parent, Texts::ChangedOnDiskTitle, Texts::changedOnDisk(path),
                                            CommonDialog::Buttons::YesNo, CommonDialog::Icon::Exclamation)
        == CommonDialog::Answer::Yes;
}

}  // namespace

bool SaveDocument(DocumentWindow* window, const QString& path)
{
    if (!mayWriteOver(window, path))
        return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool opened = true;
    TextControl* control = window->textControl();
    // A document saved in merged view is saved with its fields, not with the record's values.
    const bool saved = window->merge()->inFieldView([&] { return writeDocument(control, path, &opened); });
    QApplication::restoreOverrideCursor();
    if (!saved) {
        FileMessages::reportFailure(opened ? Texts::CantSaveFile : Texts::CantOpenFile, path,
                                    FileProblems::whyNotSaved(path, control->lastFileFailure()));
        return false;
    }
    window->setFilePath(path);
    window->setCaption(FilePaths::captionFor(path));
    window->sharedFile().saved(path);
    if (DocumentState* state = DocumentTable::shared().stateForTag(window->tag()))
        state->Dirty = false;
    AutoRecover::documentSaved(window);
    return true;
}

void SaveCommand()
{
    DocumentWindow* window = DocumentWindow::of(DocumentHost::current()->activeDocumentWindow());
    if (!window)
        return;
    // A document only read is saved under another name: its file is someone else's.
    const bool named = hasOwnFile(window) && !window->sharedFile().isReadOnly();
    QString path = named ? window->filePath() : AskSaveFileName();
    // A document that gained what its file's format cannot hold is asked about once.
    if (!path.isEmpty() && named && !acceptsFormatLoss(window, path))
        path = AskSaveFileName(window, path);
    if (!path.isEmpty())
        SaveDocument(window, path);
}

void SaveAsCommand()
{
    DocumentWindow* window = DocumentWindow::of(DocumentHost::current()->activeDocumentWindow());
    if (!window)
        return;
    // The dialog proposes the document's own file: saving a copy next to it, or over it in
    // another format, starts from there.
    const QString path = AskSaveFileName(window, hasOwnFile(window) ? window->filePath() : QString());
    if (!path.isEmpty() && SaveDocument(window, path))
        RecentFiles::AddRecentFile(path);  // only a file that holds the document is offered again
}

void ExportPdfCommand()
{
    DocumentHost* host = DocumentHost::current();
    DocumentWindow* window = DocumentWindow::of(host->activeDocumentWindow());
    if (!window)
        return;
    CommonDialog::FileRequest request;
    request.title = Texts::ExportPdfTitle;
    request.filter = Texts::ExportPdfFilter;
    request.filterIndex = 1;
    request.defaultExtension = QStringLiteral("pdf");
    request.initialFolder = AppPaths::documentsFolder();
    const CommonDialog::FileAnswer answer = CommonDialog::provider().saveFile(host->hostWidget(), request);
    if (!answer.accepted)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool written = PdfExport::write(window->textControl(), answer.fileName);
    QApplication::restoreOverrideCursor();
    if (!written)
        FileMessages::reportFailure(Texts::CantSaveFile, answer.fileName,
                                    FileProblems::whyNotSaved(answer.fileName));
}

}  // namespace SaveDocuments
