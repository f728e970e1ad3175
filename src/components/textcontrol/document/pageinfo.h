#pragma once
#include <initializer_list>

// The page set-up a file carries, in twips; 0 where the file gives no value.
struct PageInfo {
    int width = 0;
    int height = 0;
    int marginL = 0;
    int marginT = 0;
    int marginR = 0;
    int marginB = 0;
    // From the paper's top edge to the header's top, and from the bottom edge to the footer's
    // last line.
    int headerY = 0;
    int footerY = 0;

    // Takes every value `over` gives.
    void overlay(const PageInfo& over)
    {
        for (auto field : {&PageInfo::width, &PageInfo::height, &PageInfo::marginL, &PageInfo::marginT,
                           &PageInfo::marginR, &PageInfo::marginB, &PageInfo::headerY, &PageInfo::footerY})
            if (over.*field > 0)
                this->*field = over.*field;
    }
};

class QTextDocument;

// The header and footer that go with a body when a file is read or written, and the first
// page's own; `present` holds 1 for a header, 2 for the first page's own header (which may be
// empty: the first page then shows none), 4 for a footer and 8 for the first page's own footer.
struct DocumentParts {
    QTextDocument* header = nullptr;
    QTextDocument* footer = nullptr;
    int present = 0;
    QTextDocument* firstHeader = nullptr;
    QTextDocument* firstFooter = nullptr;

    // The document of a part by its bit.
    QTextDocument* part(int bit) const
    {
        switch (bit) {
        case 1: return header;
        case 2: return firstHeader;
        case 4: return footer;
        case 8: return firstFooter;
        default: return nullptr;
        }
    }
    // Whether the first page shows parts of its own; Word's formats give them in pairs.
    bool titlePage() const { return present & 10; }
    // What such a first page shows in the header's place (`header`) or the footer's: its own
    // part, else the one every page shows; none where neither is on.
    QTextDocument* onFirstPage(bool header) const
    {
        const int own = header ? 2 : 8, every = header ? 1 : 4;
        return part(present & own ? own : present & every);
    }
};
