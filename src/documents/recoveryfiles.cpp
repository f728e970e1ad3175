#include "recoveryfiles.h"

#include "components/savefile.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QMap>
#include <QRandomGenerator>
#include <QSaveFile>

#include <unistd.h>

namespace {

const QString Prefix = QStringLiteral("~Recover-");
const QString TextEnding = QStringLiteral(".tx");
const QString IndexEnding = QStringLiteral(".json");
const QString LockEnding = QStringLiteral(".lock");

bool writePrivately(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly)
        && file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)
        && file.write(bytes) == bytes.size() && SaveFile::commit(file);
}

QByteArray encode(const RecoveryIndex& index)
{
    QJsonObject object;
    object[QStringLiteral("caption")] = index.caption;
    object[QStringLiteral("path")] = index.originalPath;
    object[QStringLiteral("format")] = index.format;
    object[QStringLiteral("saved")] = index.saved.toUTC().toString(Qt::ISODateWithMs);
    return QJsonDocument(object).toJson();
}

std::optional<RecoveryIndex> decode(const QByteArray& bytes)
{
    const QJsonDocument document = QJsonDocument::fromJson(bytes);
    if (!document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    RecoveryIndex index;
    index.caption = object.value(QStringLiteral("caption")).toString();
    index.originalPath = object.value(QStringLiteral("path")).toString();
    index.format = object.value(QStringLiteral("format")).toInt();
    index.saved = QDateTime::fromString(object.value(QStringLiteral("saved")).toString(), Qt::ISODateWithMs);
    if (index.caption.isEmpty())
        return std::nullopt;
    return index;
}

// The run a file belongs to: "~Recover-<run>-<n>.tx", "~Recover-<run>.lock" and what a write
// that was cut short left behind all give "<run>" (run names hold neither '-' nor '.').
QString runOf(const QString& name)
{
    if (!name.startsWith(Prefix))
        return {};
    qsizetype end = Prefix.size();
    while (end < name.size() && name.at(end) != QLatin1Char('-') && name.at(end) != QLatin1Char('.'))
        ++end;
    return name.mid(Prefix.size(), end - Prefix.size());
}

std::optional<RecoveryEntry> entryFor(const QString& indexFile)
{
    RecoveryEntry entry;
    entry.indexFile = indexFile;
    entry.textFile = indexFile.left(indexFile.size() - IndexEnding.size()) + TextEnding;
    QFile file(indexFile);
    const auto index = file.open(QIODevice::ReadOnly) ? decode(file.read(1 << 20)) : std::nullopt;
    if (!index || !QFileInfo(entry.textFile).isFile())
        return std::nullopt;
    entry.index = *index;
    return entry;
}

// A lock held for as long as its program runs: only a dead holder makes it stale, never age.
std::unique_ptr<QLockFile> lockFor(const QString& folder, const QString& run)
{
    auto lock = std::make_unique<QLockFile>(QDir(folder).filePath(Prefix + run + LockEnding));
    lock->setStaleLockTime(0);
    return lock;
}

}  // namespace

namespace RecoveryFiles {

QString indexFileFor(const QString& textFile)
{
    return textFile.left(textFile.size() - TextEnding.size()) + IndexEnding;
}

bool write(const QString& textFile, const QByteArray& native, const RecoveryIndex& index)
{
    // The document first: an index never names a text older than itself.
    return writePrivately(textFile, native) && writePrivately(indexFileFor(textFile), encode(index));
}

void remove(const RecoveryEntry& entry)
{
    QFile::remove(entry.indexFile);
    QFile::remove(entry.textFile);
}

}  // namespace RecoveryFiles

RecoverySession::RecoverySession(const QString& folder) : m_folder(folder)
{
    // A fresh name per run; the process id only makes the files easier to tell apart.
    for (int attempt = 0; attempt < 8 && !isLocked(); ++attempt) {
        m_id = QString::number(::getpid()) + QLatin1Char('x')
            + QString::number(QRandomGenerator::system()->generate(), 36);
        auto lock = lockFor(m_folder, m_id);
        if (lock->tryLock(0)) {
            m_lock = std::move(lock);
            QFile::setPermissions(QDir(m_folder).filePath(Prefix + m_id + LockEnding),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        }
    }
}

RecoverySession::~RecoverySession() { releaseAdopted(); }

bool RecoverySession::isLocked() const { return m_lock && m_lock->isLocked(); }

QString RecoverySession::textFile(int number) const
{
    return QDir(m_folder).filePath(Prefix + m_id + QLatin1Char('-') + QString::number(number) + TextEnding);
}

void RecoverySession::removeAll()
{
    const QDir folder(m_folder);
    const QString own = Prefix + m_id + QLatin1Char('-');
    for (const QString& name : folder.entryList({own + QLatin1Char('*')}, QDir::Files | QDir::Hidden))
        QFile::remove(folder.filePath(name));
}

QList<RecoveryEntry> RecoverySession::adoptOrphans()
{
    const QDir folder(m_folder);
    QMap<QString, QStringList> runs;  // run -> its files, in name order
    for (const QString& name :
         folder.entryList({Prefix + QStringLiteral("*")}, QDir::Files | QDir::Hidden, QDir::Name)) {
        const QString run = runOf(name);
        if (!run.isEmpty() && run != m_id)
            runs[run] << name;
    }
    QList<RecoveryEntry> entries;
    for (auto it = runs.cbegin(); it != runs.cend(); ++it) {
        std::shared_ptr<QLockFile> lock = lockFor(m_folder, it.key());
        if (!lock->tryLock(0))
            continue;  // its program is still running
        m_adopted << lock;
        QStringList kept{Prefix + it.key() + LockEnding};
        for (const QString& name : it.value()) {
            if (!name.endsWith(IndexEnding))
                continue;
            if (const auto entry = entryFor(folder.filePath(name))) {
                entries << *entry;
                kept << name << QFileInfo(entry->textFile).fileName();
            }
        }
        // Half a pair, or a write cut short, recovers nothing.
        for (const QString& name : it.value())
            if (!kept.contains(name))
                QFile::remove(folder.filePath(name));
    }
    return entries;
}

void RecoverySession::releaseAdopted()
{
    for (const auto& lock : m_adopted)
        lock->unlock();
    m_adopted.clear();
}
