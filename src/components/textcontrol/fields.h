#pragma once
// A field is a run of text whose character format carries an identifier, its field data
// (for a merge field "table.column") and its type.
#include <QTextFormat>

namespace Fields {

enum Property {
    IdProperty = QTextFormat::UserProperty + 1,
    DataProperty,
    TypeProperty,
};

enum Type {
    TextField = 0,   // merge fields and other fields whose text the program sets
    PageNumber = 3,  // rendered on each page as its number
    PageCount = 4,   // rendered on each page as the number of pages
};

}  // namespace Fields
