#include "opendocument.h"

#include "components/commondialog/commondialog.h"
#include "components/panels/panel.h"
#include "components/textcontrol/textcontrol.h"
#include "hosts/documenthost.h"
#include "documenttable.h"
#include "documentwindow.h"
#include "documentwindows.h"
#include "extensiontable.h"
#include "filemessages.h"
#include "filepaths.h"
#include "fileproblems.h"
#include "layout/layoutstate.h"
#include "merge/windowmerge.h"
#include "pageheaderfile.h"
#include "settings/apppaths.h"
#include "settings/recentfiles.h"
#include "sharedfile.h"
#include "texts/programtexts.h"
#include "texts/sharingtexts.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>

namespace OpenDocuments {
namespace {

constexpr int PageHeaderFormat = PageHeaderFile::Format;

void tell(const QString& title, const QString& text, CommonDialog::Icon icon)
{
    CommonDialog::provider().message(DocumentHost::current()->hostWidget(), title, text,
                                     CommonDialog::Buttons::Ok, icon);
}

// The .txm branch: its failures are reported, each with its own message.
bool loadPageHeaderFile(const QString& path, TextControl* control)
{
    PageHeaderFile::Header page;
    switch (PageHeaderFile::load(path, control, &page)) {
    case PageHeaderFile::CannotOpen:
        FileMessages::reportFailure(Texts::CantOpenFile, path, FileProblems::whyNotLoaded(path, PageHeaderFormat));
        return false;
    case PageHeaderFile::WrongKind:
        FileMessages::reportFailure(Texts::WrongFileType, path, FileProblems::whyNotLoaded(path, PageHeaderFormat));
        return false;
    case PageHeaderFile::CannotLoad:
        FileMessages::reportFailure(Texts::CantLoadFile, path,
                                    FileProblems::whyNotLoaded(path, PageHeaderFormat));
        return false;
    case PageHeaderFile::Loaded: break;
    }
    LayoutState::PageSetupValues = {page.marginL, page.marginT, page.marginR,
                                    page.marginB, page.width,   page.height};
    return true;
}

// Other formats: the page set-up the file carries replaces the window's where it gives one.
bool loadWithPageAttributes(const QString& path, int format, TextControl* control)
{
    control->setLoadSaveAttribute(37, 1);
    for (int i = 0; i <= 5; ++i)
        control->setLoadSaveAttribute(i, 0);
    ApplyImagePath(path, control);
    if (!control->load(path, 0, format)) {
        FileMessages::reportFailure(Texts::CantLoadFile, path,
                                    FileProblems::whyNotLoaded(path, format));
        return false;
    }
    control->applyLoadSaveAttributes();
    return true;
}

}  // namespace

int formatForPath(const QString& path)
{
    return ExtensionTable::formatFor(path,
                                     {{"TXM", PageHeaderFormat},
                                      {"RTF", TextControl::FormatRtf},
                                      {"HTM", TextControl::FormatHtml},
                                      {"HTML", TextControl::FormatHtml},
                                      {"DOC", TextControl::FormatWord},
                                      {"TX", TextControl::FormatNative},
                                      {"DOCX", TextControl::FormatDocx}},
                                     TextControl::FormatText);
}

void OpenDocument(const QString& givenPath)
{
    QString path = givenPath;
    if (path.isEmpty()) {
        CommonDialog::FileRequest request;
        request.title = Texts::OpenTitle;
        request.initialFolder = AppPaths::documentsFolder();
        request.filter = Texts::OpenFilter;
        request.filterIndex = 1;
        request.flags = 6148;
        const CommonDialog::FileAnswer answer =
            CommonDialog::provider().openFile(DocumentHost::current()->hostWidget(), request);
        if (!answer.accepted)
            return;
        path = answer.fileName;
        if (IsFileOpen(path)) {
            tell(Texts::FileOpenedTitle, Texts::FileAlreadyOpen, CommonDialog::Icon::Exclamation);
            return;
        }
    }
    if (path.size() >= 2 && path.startsWith(QLatin1Char('"')) && path.endsWith(QLatin1Char('"')))
        path = path.mid(1, path.size() - 2);
    LoadDocument(path, formatForPath(path));
}

bool IsFileOpen(const QString& path) { return windowOf(path) != nullptr; }

DocumentWindow* windowOf(const QString& path)
{
    for (DocumentWindow* window : DocumentTable::shared().openWindows())
        if (!window->filePath().isEmpty() && FilePaths::samePath(window->filePath(), path))
            return window;
    return nullptr;
}

void openRecentFile(int index)
{
    DocumentHost* host = DocumentHost::current();
    const QString caption =
        host->mainAction(QStringLiteral("mnuRecentFile_%1").arg(index))->text();
    const QString path = caption.mid(3);
    if (!QFileInfo::exists(path)) {
        tell(Texts::FileNotFoundTitle, Texts::FileNotFound, CommonDialog::Icon::Exclamation);
        return;
    }
    if (IsFileOpen(path)) {
        tell(Texts::FileOpenedTitle, Texts::FileAlreadyOpen, CommonDialog::Icon::Exclamation);
        return;
    }
    OpenDocument(path);
    host->RebuildRecentFileMenus();
}

void LoadDocument(const QString& path, int format)
{
    // The letters of a merge are our own temporary file; anything else may be shared.
    const bool mergedLetters = path.right(11).toUpper() == QLatin1String("~MMERGE.RTF");
    const SharedFile::Access access = mergedLetters ? SharedFile::Copy : SharedFile::askBeforeOpening(path);
    if (access == SharedFile::Cancel)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    DocumentHost* host = DocumentHost::current();
    DocumentTable& table = DocumentTable::shared();
    const int slot = table.FindFreeDocumentSlot();
    DocumentWindow* window = DocumentWindows::createInSlot(host, slot, DocumentWindows::Hidden);
    TextControl* control = window->textControl();

    bool loaded = false;
    if (format == PageHeaderFormat) {
        loaded = loadPageHeaderFile(path, control);
    } else if (format == TextControl::FormatNative) {
        loaded = control->load(path, 0, TextControl::FormatNative);
        if (!loaded)
            FileMessages::reportFailure(Texts::CantLoadFile, path,
                                        FileProblems::whyNotLoaded(path, format));
        else
            window->merge()->Opendataset();  // a template: shows the merge tool bar, opens its table
    } else {
        loaded = loadWithPageAttributes(path, format, control);
    }

    if (loaded) {
        LayoutState::PrintOrientation = control->pageWidth() > control->pageHeight() ? 2 : 1;
        if (access == SharedFile::Copy) {
            window->setCaption(Texts::UntitledPrefix + QString::number(slot));
        } else {
            const bool readOnly = access == SharedFile::ReadOnly;
            window->setCaption(FilePaths::captionFor(path) + (readOnly ? Texts::ReadOnlyMark : QString()));
            window->setFilePath(path);
            window->sharedFile().opened(path, access);
        }
        window->action(QStringLiteral("mnuIHeader"))->setChecked(control->headerFooter() & 1);
        window->action(QStringLiteral("mnuIFooter"))->setChecked(control->headerFooter() & 4);
        RecentFiles::AddRecentFile(path);
        DocumentWindows::show(window);
    }
    DocumentState& state = table.state(slot);
    state.IgnoreNextChange = true;
    state.Dirty = false;
    if (!loaded) {
        window->setCloseApproved(true);
        DocumentWindows::discard(window);
    }
    QApplication::restoreOverrideCursor();
}

void ApplyImagePath(const QString& path, TextControl* control)
{
    QString folder = path;
    while (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/'))
           && !folder.endsWith(QLatin1Char('\\')) && !folder.endsWith(QLatin1Char(':')))
        folder.chop(1);
    control->setViewImagePath(folder);
}

void InsertTextFile()
{
    DocumentHost* host = DocumentHost::current();
    DocumentWindow* window = DocumentWindow::of(host->activeDocumentWindow());
    if (!window)
        return;
    CommonDialog::FileRequest request;
    request.title = Texts::InsertTextTitle;
    request.filter = Texts::InsertTextFilter;
    request.flags = 2054;
    const CommonDialog::FileAnswer answer =
        CommonDialog::provider().openFile(host->hostWidget(), request);
    if (!answer.accepted)
        return;
    const QString path = answer.fileName;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TextControl* control = window->textControl();
    const bool rtf = path.right(3).toUpper() == QLatin1String("RTF");
    const bool inserted = rtf ? control->RTFImport(path) : control->TextImport(path);
    QApplication::restoreOverrideCursor();
    if (!inserted)
        FileMessages::reportFailure(
            Texts::CantImportFile, path,
            FileProblems::whyNotLoaded(path, rtf ? TextControl::FormatRtf : TextControl::FormatText));
}

}  // namespace OpenDocuments
