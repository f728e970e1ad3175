#pragma once
// A file system of a few kilobytes, filled to the last byte, for saves that meet a full disk.
// Mounting needs the superuser; where it fails, path() is empty and the test skips.
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>

class FullDisk {
public:
    // `files` are written first: documents whose save then meets the full disk.
    explicit FullDisk(const QMap<QString, QByteArray>& files = {})
    {
        if (QProcess::execute(QStringLiteral("mount"), {"-t", "tmpfs", "-o", "size=16k", "tmpfs", m_dir.path()}) != 0)
            return;
        m_mounted = true;
        for (auto it = files.begin(); it != files.end(); ++it) {
            QFile file(m_dir.filePath(it.key()));
            if (file.open(QIODevice::WriteOnly))
                file.write(it.value());
        }
        QFile filler(m_dir.filePath(QStringLiteral("filler")));
        if (filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            while (filler.write(QByteArray(4096, 'x')) > 0) {}
    }
    ~FullDisk()
    {
        if (m_mounted)
            QProcess::execute(QStringLiteral("umount"), {m_dir.path()});
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    QString path() const { return m_mounted ? m_dir.path() : QString(); }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};
