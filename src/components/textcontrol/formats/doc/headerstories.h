#pragma once
// Which of the header document's stories a .doc reader shows, and where: the engine has one
// header and one footer for the whole document, and the first page's own, so the first
// section's (or, when it has none, the first later section's that has one) become them, and the
// text of every other header or footer that Word shows is kept after the body with the notes,
// once for each different text.
#include "littleendian.h"

#include <QList>
#include <QString>
#include <functional>

namespace HeaderStories {

// A story's characters, its closing paragraph mark (a guard between stories) included.
struct Range {
    quint32 from = 0, to = 0;
    bool isEmpty() const { return from >= to; }
};

// The stories of the header document by index (six separator stories, then six for each
// section: even header, odd header, even footer, odd footer, first-page header and footer),
// from the header-story table; `base` is where the header document starts among the file's
// characters and `end` where it ends.
QList<Range> read(const LittleEndian::Reader& table, quint32 fc, quint32 lcb, quint32 base, quint32 end);

struct Choice {
    Range header, footer;
    // The first section's first page's own parts, where it shows them (`titlePage`); an empty
    // one shows nothing.
    bool titlePage = false;
    Range firstHeader, firstFooter;
    QList<Range> others;  // in reading order: section by section, headers before footers
};

// `titlePages` holds for each section whether its first page has its own header and footer;
// `facingPages` whether even pages have theirs; `text` gives a story's characters, by which
// stories of the same text are told apart from different ones. Without `firstPageParts` the
// first page's own parts are kept with the others.
Choice choose(const QList<Range>& stories, const QList<bool>& titlePages, bool facingPages,
              const std::function<QString(Range)>& text, bool firstPageParts = true);

}  // namespace HeaderStories
