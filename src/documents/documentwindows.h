#pragma once
// Creating document windows in the slots of the document table.
class DocumentHost;
class DocumentWindow;

namespace DocumentWindows {

enum Visibility { Shown, Hidden };

// Creates the window of `slot` (its set-up runs), tags and names it, and shows it unless
// asked to wait (a window being loaded is shown once its document is in).
DocumentWindow* createInSlot(DocumentHost* host, int slot, Visibility visibility = Shown);
void show(DocumentWindow* window);
// Closes a window that never became a document, freeing its slot.
void discard(DocumentWindow* window);

// A new empty window in the first free slot, named "Untitled:" and its slot number.
DocumentWindow* NewDocumentWindow();

}  // namespace DocumentWindows
