#pragma once
// What a document window needs from the main window that holds it: the shared bars, the
// tool bar, and the commands both windows' menus share. The main window implements it.
#include <QList>

class ButtonBar;
class EditorWindow;
class QAction;
class QMdiArea;
class QString;
class QWidget;
class SigCapture;
class SigTablet;
class Speller;
class StatusBar;

class DocumentHost {
public:
    virtual ~DocumentHost() = default;

    static DocumentHost* current();
    static void setCurrent(DocumentHost* host);

    virtual QWidget* hostWidget() = 0;
    virtual QMdiArea* mdiArea() = 0;
    virtual ButtonBar* buttonBar() = 0;
    virtual StatusBar* statusBar() = 0;
    virtual QWidget* toolbarPanel() = 0;  // pictoolbar
    virtual Speller* speller() = 0;       // Speller1
    virtual SigCapture* sigCapture() = 0;  // SigCapture1
    virtual SigTablet* sigTablet() = 0;    // SigTablet1

    // The document window that the shared routines act on; nullptr when none is open.
    virtual EditorWindow* activeDocumentWindow() = 0;
    // Every open document window, in the order of the table of documents.
    virtual QList<EditorWindow*> documentWindows() const = 0;
    virtual void EnableToolbar() = 0;
    virtual void selectZoomListIndex(int index) = 0;  // also applies the zoom
    virtual void RebuildRecentFileMenus() = 0;
    // An item of the main window's own menus, by name.
    virtual QAction* mainAction(const QString& name) const = 0;
    virtual void showHelp(QWidget* owner) = 0;
    virtual void showAbout(QWidget* owner) = 0;
    virtual void exitProgram() = 0;
    virtual void openDocument(const QString& path) = 0;
};
