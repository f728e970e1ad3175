#pragma once
// The Insert menu's Header, Footer and Page Numbers commands and its enabling.
class DocumentWindow;

namespace HeaderFooterCommands {

constexpr int HeaderBit = 1;
constexpr int FooterBit = 4;
constexpr int PageNumberType = 3;

void toggleHeader(DocumentWindow* window);
void toggleFooter(DocumentWindow* window);
void togglePageNumbers(DocumentWindow* window);
// Opening the Insert menu.
void refreshInsertMenu(DocumentWindow* window);

}  // namespace HeaderFooterCommands
