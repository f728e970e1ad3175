#pragma once
// One door for every message box, common dialog and modal dialog of the program, so that
// tests can answer them from a script instead of blocking on a modal window.
#include <QColor>
#include <QString>
#include <optional>

class QDialog;
class QFileDialog;
class QPrinter;
class QWidget;

namespace CommonDialog {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Icon { None, Critical, Question, Exclamation, Information };
enum class Answer { Ok, Cancel, Yes, No };

// A file dialog set up the way the program's common dialog is: the filter is written in the
// "Description|pattern|Description|pattern" form, the filter index counts from 1.
struct FileRequest {
    QString title;
    QString initialFolder;
    QString filter;
    int filterIndex = 0;  // 0 = keep the index of the last use
    QString defaultExtension;
    QString fileName;
    int flags = 0;
};

struct FileAnswer {
    bool accepted = false;
    QString fileName;
    int filterIndex = 1;
};

// The print dialog: what the program offers and what the user chose.
struct PrintRequest {
    int flags = 0;
    int copies = 1;
    int fromPage = 1, toPage = 1;
    int minPage = 1, maxPage = 1;
    int orientation = 1;  // 1 portrait, 2 landscape
};
struct PrintAnswer {
    bool accepted = false;
    bool pageRange = false;  // the user chose pages rather than all
    int fromPage = 1, toPage = 1;
    int copies = 1;
};

class Provider {
public:
    virtual ~Provider() = default;
    virtual Answer message(QWidget* parent, const QString& title, const QString& text,
                           Buttons buttons, Icon icon) = 0;
    virtual FileAnswer openFile(QWidget* parent, const FileRequest& request) = 0;
    virtual FileAnswer saveFile(QWidget* parent, const FileRequest& request) = 0;
    // The colour dialog, starting on `initial`; nullopt when cancelled.
    virtual std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) = 0;
    // Runs a modal dialog and returns its result code (QDialog::Accepted or Rejected).
    virtual int exec(QDialog* dialog) = 0;
    // The system's print dialog for `printer`; the printer keeps the chosen device.
    virtual PrintAnswer print(QWidget* parent, const PrintRequest& request, QPrinter* printer) = 0;
    // The print setup dialog: the printer's paper and orientation.
    virtual void printSetup(QWidget* parent, QPrinter* printer) = 0;
};

// The provider in force: the interactive one unless a test installed its own.
Provider& provider();
// Where the interactive file dialog opens for a request that names no folder, before it has
// been used: afterwards it opens where the last file was chosen, as one shared dialog does.
void setStartFolder(const QString& folder);
void setProvider(Provider* replacement);  // nullptr restores the interactive one

// "Text (*.txt)|*.txt|All|*.*" becomes Qt's "Text (*.txt);;All (*.*)" list. Each label shows
// the patterns its entry filters by once, in place of any the description names itself.
QStringList qtFilters(const QString& filter);

// Sets up `dialog` for `request` the way the interactive provider shows it: title, folder,
// filters with entry `filterIndex` (1-based) chosen, default extension and file name.
void setUpFileDialog(QFileDialog& dialog, const FileRequest& request, int filterIndex);

// The extension entry `filterIndex` (1-based) of `filter` ("Text (*.txt)|*.txt|...") stands
// for: its first pattern's, where that is "*.ext"; empty otherwise.
QString typeExtension(const QString& filter, int filterIndex);
// The entry (1-based) of `filter` that stands for the extension of `path`; 0 when none does.
int typeIndex(const QString& filter, const QString& path);

// Whether a file name ends in an extension of its own: one to five letters and digits, a letter
// among them. "Letter to Dr. Lee" (" Lee") and "Report v2.1" ("1") have none.
bool hasOwnExtension(const QString& name);

// The title message boxes use when the caller names none: the application's name.
QString defaultTitle();

}  // namespace CommonDialog
