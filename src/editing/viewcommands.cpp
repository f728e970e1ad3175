#include "viewcommands.h"

#include "components/panels/panel.h"
#include "components/textcontrol/view/buttonbar.h"
#include "components/textcontrol/view/ruler.h"
#include "components/textcontrol/view/statusbar.h"
#include "components/textcontrol/textcontrol.h"
#include "hosts/documenthost.h"
#include "hosts/editorwindow.h"

#include <QAction>
#include <QMdiSubWindow>
#include <QPalette>

namespace ViewCommands {
namespace {

constexpr int ZoomFactors[7] = {30, 50, 75, 100, 150, 90, 38};

QString zoomItemName(int item) { return QStringLiteral("mnuView_ZoomItem_%1").arg(item); }

// Shows `bar` if hidden and hides it if shown; the item's check mark follows.
void toggle(QWidget* bar, EditorWindow* window, const char* item)
{
    bar->setVisible(bar->isHidden());
    window->action(QLatin1String(item))->setChecked(!bar->isHidden());
}

}  // namespace

void LayoutDocumentWindow(EditorWindow* window)
{
    TextControl* control = window->textControl();
    Ruler* ruler = window->ruler();
    Panel* panel = window->mergePanel();
    QWidget* area = window->widget();
    const int outerWidth = window->subWindow() ? window->subWindow()->width() : area->width();
    QPalette palette = area->palette();
    palette.setColor(QPalette::Window, outerWidth > control->width() ? QColor(0xC0, 0xC0, 0xC0)
                                                                     : QColor(Qt::white));
    area->setPalette(palette);
    area->setAutoFillBackground(true);

    const int width = area->width();
    const int innerHeight = area->height();
    const int panelHeight = MergePanelHeight / TwipsPerPixel;
    const int rulerHeight = RulerHeight / TwipsPerPixel;
    const bool minimised = window->subWindow() && window->subWindow()->isMinimized();
    // Controls are aligned to the top: a hidden one takes no room.
    int y = 0;
    if (!panel->isHidden()) {
        panel->setGeometry(0, y, width, panelHeight);
        y += panelHeight;
    }
    if (!ruler->isHidden()) {
        ruler->setGeometry(0, y, width, rulerHeight);
        y += rulerHeight;
    }
    int height = control->height();
    if (innerHeight - rulerHeight > 0 && !minimised) {
        height = innerHeight;
        if (!ruler->isHidden())
            height -= rulerHeight;
        if (!panel->isHidden())
            height -= panelHeight;
        height = std::max(0, height);
    }
    control->setGeometry(0, y, width, height);
}

void ToggleToolbar(EditorWindow* window)
{
    // The main window stacks its bars in a fixed order, so the tool bar stays on top.
    toggle(window->host()->toolbarPanel(), window, "mnuView_Toolbar");
}

void ToggleParagraphBar(EditorWindow* window)
{
    toggle(window->host()->buttonBar(), window, "mnuView_ParagraphBar");
}

void ToggleStatusBar(EditorWindow* window)
{
    toggle(window->host()->statusBar(), window, "mnuView_StatusBar");
}

void ToggleRuler(EditorWindow* window)
{
    toggle(window->ruler(), window, "mnuView_Ruler");
    LayoutDocumentWindow(window);
}

void toggleTableGridLines(EditorWindow* window)
{
    TextControl* control = window->textControl();
    control->setTableGridLines(!control->tableGridLines());
}

void refreshViewMenu(EditorWindow* window)
{
    DocumentHost* host = window->host();
    window->action(QStringLiteral("mnuView_StatusBar"))->setChecked(!host->statusBar()->isHidden());
    window->action(QStringLiteral("mnuView_Toolbar"))->setChecked(!host->toolbarPanel()->isHidden());
    window->action(QStringLiteral("mnuView_ParagraphBar"))->setChecked(!host->buttonBar()->isHidden());
    window->action(QStringLiteral("mnuView_TableGridLines"))
        ->setChecked(window->textControl()->tableGridLines());
    window->action(QStringLiteral("mnuView_SpellAsYouType"))
        ->setChecked(bool(window->textControl()->spellingCheck()));
    for (int item = 1; item <= 7; ++item)
        window->action(zoomItemName(item))->setChecked(false);
    const int factor = window->textControl()->zoomFactor();
    if (factor < 30 || factor > 150)
        return;
    if (const int item = zoomItemForFactor(factor))
        window->action(zoomItemName(item))->setChecked(true);
}

int zoomItemForFactor(int factor)
{
    for (int i = 0; i < 7; ++i)
        if (ZoomFactors[i] == factor)
            return i + 1;
    return 0;
}

void zoomItemClicked(EditorWindow* window, int item)
{
    for (int k = 1; k <= 7; ++k)
        window->action(zoomItemName(k))->setChecked(k == item);
    window->host()->selectZoomListIndex(item - 1);
}

}  // namespace ViewCommands
