#include "documentwindow.h"

#include "components/commondialog/commondialog.h"
#include "components/panels/panel.h"
#include "components/textcontrol/view/ruler.h"
#include "components/textcontrol/textcontrol.h"
#include "documentdrops.h"
#include "hosts/documenthost.h"
#include "documenttable.h"
#include "documentwindows.h"
#include "editing/convertcase.h"
#include "editing/colorcommands.h"
#include "editing/editcommands.h"
#include "editing/formatcommands.h"
#include "editing/headerfootercommands.h"
#include "editing/signaturecommands.h"
#include "editing/spellcommands.h"
#include "editing/textcontrolevents.h"
#include "editing/viewcommands.h"
#include "layout/framesdialog.h"
#include "layout/imagedialog.h"
#include "layout/insertdate.h"
#include "layout/layoutstate.h"
#include "layout/pagesetupdialog.h"
#include "layout/printing.h"
#include "layout/printpreview.h"
#include "layout/tabledialog.h"
#include "menubuilder.h"
#include "merge/windowmerge.h"
#include "opendocument.h"
#include "savedocument.h"
#include "texts/menutexts.h"
#include "texts/programtexts.h"
#include "windowarrangement.h"

#include <QAction>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

namespace {
constexpr int DefaultPageWidth = 12240;
constexpr int DefaultPageHeight = 15840;
constexpr const char* WindowListProperty = "scrivoraWindowList";
}

// The window's set-up, in the order the rest of the program relies on.
DocumentWindow::DocumentWindow(DocumentHost* host) : m_host(host)
{
    setObjectName(QStringLiteral("frmMDIChild"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_mergePanel = new Panel(this);
    m_mergePanel->setObjectName(QStringLiteral("MergePanel1"));
    m_ruler = new Ruler(this);
    m_textControl = new TextControl(this);
    m_merge = new WindowMerge(this, m_mergePanel, m_textControl);  // builds the connection string
    buildMenus();

    m_textControl->setSetting(14, 0);
    m_textControl->setRulerHandle(m_ruler);
    m_textControl->setButtonBarHandle(host->buttonBar());
    m_textControl->setStatusBarHandle(host->statusBar());
    m_mergePanel->hide();
    host->EnableToolbar();
    LayoutState::MeasureUnit = 1;
    m_textControl->setPageWidth(DefaultPageWidth);
    m_textControl->setPageHeight(DefaultPageHeight);
    m_textControl->setSetting(139, 1);
    m_textControl->setFontSize(10);
    m_textControl->setFontName(QStringLiteral("Times New Roman"));
    m_textControl->setPlainText(QString());  // the set-up itself is nothing to undo

    connect(m_textControl, &TextControl::changed, this, &DocumentWindow::markChanged);
    connect(m_textControl, &TextControl::keyDown, this,
            [this](int key, int shift) { TextControlEvents::onKey(this, key, shift); });
    connect(m_textControl, &TextControl::mouseDown, this, [this](int b, int s, int x, int y) {
        TextControlEvents::onMouseDown(this, b, s, x, y);
    });
    setFocusProxy(m_textControl);
    DocumentDrops::watch(this);
    SpellCommands::setSpellingAsYouType(this, true);
}

QMdiSubWindow* DocumentWindow::subWindow() const
{
    return qobject_cast<QMdiSubWindow*>(parentWidget());
}

QAction* DocumentWindow::action(const QString& name) const
{
    return findChild<QAction*>(name);
}

QMenu* DocumentWindow::menu(const QString& name) const { return findChild<QMenu*>(name); }

void DocumentWindow::buildMenus()
{
    m_menus = MenuBuilder::build(this, MenuTexts::documentMenus(), MenuTexts::documentSubmenus());
    wireFileMenu();
    wireEditMenu();
    wireViewMenu();
    wireInsertMenu();
    wireFormatMenu();
    wireWindowMenu();
    wireHelpMenu();
    // Commands of the menu tables whose feature is not part of this build stay visible but
    // disabled. Actions made elsewhere (the merge field list) are not menu-table commands.
    std::function<void(QMenu*)> disableUnwired = [&disableUnwired](QMenu* menu) {
        for (QAction* a : menu->actions()) {
            if (a->menu())
                disableUnwired(a->menu());
            else if (!a->isSeparator() && !a->property("wired").toBool())
                a->setEnabled(false);
        }
    };
    for (QMenu* menu : m_menus)
        disableUnwired(menu);
}

void DocumentWindow::wire(const char* name, const std::function<void()>& handler)
{
    QAction* a = action(QLatin1String(name));
    Q_ASSERT(a);
    a->setProperty("wired", true);
    if (a->isCheckable()) {
        // Qt flips a check mark before the command runs; here each command sets its mark
        // itself from the state it finds, so the flip is undone first.
        connect(a, &QAction::triggered, this, [a, handler](bool checked) {
            a->setChecked(!checked);
            handler();
        });
        return;
    }
    connect(a, &QAction::triggered, this, handler);
}

void DocumentWindow::wireFileMenu()
{
    wire("mnuFile_New", [this] {
        DocumentWindows::NewDocumentWindow();
        m_host->RebuildRecentFileMenus();
    });
    wire("mnuFile_Open", [this] { m_host->openDocument(QString()); });
    wire("mnuFClose", [this] {
        if (QMdiSubWindow* sub = subWindow())
            sub->close();
    });
    wire("mnuFileSave", [] { SaveDocuments::SaveCommand(); });
    wire("mnuFile_SaveAs", [] { SaveDocuments::SaveAsCommand(); });
    wire("mnuFile_Print", [] { Printing::PrintDocument(); });
    wire("mnuFPSetup", [] { Printing::printSetup(); });
    wire("mnuFile_PrintPreview", [] { PrintPreview::showForActiveWindow(); });
    wire("mnuFile_ExportPdf", [] { SaveDocuments::ExportPdfCommand(); });
    wire("mnuFile_Exit", [this] { m_host->exitProgram(); });
    for (int i = 1; i <= 4; ++i) {
        const QByteArray name = "mnuRecentFile_" + QByteArray::number(i);
        wire(name.constData(), [i] { OpenDocuments::openRecentFile(i); });
    }
}

void DocumentWindow::wireEditMenu()
{
    connect(menu(QStringLiteral("mnuEdit")), &QMenu::aboutToShow, this,
            [this] { EditCommands::refreshUndoRedo(this); });
    wire("mnuUndo", [this] { m_textControl->undo(); });
    wire("mnuRedo", [this] { m_textControl->redo(); });
    wire("mnuEdit_Cut", [] { EditCommands::EditCut(); });
    wire("mnuEdit_Copy", [] { EditCommands::EditCopy(); });
    wire("mnuEdit_Paste", [] { EditCommands::EditPaste(); });
    wire("mnuEdit_Delete", [] { EditCommands::EditDelete(); });
    wire("mnuEdit_Search", [] { EditCommands::EditFindReplace(1); });
    wire("mnuEdit_Replace", [] { EditCommands::EditFindReplace(2); });
    wire("mnuEdit_SelectAll", [] { EditCommands::SelectAllText(); });
    wire("mnuEspell", [this] { SpellCommands::SpellCheck(this); });
    wire("mnuUpper", [] { CaseConversion::ConvertCase(CaseConversion::Upper); });
    wire("mnuLower", [] { CaseConversion::ConvertCase(CaseConversion::Lower); });
    wire("mnuProper", [] { CaseConversion::ConvertCase(CaseConversion::InitialCaps); });
}

void DocumentWindow::wireViewMenu()
{
    connect(menu(QStringLiteral("mnuView")), &QMenu::aboutToShow, this,
            [this] { ViewCommands::refreshViewMenu(this); });
    wire("mnuView_Toolbar", [this] { ViewCommands::ToggleToolbar(this); });
    wire("mnuView_ParagraphBar", [this] { ViewCommands::ToggleParagraphBar(this); });
    wire("mnuView_Ruler", [this] { ViewCommands::ToggleRuler(this); });
    wire("mnuView_StatusBar", [this] { ViewCommands::ToggleStatusBar(this); });
    wire("mnuView_TableGridLines", [this] { ViewCommands::toggleTableGridLines(this); });
    wire("mnuView_SpellAsYouType", [this] { SpellCommands::toggleSpellingAsYouType(this); });
    for (int item = 1; item <= 7; ++item) {
        const QByteArray name = "mnuView_ZoomItem_" + QByteArray::number(item);
        wire(name.constData(), [this, item] { ViewCommands::zoomItemClicked(this, item); });
    }
}

void DocumentWindow::wireInsertMenu()
{
    connect(menu(QStringLiteral("mnuInsert")), &QMenu::aboutToShow, this,
            [this] { HeaderFooterCommands::refreshInsertMenu(this); });
    wire("mnuIHeader", [this] { HeaderFooterCommands::toggleHeader(this); });
    wire("mnuIFooter", [this] { HeaderFooterCommands::toggleFooter(this); });
    wire("mnuIPageNo", [this] { HeaderFooterCommands::togglePageNumbers(this); });
    wire("mnuInsert_Text", [] { OpenDocuments::InsertTextFile(); });
    wire("mnuInsert_Table", [this] { TableCommands::showInsertTable(this); });
    wire("mnuInsert_Image", [] { ImageCommands::insertImage(); });
    wire("mnuIPageBreak", [this] { m_textControl->insertPageBreak(); });
    wire("mnuIDate", [this] { InsertDate::insertDate(this); });
    wire("mnuSig", [this] { SignatureCommands::InsertSignature(this); });
}

void DocumentWindow::wireFormatMenu()
{
    connect(menu(QStringLiteral("mnuFormat")), &QMenu::aboutToShow, this,
            [this] { FormatCommands::refreshFormatMenu(this); });
    wire("mnuFormat_Character", [this] { m_textControl->fontDialog(); });
    wire("mnuFormat_Document", [this] { PageSetupDialog::EditPageSetup(m_textControl); });
    wire("mnuFormat_Paragraph", [this] { m_textControl->paragraphDialog(); });
    wire("mnuFormat_Bullets", [this] { m_textControl->listDialog(); });
    wire("mnuFormat_TColor", [] { ColorCommands::ChooseTextColor(1); });
    wire("mnuFormat_BColor", [] { ColorCommands::ChooseTextColor(2); });
    wire("mnuFMailMerge", [this] { m_merge->mailMergeCommand(); });
    wire("mnuFDelField", [this] { m_merge->deleteField(); });
    wire("mnuFormat_Table", [this] { m_textControl->tableAttrDialog(); });
    wire("mnuFormat_Image", [this] { ImageCommands::showImageAttributes(this); });
    wire("mnuFormat_Frames", [this] { FrameCommands::showParagraphFrames(this); });
    wire("mnuTInsRow", [this] { m_textControl->tableInsertLines(1, 1); });
    wire("mnuTDelRow", [this] { m_textControl->tableDeleteLines(); });
}

void DocumentWindow::wireWindowMenu()
{
    QMdiArea* area = m_host->mdiArea();
    wire("mnuWindow_Cascade", [area] { WindowArrangement::arrange(area, WindowArrangement::Cascade); });
    wire("mnuWindow_TileHorizontal",
         [area] { WindowArrangement::arrange(area, WindowArrangement::TileHorizontal); });
    wire("mnuWindow_TileVertical",
         [area] { WindowArrangement::arrange(area, WindowArrangement::TileVertical); });
    wire("mnuWindow_ArrangeIcons",
         [area] { WindowArrangement::arrange(area, WindowArrangement::ArrangeIcons); });
    connect(menu(QStringLiteral("mnuWindow")), &QMenu::aboutToShow, this,
            &DocumentWindow::refreshWindowList);
}

// The open document windows follow the arrange commands, the active one checked.
void DocumentWindow::refreshWindowList()
{
    QMenu* windowMenu = menu(QStringLiteral("mnuWindow"));
    for (QAction* a : windowMenu->actions())
        if (a->property(WindowListProperty).toBool()) {
            windowMenu->removeAction(a);
            a->deleteLater();
        }
    const QList<QMdiSubWindow*> windows = m_host->mdiArea()->subWindowList();
    if (windows.isEmpty())
        return;
    QAction* separator = windowMenu->addSeparator();
    separator->setProperty(WindowListProperty, true);
    int number = 1;
    for (QMdiSubWindow* sub : windows) {
        QAction* entry = windowMenu->addAction(
            QStringLiteral("&%1 %2").arg(number++).arg(sub->widget()->windowTitle()));
        entry->setProperty(WindowListProperty, true);
        entry->setCheckable(true);
        entry->setChecked(sub->widget() == this);
        QMdiArea* area = m_host->mdiArea();
        connect(entry, &QAction::triggered, area, [area, sub] { area->setActiveSubWindow(sub); });
    }
}

void DocumentWindow::wireHelpMenu()
{
    wire("mnuContents", [this] { m_host->showHelp(this); });
    wire("mnuabout", [this] {
        m_host->showAbout(this);
        m_textControl->setFocus();
    });
}

// The document's entry in the table learns of the change, unless the program asked to pass
// over this one (its own edits right after a load).
void DocumentWindow::markChanged()
{
    if (m_tag.isEmpty())
        return;
    DocumentState* state = DocumentTable::shared().stateForTag(m_tag);
    if (!state)
        return;
    if (state->IgnoreNextChange)
        state->IgnoreNextChange = false;
    else
        state->Dirty = true;
}

void DocumentWindow::activated()
{
    static const QHash<int, int> listIndex = {{30, 0}, {50, 1}, {75, 2}, {100, 3},
                                              {150, 4}, {90, 5}, {38, 6}};
    m_host->selectZoomListIndex(listIndex.value(m_textControl->zoomFactor(), 3));
    m_textControl->setSetting(14, 3);
    ViewCommands::LayoutDocumentWindow(this);
    m_textControl->bindBars();
    m_textControl->setFocus();
}

bool DocumentWindow::queryUnload()
{
    DocumentState* state = DocumentTable::shared().stateForTag(m_tag);
    if (!state || !state->Dirty)
        return true;
    // The user sees the document the question is about.
    if (QMdiSubWindow* sub = subWindow())
        m_host->mdiArea()->setActiveSubWindow(sub);
    const CommonDialog::Answer answer = CommonDialog::provider().message(
        m_host->hostWidget(), m_host->hostWidget()->windowTitle(), Texts::textChanged(caption()),
        CommonDialog::Buttons::YesNoCancel, CommonDialog::Icon::Exclamation);
    if (answer == CommonDialog::Answer::No)
        return true;
    if (answer != CommonDialog::Answer::Yes)
        return false;
    const QString path = SaveDocuments::AskSaveFileName(this, m_filePath);
    if (path.isEmpty())
        return false;
    // A failed save is reported there; the window stays open with its text.
    return SaveDocuments::SaveDocument(this, path);
}

void DocumentWindow::closeEvent(QCloseEvent* event)
{
    if (!m_closeApproved && !queryUnload()) {
        event->ignore();
        return;
    }
    event->accept();
    unload();
}

void DocumentWindow::unload()
{
    DocumentTable& table = DocumentTable::shared();
    if (DocumentState* state = table.stateForTag(m_tag))
        state->Deleted = true;
    m_sharedFile.release();  // the colleague waiting for the document may open it now
    m_host->EnableToolbar();
    if (table.AnyDocumentOpen())
        m_host->RebuildRecentFileMenus();
}

void DocumentWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    ViewCommands::LayoutDocumentWindow(this);
}
