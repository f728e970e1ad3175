#pragma once
// Documents in shared folders: a document someone else has open, a save onto a file that
// changed on disk since it was opened, and the mark of a window opened read-only.
#include <QString>

namespace Texts {

inline const QString InUseTitle = QStringLiteral("Document in Use");
// `who`: the person and the computer; `since`: the time the lock was written; `age`: how long ago.
inline QString documentInUse(const QString& path, const QString& who, const QString& since, const QString& age)
{
    return QStringLiteral("%1 is open by %2 since %3 (%4).\n\n"
                          "Yes: open it read-only. You can read and print it, and save your changes "
                          "under another name with Save As.\n"
                          "No: open a copy as a new untitled document.\n"
                          "Cancel: do not open it.")
        .arg(path, who, since, age);
}
inline QString ageOf(qint64 minutes)
{
    if (minutes < 1)
        return QStringLiteral("just now");
    if (minutes < 60)
        return minutes == 1 ? QStringLiteral("1 minute ago") : QStringLiteral("%1 minutes ago").arg(minutes);
    const qint64 hours = minutes / 60;
    if (hours < 48)
        return hours == 1 ? QStringLiteral("1 hour ago") : QStringLiteral("%1 hours ago").arg(hours);
    return QStringLiteral("%1 days ago").arg(hours / 24);
}
inline const QString UnknownTime = QStringLiteral("an unknown time");
inline const QString AgeUnknown = QStringLiteral("age unknown");

// A save onto a file someone else has open.
inline QString savedOverInUse(const QString& path, const QString& who)
{
    return QStringLiteral("%1 is open by %2, so Scrivora does not save over it. "
                          "Save your document under another name with Save As, or save again "
                          "once it is closed there.")
        .arg(path, who);
}

// A save that finds the file changed since it was opened or last saved here.
inline const QString ChangedOnDiskTitle = QStringLiteral("File Changed on Disk");
inline QString changedOnDisk(const QString& path)
{
    return QStringLiteral("%1 was changed on disk since you opened or last saved it, probably by "
                          "someone else working on it at the same time.\n\n"
                          "Replace it with your version? Their changes will be lost.\n"
                          "Choose No to keep their file; you can then save yours under another "
                          "name with Save As.")
        .arg(path);
}

// Appended to the caption of a window opened read-only.
inline const QString ReadOnlyMark = QStringLiteral(" (read-only)");

}  // namespace Texts
