#pragma once
// The merge tool bar of a document window: field menu, record navigation, find, merged view,
// merge to a new document and the record label, built into the window's panel.
class LatchButton;
class Panel;
class RecordNumberBox;

struct MergeToolbar {
    LatchButton* cmdmmflds = nullptr;
    LatchButton* cmddata[4] = {};
    LatchButton* cmdfind = nullptr;
    LatchButton* cmdmmerge = nullptr;
    LatchButton* cmdshow = nullptr;
    RecordNumberBox* lblrecs = nullptr;

    // Fills `panel`; the buttons start as field view has them.
    static MergeToolbar build(Panel* panel);
    // Field view (false) or merged view (true): which buttons may be used.
    void enableFor(bool merged);
};
