#include "sharedfile.h"

#include "components/commondialog/commondialog.h"
#include "hosts/documenthost.h"
#include "filepaths.h"
#include "lockfile.h"
#include "texts/sharingtexts.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QHash>
#include <QLocale>

namespace {

// The lock beside `path` when it is someone else's: not ours, not left by a program of ours
// that ended.
std::optional<LockFile::Owner> othersLock(const QString& path)
{
    const std::optional<LockFile::Owner> owner = LockFile::read(path);
    if (!owner || LockFile::isOurs(*owner) || LockFile::isAbandonedByUs(*owner))
        return std::nullopt;
    return owner;
}

// How many of this program's windows hold each lock: one file can be open in two windows (a
// merge's letters, --open), and the lock goes only with the last of them.
QHash<QString, int>& holders()
{
    static QHash<QString, int> count;
    return count;
}

QString lockKey(const QString& path) { return LockFile::pathFor(path); }

}  // namespace

SharedFile::~SharedFile() { release(); }

SharedFile::Access SharedFile::askBeforeOpening(const QString& path)
{
    const std::optional<LockFile::Owner> owner = othersLock(path);
    if (!owner)
        return Edit;
    const bool known = owner->since.isValid();
    // To the minute, as the lock keeps it.
    const QString since = known ? QLocale().toString(owner->since.date(), QLocale::ShortFormat) + QLatin1Char(' ')
            + owner->since.time().toString(QStringLiteral("HH:mm"))
                                : Texts::UnknownTime;
    const QString age = known ? Texts::ageOf(owner->since.secsTo(QDateTime::currentDateTime()) / 60) : Texts::AgeUnknown;
    DocumentHost* host = DocumentHost::current();
    switch (CommonDialog::provider().message(host ? host->hostWidget() : nullptr, Texts::InUseTitle,
                                             Texts::documentInUse(path, owner->who(), since, age),
                                             CommonDialog::Buttons::YesNoCancel, CommonDialog::Icon::Exclamation)) {
    case CommonDialog::Answer::Yes: return ReadOnly;
    case CommonDialog::Answer::No: return Copy;
    default: return Cancel;
    }
}

QString SharedFile::otherHolder(const QString& path)
{
    const std::optional<LockFile::Owner> owner = othersLock(path);
    return owner ? owner->who() : QString();
}

void SharedFile::opened(const QString& path, Access access)
{
    release();
    m_readOnly = access == ReadOnly;
    if (access == Copy)
        return;  // the copy has no file of its own yet
    m_path = path;
    m_stamp = stampOf(path);
    if (!m_readOnly)
        lock(path);
}

void SharedFile::saved(const QString& path)
{
    if (!FilePaths::samePath(path, m_lockedPath) || m_readOnly) {
        release();
        m_readOnly = false;
        lock(path);
    }
    m_path = path;
    m_stamp = stampOf(path);
}

bool SharedFile::changedOnDisk(const QString& path) const
{
    if (m_path.isEmpty() || !FilePaths::samePath(path, m_path) || !QFile::exists(path))
        return false;
    return !(stampOf(path) == m_stamp);
}

void SharedFile::release()
{
    if (m_lockedPath.isEmpty())
        return;
    const QString key = lockKey(m_lockedPath);
    const bool last = --holders()[key] <= 0;
    if (last)
        holders().remove(key);
    // Only our own lock is removed: someone may have taken the file over since.
    const std::optional<LockFile::Owner> owner = LockFile::read(m_lockedPath);
    if (last && owner && LockFile::isOurs(*owner))
        QFile::remove(LockFile::pathFor(m_lockedPath));
    m_lockedPath.clear();
}

void SharedFile::lock(const QString& path)
{
    // A folder that refuses the lock (a read-only share) still lets the document open.
    if (LockFile::write(path, LockFile::ourselves())) {
        m_lockedPath = path;
        ++holders()[lockKey(path)];
    }
}

SharedFile::Stamp SharedFile::stampOf(const QString& path)
{
    Stamp stamp;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return stamp;
    stamp.size = file.size();
    // The contents, not the time: a network share may keep times to two seconds only, and a
    // file touched without a change is no one else's edit.
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    stamp.hash = hash.result();
    return stamp;
}
