#include "savedocument.h"

#include "autorecover.h"
#include "components/commondialog/commondialog.h"
#include "components/panels/panel.h"
#include "components/textcontrol/textcontrol.h"
#include "documenthost.h"
#include "documenttable.h"
#include "documentwindow.h"
#include "extensiontable.h"
#include "filemessages.h"
#include "filepaths.h"
#include "layout/pdfexport.h"
#include "merge/windowmerge.h"
#include "pageheaderfile.h"
#include "settings/apppaths.h"
#include "settings/recentfiles.h"
#include "texts/programtexts.h"

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

QString AskSaveFileName()
{
    DocumentHost* host = DocumentHost::current();
    DocumentWindow* window = host->activeDocumentWindow();
    const bool template_ = window && window->mergePanel()->isVisible();
    CommonDialog::FileRequest request;
    request.title = Texts::SaveAsTitle;
    request.initialFolder = AppPaths::documentsFolder();
    request.filter = Texts::SaveFilter;
    request.filterIndex = template_ ? 5 : 0;
    request.defaultExtension = template_ ? QStringLiteral("tx") : QStringLiteral("rtf");
    request.flags = 2054;
    const CommonDialog::FileAnswer answer =
        CommonDialog::provider().saveFile(host->hostWidget(), request);
    return answer.accepted ? answer.fileName : QString();
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

void SaveDocument(DocumentWindow* window, const QString& path)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool opened = true;
    // A document saved in merged view is saved with its fields, not with the record's values.
    const auto write = [&] { return writeDocument(window->textControl(), path, &opened); };
    if (!window->merge()->inFieldView(write)) {
        FileMessages::reportFailure(opened ? Texts::CantSaveFile : Texts::CantOpenFile, path);
    } else {
        window->setFilePath(path);
        window->setCaption(FilePaths::captionFor(path));
        if (DocumentState* state = DocumentTable::shared().stateForTag(window->tag()))
            state->Dirty = false;
        AutoRecover::documentSaved(window);
    }
    QApplication::restoreOverrideCursor();
}

void SaveCommand()
{
    DocumentWindow* window = DocumentHost::current()->activeDocumentWindow();
    if (!window)
        return;
    const QString path = window->caption().left(8) == Texts::Untitled ? AskSaveFileName()
                                                                       : window->filePath();
    if (!path.isEmpty())
        SaveDocument(window, path);
}

void SaveAsCommand()
{
    DocumentWindow* window = DocumentHost::current()->activeDocumentWindow();
    if (!window)
        return;
    const QString path = AskSaveFileName();
    if (path.isEmpty())
        return;
    SaveDocument(window, path);
    RecentFiles::AddRecentFile(path);  // also when the save failed
}

void ExportPdfCommand()
{
    DocumentHost* host = DocumentHost::current();
    DocumentWindow* window = host->activeDocumentWindow();
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
        FileMessages::reportFailure(Texts::CantSaveFile, answer.fileName);
}

}  // namespace SaveDocuments
