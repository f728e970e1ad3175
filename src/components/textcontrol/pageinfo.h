#pragma once
// The page set-up a file carries, in twips; 0 where the file gives no value.
struct PageInfo {
    int width = 0;
    int height = 0;
    int marginL = 0;
    int marginT = 0;
    int marginR = 0;
    int marginB = 0;
    // From the paper's top edge to the header, and from its bottom edge to the footer.
    int header = 0;
    int footer = 0;
};

class QTextDocument;

// The header and footer that go with a body when a file is read or written; `present` holds
// 1 for a header and 4 for a footer.
struct DocumentParts {
    QTextDocument* header = nullptr;
    QTextDocument* footer = nullptr;
    int present = 0;
};
