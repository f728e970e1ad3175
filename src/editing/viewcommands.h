#pragma once
// The View menu: showing and hiding the bars and the ruler, table grid lines, the zoom
// items, and the layout of a document window around its visible bars.
class EditorWindow;

namespace ViewCommands {

// Heights of the window's stacked controls in twips, as designed.
constexpr int MergePanelHeight = 540;
constexpr int RulerHeight = 510;
constexpr int TwipsPerPixel = 15;

void LayoutDocumentWindow(EditorWindow* window);
void ToggleToolbar(EditorWindow* window);
void ToggleParagraphBar(EditorWindow* window);
void ToggleStatusBar(EditorWindow* window);
void ToggleRuler(EditorWindow* window);
void toggleTableGridLines(EditorWindow* window);

// Opening the View menu refreshes its check marks from the real state.
void refreshViewMenu(EditorWindow* window);

// The View ▸ Zoom item (1..7) for a zoom factor; 0 when no item has that factor.
int zoomItemForFactor(int factor);
void zoomItemClicked(EditorWindow* window, int item);

}  // namespace ViewCommands
