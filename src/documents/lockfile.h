#pragma once
// The lock file other office programs on Linux put beside a document they have open
// (".~lock.NAME#"), read and written in their form, so that they see our locks and we theirs:
// one line of fields separated by commas and ended by a semicolon,
//     full name,user,host,DD.MM.YYYY HH:MM,profile URL;
// with a backslash before a comma, semicolon or backslash inside a field. Our process number
// rides in the profile URL's fragment, a field the other programs only compare with their own.
#include <QDateTime>
#include <QString>
#include <optional>

namespace LockFile {

struct Owner {
    QString fullName;  // may be empty: the other programs leave it so until the user names himself
    QString user;
    QString host;
    QDateTime since;   // minute precision, local time
    QString profile;
    qint64 pid = 0;    // ours only; 0 when the lock does not carry one

    // What a person is shown: the full name, else the user name, with the host.
    QString who() const;
};

// ".~lock.NAME#" in the folder of `documentPath`.
QString pathFor(const QString& documentPath);

QByteArray format(const Owner& owner);
std::optional<Owner> parse(const QByteArray& bytes);

// This program's process as a lock names it.
Owner ourselves();

// The lock beside `documentPath`, when there is one that can be read.
std::optional<Owner> read(const QString& documentPath);
// Writes our lock beside `documentPath`; false when the folder does not take it.
bool write(const QString& documentPath, const Owner& owner);

// A lock left by a program of this user on this host whose process has ended.
bool isAbandonedByUs(const Owner& owner);
// A lock this very process wrote.
bool isOurs(const Owner& owner);

}  // namespace LockFile
