#pragma once
// The file formats the control reads and writes, by the number the program knows each by:
// its reader and writer, and what a load and a save do with the page values for it.
#include "components/textcontrol/document/pageinfo.h"

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace FormatRegistry {

enum Number { Native = 0, Text = 1, Html = 4, Rtf = 5, Word = 9, Docx = 10 };

// Where a read or a write finds what lies outside the bytes: linked images, found in and
// written relative to `imageFolder`.
struct Context {
    QString imageFolder;
};

struct Format {
    Number number;
    // Reads `bytes` into `target`, a fresh document; false when they are no document of the
    // format. `parts` (may be null) receives the header and footer of formats that hold them.
    bool (*read)(const QByteArray& bytes, QTextDocument* target, PageInfo& page, DocumentParts* parts,
                 const Context& context);
    QByteArray (*write)(const QTextDocument* source, const PageInfo& page, const DocumentParts* parts,
                        const Context& context);
    // The file carries the document's own page, which a load gives the control.
    bool keepsPage;
    // A save writes the page values the caller set for it instead of the control's.
    bool takesPageValues;
};

// The format of `number`; null for a number no format has.
const Format* find(int number);

}  // namespace FormatRegistry
