#pragma once
// The sections of Word 97-2003 files: where each ends, how it starts (a new page or not), its
// page set-up and where its header and footer stand, from the section table and each
// section's property changes.
#include "littleendian.h"

#include "components/textcontrol/document/pageinfo.h"

#include <QList>

namespace Sections {

// How a section starts: on the same page, a new column, a new page, an even or an odd page.
enum class Start { Continuous = 0, NewColumn = 1, NewPage = 2, EvenPage = 3, OddPage = 4 };

struct Section {
    quint32 cpEnd = 0;  // the position after its last character (the section mark)
    Start start = Start::NewPage;
    bool titlePage = false;  // the first page has a header and footer of its own
    PageInfo page;           // with the distances of header and footer from the paper's edges
};

// The sections in order; a file without a section table has one of Word's defaults (Letter,
// 1.25 in side and 1 in top and bottom margins, header and footer 0.5 in from the edges).
QList<Section> read(const LittleEndian::Reader& wordDocument, const LittleEndian::Reader& table, quint32 fc, quint32 lcb);

}  // namespace Sections
