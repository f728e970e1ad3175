#include "filepaths.h"

#include <QDir>
#include <QFileInfo>

#include <sys/stat.h>

namespace FilePaths {

QString FileTitleOf(const QString& path)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        const QChar c = path.at(i);
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':'))
            return path.mid(i + 1);
    }
    return path;
}

bool samePath(const QString& a, const QString& b)
{
    QString ca = QFileInfo(a).canonicalFilePath();
    QString cb = QFileInfo(b).canonicalFilePath();
    if (ca.isEmpty() || cb.isEmpty()) {
        ca = QFileInfo(a).absoluteFilePath();
        cb = QFileInfo(b).absoluteFilePath();
    }
    const Qt::CaseSensitivity cs = ignoresCase(a) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    return ca.compare(cb, cs) == 0;
}

namespace {
int g_ignoresCaseOverride = -1;
}

void setIgnoresCaseOverride(int override) { g_ignoresCaseOverride = override; }

bool ignoresCase(const QString& path)
{
    if (g_ignoresCaseOverride >= 0)
        return g_ignoresCaseOverride == 1;
    // Ask the file system: does the folder's name with another case lead to the same folder?
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    const QString flipped = folder.toUpper() != folder ? folder.toUpper() : folder.toLower();
    if (flipped == folder)
        return false;
    struct stat a {}, b {};
    return ::stat(QFile::encodeName(folder).constData(), &a) == 0
        && ::stat(QFile::encodeName(flipped).constData(), &b) == 0 && a.st_dev == b.st_dev
        && a.st_ino == b.st_ino;
}

QString captionFor(const QString& path) { return ignoresCase(path) ? path.toUpper() : path; }

}  // namespace FilePaths
