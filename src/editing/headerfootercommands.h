#pragma once
// The Insert menu's Header, Footer and Page Numbers commands and its enabling.
class EditorWindow;

namespace HeaderFooterCommands {

constexpr int HeaderBit = 1;
constexpr int FooterBit = 4;
constexpr int PageNumberType = 3;

void toggleHeader(EditorWindow* window);
void toggleFooter(EditorWindow* window);
void togglePageNumbers(EditorWindow* window);
// Opening the Insert menu.
void refreshInsertMenu(EditorWindow* window);

}  // namespace HeaderFooterCommands
