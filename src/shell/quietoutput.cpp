#include "quietoutput.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QtGlobal>
#include <glib.h>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace QuietOutput {

void prepareRuntimeDirectory()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QByteArray folder =
        QFile::encodeName(QDir::tempPath()) + "/scrivora-runtime-" + QByteArray::number(getuid());
    struct stat info {};
    if (::mkdir(folder.constData(), 0700) != 0 && ::lstat(folder.constData(), &info) != 0)
        return;
    // A folder of that name that another user made, or a link, is not ours to use.
    if (::lstat(folder.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid())
        return;
    if ((info.st_mode & 0777) != 0700 && ::chmod(folder.constData(), 0700) != 0)
        return;
    qputenv("XDG_RUNTIME_DIR", folder);
}

void silenceGLib()
{
    g_log_set_default_handler([](const gchar*, GLogLevelFlags, const gchar*, gpointer) {}, nullptr);
}

void silenceQt()
{
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtFatalMsg) {
            fputs(qPrintable(message), stderr);
            fputc('\n', stderr);
        }
    });
}

}  // namespace QuietOutput
