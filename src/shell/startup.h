#pragma once
// What happens when the program starts: paths, the first document window and the command
// line's file, clipboard or report.
#include <QString>

class MainWindow;
struct InstanceRequest;

namespace Startup {

// Runs the start-up on a freshly made main window. `commandLine` is the command line as
// one string, the way the practice system hands it over.
void run(MainWindow& main, const QString& commandLine);

// What a second start handed over: its files open in windows of their own, as File > Open
// opens them, its command line's document as the start-up takes one, and the program comes to
// the front. Waits for a question on the screen to be answered.
void takeRequest(MainWindow& main, const InstanceRequest& request);

// Types `text` into the active document window as keys, the way a user would.
void typeText(const QString& text);

// Loads a .rtf or .txt file into the active document window; reports a failure. True when
// a document was loaded.
bool ImportIntoActiveWindow(const QString& path);

}  // namespace Startup
