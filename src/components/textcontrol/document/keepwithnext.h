#pragma once
// A paragraph kept on the page of the one after it, as a heading is kept with its text; Qt's
// formats have no such property.
#include <QTextFormat>

namespace KeepWithNext {

constexpr int Property = QTextFormat::UserProperty + 46;

inline bool of(const QTextBlockFormat& format) { return format.boolProperty(Property); }
inline void set(QTextBlockFormat& format, bool keep)
{
    if (keep)
        format.setProperty(Property, true);
    else
        format.clearProperty(Property);
}

}  // namespace KeepWithNext
