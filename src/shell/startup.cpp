#include "startup.h"

#include "components/commondialog/commondialog.h"
#include "components/speller/speller.h"
#include "components/textcontrol/textcontrol.h"
#include "components/textcontrol/pageview.h"
#include "documents/autorecover.h"
#include "documents/documenttable.h"
#include "documents/documentwindow.h"
#include "documents/documentwindows.h"
#include "documents/filemessages.h"
#include "documents/filepaths.h"
#include "documents/fileproblems.h"
#include "editing/editcommands.h"
#include "layout/layoutstate.h"
#include "mainwindow.h"
#include "settings/apppaths.h"
#include "texts/filetexts.h"
#include "texts/programtexts.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>

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

}  // namespace

bool ImportIntoActiveWindow(const QString& path)
{
    DocumentWindow* window = DocumentHost::current()->activeDocumentWindow();
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
                                    FileProblems::whyNotLoaded(path, format, control->lastFileFailure()));
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
    main.speller()->setProperty(1, AppPaths::mainDictionary());
    main.speller()->setProperty(7, AppPaths::userDictionary());
    DocumentTable& table = DocumentTable::shared();
    table.reset();
    main.placeOnScreen();
    main.show();

    DocumentWindow* first = DocumentWindows::createInSlot(&main, 1);
    table.state(1).Dirty = false;
    first->textControl()->setFocus();

    QString commandLine = rawCommandLine;
    if (commandLine.size() >= 1 && commandLine.startsWith(QLatin1Char('"'))
        && commandLine.endsWith(QLatin1Char('"')))
        commandLine.remove(QLatin1Char('"'));

    if (commandLine.isEmpty()) {
        first->setCaption(Texts::UntitledPrefix + QLatin1Char('1'));
    } else if (commandLine == QLatin1String("*")) {
        first->setCaption(Texts::UntitledPrefix + QLatin1Char('1'));
        EditCommands::EditPaste();
        first->textControl()->setSelStart(0);
    } else {
        const bool loaded = ImportIntoActiveWindow(commandLine);
        const QString title = FilePaths::FileTitleOf(commandLine).toLower();
        if (title.left(7) == QLatin1String("~tmprpt")) {
            first->setCaption(Texts::UntitledPrefix + QLatin1Char('1'));
            table.state(1).Dirty = loaded;
            if (loaded)  // a report that could not be read stays where the practice system put it
                QFile::remove(commandLine);
        } else if (loaded) {
            first->setCaption(commandLine);
            first->setFilePath(commandLine);
            table.state(1).Dirty = false;
            // The load's own change notification arrives after start-up; it is no edit.
            table.state(1).IgnoreNextChange = true;
        } else {
            // Nothing of the file is in the window: a save must not write over it.
            first->setCaption(Texts::UntitledPrefix + QLatin1Char('1'));
        }
    }
    startAutoRecover(main);
    main.RebuildRecentFileMenus();
}

void typeText(const QString& text)
{
    DocumentWindow* window = DocumentHost::current()->activeDocumentWindow();
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
