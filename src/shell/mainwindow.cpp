#include "mainwindow.h"

#include "aboutdialog.h"
#include "components/commondialog/commondialog.h"
#include "components/commondialog/modalfocus.h"
#include "components/panels/latchbutton.h"
#include "components/signature/sigcapture.h"
#include "components/signature/sigtablet.h"
#include "components/speller/speller.h"
#include "components/textcontrol/view/buttonbar.h"
#include "components/textcontrol/view/statusbar.h"
#include "components/textcontrol/textcontrol.h"
#include "documents/documentdrops.h"
#include "documents/documenttable.h"
#include "documents/documentwindow.h"
#include "documents/documentwindows.h"
#include "documents/menubuilder.h"
#include "documents/opendocument.h"
#include "documents/savedocument.h"
#include "editing/editcommands.h"
#include "editing/spellcommands.h"
#include "layout/printing.h"
#include "layout/printpreview.h"
#include "helpwindow.h"
#include "settings/apppaths.h"
#include "settings/recentfiles.h"
#include "settings/windowplacement.h"
#include "texts/programtexts.h"
#include "toolbarpanel.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>

// Resources of a static library are registered by hand, outside any namespace.
static void initResources()
{
    Q_INIT_RESOURCE(icons);
    Q_INIT_RESOURCE(manual);
}

namespace {
constexpr int HelpContext = 174;
}  // namespace

MainWindow::MainWindow()
{
    initResources();
    ModalFocus::install();
    setObjectName(QStringLiteral("frmMDIParent"));
    setWindowTitle(Texts::MainCaption);
    setWindowIcon(QIcon(QStringLiteral(":/icons/document-new.svg")));

    auto* frame = new QWidget(this);
    auto* stack = new QVBoxLayout(frame);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    m_toolBar = new ToolBarPanel(frame);
    m_speller = new Speller(this);
    m_sigCapture = new SigCapture(this);
    m_sigTablet = new SigTablet(this);
    m_buttonBar = new ButtonBar(frame);
    m_mdiArea = new QMdiArea(frame);
    m_mdiArea->setObjectName(QStringLiteral("MDIArea"));
    m_mdiArea->setBackground(QColor(0x80, 0x80, 0x80));
    m_statusBar = new StatusBar(frame);
    stack->addWidget(m_toolBar);
    stack->addWidget(m_buttonBar);
    stack->addWidget(m_mdiArea, 1);
    stack->addWidget(m_statusBar);
    setCentralWidget(frame);

    m_mainMenuOwner = new QWidget(this);
    m_mainMenuOwner->setObjectName(QStringLiteral("frmMDIParentMenus"));
    m_mainMenuOwner->hide();
    buildMainMenus();
    showMenusOf(nullptr);

    connect(m_toolBar, &ToolBarPanel::buttonClicked, this, &MainWindow::toolButtonClicked);
    connect(m_toolBar, &ToolBarPanel::zoomClicked, this, &MainWindow::zoomClicked);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
        // Null also arrives when the frame loses the focus; the menus stay then.
        if (!sub && !m_mdiArea->subWindowList().isEmpty())
            return;
        showMenusOf(sub);
        if (sub)
            if (auto* window = qobject_cast<DocumentWindow*>(sub->widget()))
                window->activated();
    });
    setAcceptDrops(true);
    DocumentHost::setCurrent(this);
}

MainWindow::~MainWindow()
{
    // The frame's windows are hidden and deactivated after this body has run, when this is no
    // longer a main window: their notifications must not reach it then.
    disconnect(m_mdiArea, nullptr, this, nullptr);
    if (DocumentHost::current() == this)
        DocumentHost::setCurrent(nullptr);
}

QWidget* MainWindow::toolbarPanel() { return m_toolBar; }

HelpWindow* MainWindow::helpWindow() const { return m_helpWindow.data(); }

void MainWindow::placeOnScreen()
{
    if (WindowPlacement::restore(this, WindowPlacement::MainWindowKey))
        return;
    // The geometry as well as the state: without a window manager nothing maximizes, and the
    // first document window takes its size from the frame before the state has arrived.
    const QScreen* where = screen() ? screen() : QGuiApplication::primaryScreen();
    setGeometry(where->availableGeometry());
    setWindowState(windowState() | Qt::WindowMaximized);
}

QAction* MainWindow::mainAction(const QString& name) const
{
    return m_mainMenuOwner->findChild<QAction*>(name);
}

void MainWindow::buildMainMenus()
{
    m_mainMenus = MenuBuilder::build(m_mainMenuOwner, MenuTexts::mainMenus());
    connect(mainAction(QStringLiteral("mnuFile_New")), &QAction::triggered, this, [this] {
        DocumentWindows::NewDocumentWindow();
        RebuildRecentFileMenus();
    });
    connect(mainAction(QStringLiteral("mnuFile_Open")), &QAction::triggered, this,
            [this] { openDocument(QString()); });
    connect(mainAction(QStringLiteral("mnuExit")), &QAction::triggered, this,
            &MainWindow::exitProgram);
    for (int i = 1; i <= 4; ++i)
        connect(mainAction(QStringLiteral("mnuRecentFile_%1").arg(i)), &QAction::triggered, this,
                [i] { OpenDocuments::openRecentFile(i); });
    connect(mainAction(QStringLiteral("mnuContents")), &QAction::triggered, this,
            [this] { showHelp(this); });
    connect(mainAction(QStringLiteral("mnuabout")), &QAction::triggered, this, [this] {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        showAbout(this);
        QApplication::restoreOverrideCursor();
    });
}

// The menu bar shows the active document window's menus, or the main window's own.
void MainWindow::showMenusOf(QMdiSubWindow* sub)
{
    auto* window = sub ? qobject_cast<DocumentWindow*>(sub->widget()) : nullptr;
    const QList<QMenu*>& menus = window ? window->menus() : m_mainMenus;
    menuBar()->clear();
    for (QMenu* menu : menus)
        menuBar()->addAction(menu->menuAction());
}

DocumentWindow* MainWindow::activeDocumentWindow()
{
    QMdiSubWindow* sub = m_mdiArea->currentSubWindow();
    if (!sub) {
        const QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList(QMdiArea::ActivationHistoryOrder);
        if (windows.isEmpty())
            return nullptr;
        sub = windows.last();
    }
    return qobject_cast<DocumentWindow*>(sub->widget());
}

void MainWindow::EnableToolbar()
{
    const bool enable = DocumentTable::shared().AnyDocumentOpen();
    for (int index : {2, 3, 4, 5, 6, 7, 9})
        m_toolBar->button(index)->setEnabled(enable);
    m_toolBar->zoomBox()->setEnabled(enable);
}

void MainWindow::selectZoomListIndex(int index) { m_toolBar->setListIndex(index); }

void MainWindow::zoomClicked()
{
    DocumentWindow* window = activeDocumentWindow();
    if (!window)
        return;
    const int factor = ToolBarPanel::zoomFactorForText(m_toolBar->zoomBox()->currentText());
    window->textControl()->setZoomFactor(factor);
    window->textControl()->setFocus();
}

void MainWindow::toolButtonClicked(int index, bool value)
{
    if (!value)
        return;
    m_toolBar->button(index)->setValue(false);
    switch (index) {
    case ToolBarPanel::New: DocumentWindows::NewDocumentWindow(); break;
    case ToolBarPanel::Open: openDocument(QString()); break;
    case ToolBarPanel::Save: SaveDocuments::SaveCommand(); break;
    case ToolBarPanel::Cut: EditCommands::EditCut(); break;
    case ToolBarPanel::Copy: EditCommands::EditCopy(); break;
    case ToolBarPanel::Paste: EditCommands::EditPaste(); break;
    case ToolBarPanel::Print: Printing::PrintDocument(); break;
    case ToolBarPanel::PrintPreview: PrintPreview::showForActiveWindow(); break;
    case ToolBarPanel::Help: showHelp(this); break;
    case ToolBarPanel::SpellCheck:
        if (DocumentWindow* window = activeDocumentWindow())
            SpellCommands::SpellCheck(window);
        break;
    default: break;
    }
}

void MainWindow::RebuildRecentFileMenus() { RecentFiles::RebuildRecentFileMenus(); }

void MainWindow::openDocument(const QString& path) { OpenDocuments::OpenDocument(path); }

QList<EditorWindow*> MainWindow::documentWindows() const
{
    const QList<DocumentWindow*> windows = DocumentTable::shared().openWindows();
    return {windows.begin(), windows.end()};
}

void MainWindow::showHelp(QWidget*)
{
    if (!m_helpWindow) {
        m_helpWindow = new HelpWindow(this);
        m_helpWindow->placeBeside(this, m_mdiArea);
    }
    m_helpWindow->showTopic(AppPaths::helpFile(), HelpContext);
}

void MainWindow::showAbout(QWidget* owner)
{
    AboutDialog dialog(owner);
    CommonDialog::provider().exec(&dialog);
}

void MainWindow::exitProgram() { close(); }

// Every modified window is asked before any window closes; one Cancel keeps them all.
void MainWindow::closeEvent(QCloseEvent* event)
{
    const QList<DocumentWindow*> windows = DocumentTable::shared().openWindows();
    for (DocumentWindow* window : windows) {
        if (!window->queryUnload()) {
            event->ignore();
            return;
        }
    }
    for (DocumentWindow* window : windows) {
        window->setCloseApproved(true);
        if (QMdiSubWindow* sub = window->subWindow())
            sub->close();
    }
    if (m_helpWindow)
        m_helpWindow->close();
    WindowPlacement::store(this, WindowPlacement::MainWindowKey);
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DocumentDrops::localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event)
{
    if (!DocumentDrops::localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const QStringList files = DocumentDrops::localFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    DocumentDrops::openFiles(files);
}
