#pragma once
// The files autosave leaves in the private temporary directory: per document the native form
// (".tx") beside a small index (".json"), both named after the program run that wrote them,
// and one lock per running program, so that a start can tell the files of a program that
// ended without closing from those of a program that is still running.
#include <QDateTime>
#include <QList>
#include <QString>
#include <memory>

class QLockFile;

struct RecoveryIndex {
    QString caption;       // the window's caption when it was saved
    QString originalPath;  // the file the document came from; empty for an untitled one
    int format = 0;        // the format a save to the original path writes
    QDateTime saved;       // UTC
};

struct RecoveryEntry {
    QString textFile;   // the native form
    QString indexFile;  // the index beside it
    RecoveryIndex index;
};

namespace RecoveryFiles {

// Both files of one document, each written atomically and readable only by the user. Safe on
// any thread. False when either could not be written.
bool write(const QString& textFile, const QByteArray& native, const RecoveryIndex& index);
void remove(const RecoveryEntry& entry);
QString indexFileFor(const QString& textFile);

}  // namespace RecoveryFiles

// The files of this program run: its lock, held while it runs, and its names.
class RecoverySession {
public:
    explicit RecoverySession(const QString& folder);
    ~RecoverySession();
    RecoverySession(const RecoverySession&) = delete;
    RecoverySession& operator=(const RecoverySession&) = delete;

    QString folder() const { return m_folder; }
    QString id() const { return m_id; }
    bool isLocked() const;
    // The native file of document `number` of this run.
    QString textFile(int number) const;
    // Removes every file of this run (the normal end).
    void removeAll();

    // The documents of runs that ended without closing: their locks are taken over and held
    // until releaseAdopted(), so that a second program starting now cannot offer them too.
    // Index files whose document is missing or unreadable are removed.
    QList<RecoveryEntry> adoptOrphans();
    void releaseAdopted();

private:
    QString m_folder;
    QString m_id;
    std::unique_ptr<QLockFile> m_lock;
    QList<std::shared_ptr<QLockFile>> m_adopted;
};
