#include "programtexts.h"

namespace Texts {

QString undoCaption(int kind)
{
    switch (kind) {
    case 1: return QStringLiteral("Undo Input");
    case 2: return QStringLiteral("Undo Deletion");
    case 3: return QStringLiteral("Undo Formatting");
    default: return QStringLiteral("Undo");
    }
}

QString redoCaption(int kind)
{
    switch (kind) {
    case 10: return QStringLiteral("Redo Input");
    case 11: return QStringLiteral("Redo Deletion");
    case 12: return QStringLiteral("Redo Formatting");
    default: return QStringLiteral("Redo");
    }
}

QString versionLine(int major, int minor, int revision)
{
    return QStringLiteral("Version %1.%2.%3").arg(major).arg(minor).arg(revision);
}

}  // namespace Texts
