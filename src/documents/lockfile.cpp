#include "lockfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSysInfo>
#include <QUrl>
#include <cerrno>
#include <csignal>
#include <pwd.h>
#include <unistd.h>

namespace LockFile {
namespace {

const QString TimeFormat = QStringLiteral("dd.MM.yyyy HH:mm");
const QString PidFragment = QStringLiteral("pid=");

QString escaped(const QString& field)
{
    QString out;
    for (const QChar c : field) {
        if (c == QLatin1Char(',') || c == QLatin1Char(';') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        out += c;
    }
    return out;
}

// The fields up to the first unescaped semicolon; nullopt when there is none.
std::optional<QStringList> fields(const QString& text)
{
    QStringList out{QString()};
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\\') && i + 1 < text.size())
            out.last() += text.at(++i);
        else if (c == QLatin1Char(','))
            out << QString();
        else if (c == QLatin1Char(';'))
            return out;
        else
            out.last() += c;
    }
    return std::nullopt;
}

}  // namespace

QString Owner::who() const
{
    const QString name = fullName.isEmpty() ? user : fullName;
    return host.isEmpty() ? name : name + QStringLiteral(" (") + host + QLatin1Char(')');
}

QString pathFor(const QString& documentPath)
{
    const QFileInfo info(documentPath);
    return info.absoluteDir().filePath(QStringLiteral(".~lock.") + info.fileName() + QLatin1Char('#'));
}

QByteArray format(const Owner& owner)
{
    QString profile = owner.profile;
    if (owner.pid > 0)
        profile += QLatin1Char('#') + PidFragment + QString::number(owner.pid);
    const QStringList parts{owner.fullName, owner.user, owner.host, owner.since.toString(TimeFormat), profile};
    QStringList escapedParts;
    for (const QString& part : parts)
        escapedParts << escaped(part);
    return escapedParts.join(QLatin1Char(',')).toUtf8() + ';';
}

std::optional<Owner> parse(const QByteArray& bytes)
{
    const std::optional<QStringList> parts = fields(QString::fromUtf8(bytes));
    if (!parts || parts->size() < 5)
        return std::nullopt;
    Owner owner;
    owner.fullName = parts->at(0);
    owner.user = parts->at(1);
    owner.host = parts->at(2);
    owner.since = QDateTime::fromString(parts->at(3), TimeFormat);
    owner.profile = parts->at(4);
    const qsizetype hash = owner.profile.lastIndexOf(QLatin1Char('#') + PidFragment);
    if (hash >= 0) {
        owner.pid = owner.profile.mid(hash + 1 + PidFragment.size()).toLongLong();
        owner.profile.truncate(hash);
    }
    return owner;
}

Owner ourselves()
{
    Owner owner;
    if (const passwd* entry = ::getpwuid(::getuid())) {
        owner.user = QString::fromLocal8Bit(entry->pw_name);
        // The account's comment holds the full name before the first comma (room, telephone...).
        owner.fullName = QString::fromLocal8Bit(entry->pw_gecos).section(QLatin1Char(','), 0, 0).trimmed();
    }
    if (owner.user.isEmpty())
        owner.user = qEnvironmentVariable("USER");
    owner.host = QSysInfo::machineHostName();
    owner.since = QDateTime::currentDateTime();
    owner.profile = QUrl::fromLocalFile(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                                        + QStringLiteral("/clinora"))
                        .toString();
    owner.pid = ::getpid();
    return owner;
}

std::optional<Owner> read(const QString& documentPath)
{
    QFile file(pathFor(documentPath));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return parse(file.read(4096));
}

bool write(const QString& documentPath, const Owner& owner)
{
    // Written in place, not through a rename: the other programs do the same, and a share that
    // refuses renames still takes it.
    QFile file(pathFor(documentPath));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray bytes = format(owner);
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    file.close();
    if (!written)
        file.remove();
    return written;
}

bool isAbandonedByUs(const Owner& owner)
{
    const Owner self = ourselves();
    if (owner.pid <= 0 || owner.user != self.user || owner.host != self.host)
        return false;
    if (owner.pid == self.pid)
        return true;  // this process, which does not have the document open: left from before
    return ::kill(pid_t(owner.pid), 0) != 0 && errno == ESRCH;
}

bool isOurs(const Owner& owner)
{
    const Owner self = ourselves();
    return owner.pid == self.pid && owner.user == self.user && owner.host == self.host;
}

}  // namespace LockFile
