#pragma once
// The View menu: showing and hiding the bars and the ruler, table grid lines, the zoom
// items, and the layout of a document window around its visible bars.
class DocumentWindow;

namespace ViewCommands {

// Heights of the window's stacked controls in twips, as designed.
constexpr int MergePanelHeight = 540;
constexpr int RulerHeight = 510;
constexpr int TwipsPerPixel = 15;

void LayoutDocumentWindow(DocumentWindow* window);
void ToggleToolbar(DocumentWindow* window);
void ToggleParagraphBar(DocumentWindow* window);
void ToggleStatusBar(DocumentWindow* window);
void ToggleRuler(DocumentWindow* window);
void toggleTableGridLines(DocumentWindow* window);

// Opening the View menu refreshes its check marks from the real state.
void refreshViewMenu(DocumentWindow* window);

// The View ▸ Zoom item (1..7) for a zoom factor; 0 when no item has that factor.
int zoomItemForFactor(int factor);
void zoomItemClicked(DocumentWindow* window, int item);

}  // namespace ViewCommands
