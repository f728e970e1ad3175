#pragma once
// Creating document windows in the slots of the document table.
class DocumentHost;
class DocumentWindow;

namespace DocumentWindows {

// Creates the window of `slot` (its set-up runs), tags and names it, and shows it.
DocumentWindow* createInSlot(DocumentHost* host, int slot);

// A new empty window in the first free slot, named "Untitled:" and its slot number.
DocumentWindow* NewDocumentWindow();

}  // namespace DocumentWindows
