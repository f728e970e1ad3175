#pragma once
// A document's file as others may share it: the lock beside it while the window has it open,
// whether the window only reads it, and what the file looked like when it was last read or
// written here, so that a save notices a file someone else changed in the meantime.
#include <QByteArray>
#include <QString>

class SharedFile {
public:
    SharedFile() = default;
    SharedFile(const SharedFile&) = delete;
    SharedFile& operator=(const SharedFile&) = delete;
    ~SharedFile();  // a closed window's lock goes with it

    // How the user wants a file opened that another program or person may have open.
    enum Access { Edit, ReadOnly, Copy, Cancel };
    // Edit when nobody else has it open (a lock of ours that no running program holds counts as
    // nobody's); otherwise the user is asked, naming who has it and since when.
    static Access askBeforeOpening(const QString& path);
    // Who has `path` open, as the user is told; empty when nobody else has.
    static QString otherHolder(const QString& path);

    // The document of `path` is in the window: locked unless only read, and remembered as it is.
    void opened(const QString& path, Access access);
    // The document was written to `path`: the lock moves there and the window edits it.
    void saved(const QString& path);
    // Whether `path`, the window's own file, differs from what was last read or written here.
    bool changedOnDisk(const QString& path) const;
    bool isReadOnly() const { return m_readOnly; }
    void release();

private:
    struct Stamp {
        qint64 size = -1;
        QByteArray hash;
        bool operator==(const Stamp&) const = default;
    };
    static Stamp stampOf(const QString& path);
    void lock(const QString& path);

    QString m_path;        // the file as opened or saved
    QString m_lockedPath;  // the document whose lock is ours; empty when none was written
    Stamp m_stamp;
    bool m_readOnly = false;
};
