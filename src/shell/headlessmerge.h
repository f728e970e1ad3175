#pragma once
// scrivora --merge TEMPLATE OUT [--where "COLUMN OP VALUE"]: the Merge to New Document of
// the tool bar without a window, for the practice's scripts.
#include <QString>

namespace HeadlessMerge {

struct Criterion {
    QString column, op, value;
    int compareIndex = -1;
};
// "COLUMN OP VALUE": the first word, the second word, the rest as typed; nullopt-like
// (compareIndex -1) when the comparison is not one of = <= < >= > Like.
Criterion parseWhere(const QString& where);

// Writes OUT in the format of its extension, as --convert does (.pdf: the letters' pages). True on success, else `error`
// holds the message for the user.
bool run(const QString& templatePath, const QString& out, const QString& where, QString* error);

}  // namespace HeadlessMerge
