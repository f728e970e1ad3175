#include "startup.h"

#include "components/commondialog/commondialog.h"
#include "components/speller/speller.h"
#include "components/textcontrol/textcontrol.h"
#include "components/textcontrol/view/pageview.h"
#include "documents/autorecover.h"
#include "documents/documenttable.h"
#include "documents/documentwindow.h"
#include "documents/documentwindows.h"
#include "documents/filemessages.h"
#include "documents/filepaths.h"
#include "documents/fileproblems.h"
#include "documents/opendocument.h"
#include "documents/sharedfile.h"
#include "instancerequest.h"
#include "editing/editcommands.h"
#include "layout/layoutstate.h"
#include "mainwindow.h"
#include "settings/apppaths.h"
#include "texts/filetexts.h"
#include "texts/programtexts.h"
#include "texts/sharingtexts.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

namespace Startup {
namespace {

// The copies of modified documents, and those a program that did not end left behind.
void startAutoRecover(MainWindow& main)
{
    // Only a private temporary directory may hold patient data; without one there is no autosave.
    const QString folder = AppPaths::TempPath();
    if (!AppPaths::isTempPathSet() || !QFileInfo(folder).isDir())
        return;
    auto* recover = new AutoRecover(&main, folder, &main);
    recover->offerRecovery();
    recover->setInterval(AutoRecover::intervalSetting());
}

// A command line in double quotes loses every double quote.
QString unquoted(const QString& commandLine)
{
    if (commandLine.size() >= 1 && commandLine.startsWith(QLatin1Char('"')) && commandLine.endsWith(QLatin1Char('"')))
        return QString(commandLine).remove(QLatin1Char('"'));
    return commandLine;
}

bool isReport(const QString& path)
{
    return FilePaths::FileTitleOf(path).toLower().left(7) == QLatin1String("~tmprpt");
}

// The command line decides the content of `window`, the active document window.
void fillFromCommandLine(DocumentWindow* window, const QString& rawCommandLine)
{
    DocumentTable& table = DocumentTable::shared();
    const int slot = window->slot();
    const QString untitled = Texts::UntitledPrefix + QString::number(slot);
    const QString commandLine = unquoted(rawCommandLine);
    if (commandLine.isEmpty()) {
        window->setCaption(untitled);
    } else if (commandLine == QLatin1String("*")) {
        window->setCaption(untitled);
        EditCommands::EditPaste();
        window->textControl()->setSelStart(0);
    } else if (isReport(commandLine)) {
        const bool loaded = ImportIntoActiveWindow(commandLine);
        window->setCaption(untitled);
        table.state(slot).Dirty = loaded;
        if (loaded)  // a report that could not be read stays where the practice system put it
            QFile::remove(commandLine);
    } else {
        // A document someone else has open in a shared folder is asked about first.
        const SharedFile::Access access = QFileInfo::exists(commandLine) ? SharedFile::askBeforeOpening(commandLine)
                                                                         : SharedFile::Edit;
        const bool loaded = access != SharedFile::Cancel && ImportIntoActiveWindow(commandLine);
        if (loaded && access != SharedFile::Copy) {
            const bool readOnly = access == SharedFile::ReadOnly;
            window->setCaption(commandLine + (readOnly ? Texts::ReadOnlyMark : QString()));
            window->setFilePath(commandLine);
            window->sharedFile().opened(commandLine, access);
            table.state(slot).Dirty = false;
            // The load's own change notification arrives after start-up; it is no edit.
            table.state(slot).IgnoreNextChange = true;
        } else {
            // Nothing of the file is in the window: a save must not write over it.
            window->setCaption(untitled);
            table.state(slot).IgnoreNextChange = loaded;
        }
    }
}

void bringToFront(MainWindow& main)
{
    main.setWindowState((main.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    main.show();
    main.raise();
    main.activateWindow();
}

}  // namespace

void takeRequest(MainWindow& main, const InstanceRequest& request)
{
    // A question on the screen is answered first; the files open after it.
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        QTimer::singleShot(250, &main, [&main, request] { takeRequest(main, request); });
        return;
    }
    bringToFront(main);
    const QString document = unquoted(request.document);
    if (document == QLatin1String("*") || (!document.isEmpty() && isReport(document))) {
        DocumentWindow* window = DocumentWindows::NewDocumentWindow();
        fillFromCommandLine(window, document == QLatin1String("*") ? document : request.absolute(document));
    }
    QStringList files = request.files;
    if (!document.isEmpty() && document != QLatin1String("*") && !isReport(document))
        files.prepend(document);
    for (const QString& file : files) {
        const QString path = request.absolute(file);
        // A document already open here comes to the front instead of a second copy.
        if (DocumentWindow* open = OpenDocuments::windowOf(path)) {
            if (QMdiSubWindow* sub = open->subWindow())
                main.mdiArea()->setActiveSubWindow(sub);
            continue;
        }
        OpenDocuments::OpenDocument(path);
    }
    main.RebuildRecentFileMenus();
}

bool ImportIntoActiveWindow(const QString& path)
{
    DocumentWindow* window = DocumentWindow::of(DocumentHost::current()->activeDocumentWindow());
    if (!window)
        return false;
    const QString ending = path.right(3).toUpper();
    int format = -1;
    if (ending == QLatin1String("RTF"))
        format = TextControl::FormatRtf;
    else if (ending == QLatin1String("TXT"))
        format = TextControl::FormatText;
    if (format < 0) {
        FileMessages::reportFailure(Texts::CantImportFile, path, Texts::ReasonStartupImportsRtfAndText);
        return false;
    }
    TextControl* control = window->textControl();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool loaded = control->load(path, 0, format, false);
    QApplication::restoreOverrideCursor();
    if (!loaded)
        FileMessages::reportFailure(Texts::CantImportFile, path,
                                    FileProblems::whyNotLoaded(path, format));
    return loaded;
}

void run(MainWindow& main, const QString& rawCommandLine)
{
    if (!AppPaths::isTempPathSet()) {
        const QString temp = AppPaths::GetTempDirectory();
        if (!temp.trimmed().isEmpty())
            AppPaths::setTempPath(temp);
    }
    LayoutState::PrintOrientation = 1;
    CommonDialog::setStartFolder(AppPaths::documentsFolder());
    main.speller()->setProperty(1, AppPaths::mainDictionary());
    main.speller()->setProperty(7, AppPaths::userDictionary());
    DocumentTable& table = DocumentTable::shared();
    table.reset();
    main.placeOnScreen();
    main.show();

    DocumentWindow* first = DocumentWindows::createInSlot(&main, 1);
    table.state(1).Dirty = false;
    first->textControl()->setFocus();
    fillFromCommandLine(first, rawCommandLine);
    startAutoRecover(main);
    main.RebuildRecentFileMenus();
}

void typeText(const QString& text)
{
    DocumentWindow* window = DocumentWindow::of(DocumentHost::current()->activeDocumentWindow());
    if (!window)
        return;
    window->textControl()->setFocus();
    QWidget* target = window->textControl()->pageView()->viewport();
    for (const QChar c : text) {
        const bool newLine = c == QLatin1Char('\n');
        const int key = newLine ? int(Qt::Key_Return) : int(c.toUpper().unicode());
        const QString typed = newLine ? QStringLiteral("\r") : QString(c);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, typed);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, typed);
        QApplication::sendEvent(target, &press);
        QApplication::sendEvent(target, &release);
    }
}

}  // namespace Startup
