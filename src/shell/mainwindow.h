#pragma once
// The main window: the frame of the document windows, with the tool bar, the paragraph bar
// and the status bar they share, and its own menus while no document window is open.
#include "documents/documentwindow.h"
#include "hosts/documenthost.h"

#include <QMainWindow>
#include <QPointer>

class ButtonBar;
class HelpWindow;
class QMenu;
class StatusBar;
class ToolBarPanel;

class MainWindow : public QMainWindow, public DocumentHost {
    Q_OBJECT
public:
    MainWindow();
    ~MainWindow() override;

    // DocumentHost
    QWidget* hostWidget() override { return this; }
    QMdiArea* mdiArea() override { return m_mdiArea; }
    ButtonBar* buttonBar() override { return m_buttonBar; }
    StatusBar* statusBar() override { return m_statusBar; }
    QWidget* toolbarPanel() override;
    Speller* speller() override { return m_speller; }
    SigCapture* sigCapture() override { return m_sigCapture; }
    SigTablet* sigTablet() override { return m_sigTablet; }
    DocumentWindow* activeDocumentWindow() override;
    QList<EditorWindow*> documentWindows() const override;
    void EnableToolbar() override;
    void selectZoomListIndex(int index) override;
    void RebuildRecentFileMenus() override;
    void showHelp(QWidget* owner) override;
    void showAbout(QWidget* owner) override;
    void exitProgram() override;
    void openDocument(const QString& path) override;

    ToolBarPanel* toolBar() const { return m_toolBar; }
    // The main window's own menu item of that name (shown while no document window is open).
    QAction* mainAction(const QString& name) const override;
    HelpWindow* helpWindow() const;
    // Before the first show: where the window stood when the program last ended, or the
    // whole available screen on the first start.
    void placeOnScreen();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Files dropped beside the documents' pages open as File > Open opens them.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMainMenus();
    void showMenusOf(QMdiSubWindow* sub);
    void toolButtonClicked(int index, bool value);
    void zoomClicked();

    QMdiArea* m_mdiArea;
    ToolBarPanel* m_toolBar;
    ButtonBar* m_buttonBar;
    StatusBar* m_statusBar;
    Speller* m_speller;
    SigCapture* m_sigCapture;
    SigTablet* m_sigTablet;
    QWidget* m_mainMenuOwner;
    QList<QMenu*> m_mainMenus;
    QPointer<HelpWindow> m_helpWindow;
};
