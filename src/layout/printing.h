#pragma once
// Printing the active document: the print dialog, the pages and copies in order, each on a
// sheet of its own, and Print Setup. Pages are drawn by the text control's own page painting.
#include <QString>

class QPainter;
class QPrinter;
class TextControl;

namespace Printing {

// What a print run draws on: the printer, or a recording device in tests.
class PrintTarget {
public:
    virtual ~PrintTarget() = default;
    // Opens the job and its first sheet; false when the printer refuses.
    virtual bool open(int orientation) = 0;
    virtual void setOrientation(int orientation) = 0;
    // Draws in layout units (96 per inch) from the sheet's corner.
    virtual QPainter* painter() = 0;
    virtual void printing(int page) { Q_UNUSED(page) }
    virtual bool newSheet() = 0;
    virtual void end() = 0;
};

// The program's printer: the user's choices in the print dialogs last for the session.
QPrinter& printer();
// Print runs draw on `target` instead of the printer (nullptr: the printer again).
void setTestTarget(PrintTarget* target);

// Pages first..last, `copies` times, one sheet each. False on a printer error.
bool printPages(const TextControl* control, PrintTarget& target, int first, int last, int copies,
                int orientation);
// File > Print and the tool bar's Print.
void PrintDocument();
// File > Print Setup.
void printSetup();

}  // namespace Printing
