// Scrivora: starts the main window with the command line the practice system hands over.
#include "documents/convertfile.h"
#include "documents/opendocument.h"
#include "shell/headlessmerge.h"
#include "merge/mergeconnection.h"
#include "settings/apppaths.h"
#include "shell/commandline.h"
#include "shell/mainwindow.h"
#include "shell/manpage.h"
#include "shell/memorypolicy.h"
#include "shell/quietoutput.h"
#include "shell/singleinstance.h"
#include "shell/startup.h"
#include "texts/mergetexts.h"
#include "texts/programtexts.h"
#include "version.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <cstdio>

int main(int argc, char* argv[])
{
    MemoryPolicy::apply();
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine options = CommandLine::parse(arguments);
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(options.error));
        return 2;
    }
    if (options.showHelp) {
        std::fputs(qPrintable(Texts::UsageText), stdout);
        return 0;
    }
    if (options.showManPage) {
        std::fputs(qPrintable(ManPage::fromUsage(Texts::UsageText, QStringLiteral(SCRIVORA_VERSION_STRING))),
                   stdout);
        return 0;
    }
    if (options.showVersion) {
        std::printf("scrivora %s\n", SCRIVORA_VERSION_STRING);
        return 0;
    }

    if (options.scramble) {
        const auto stored = MergeConnection::ScrambleSetting(MergeConnection::ScrambleKey, options.scramblePassword);
        if (!stored) {
            std::fprintf(stderr, "%s\n", qPrintable(Texts::passwordNotStorable));
            return 1;
        }
        std::printf("%s\n", stored->toUtf8().constData());
        return 0;
    }

    const bool headless = options.isHeadless();
    if (headless && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");  // no window is shown, no display needed
    QuietOutput::prepareRuntimeDirectory();
    QuietOutput::silenceGLib();
    if (headless)
        QuietOutput::silenceQt();
    QApplication app(argc, argv);
    QApplication::setApplicationName(Texts::MainCaption);
    QApplication::setApplicationVersion(QStringLiteral(SCRIVORA_VERSION_STRING));
    QGuiApplication::setDesktopFileName(QStringLiteral("scrivora"));  // the menu entry's icon and name
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor"))
        QIcon::setThemeName(QStringLiteral("Adwaita"));
    if (!options.appPath.isEmpty())
        AppPaths::setAppPath(options.appPath);
    if (!options.tempPath.isEmpty())
        AppPaths::setTempPath(options.tempPath);
    if (options.today.isValid())
        AppPaths::setToday(options.today);

    if (options.showPaths) {
        for (const AppPaths::PathInUse& entry : AppPaths::pathsInUse())
            std::printf("%-20s %s\n%-20s   (%s)\n", qPrintable(entry.what + QLatin1Char(':')),
                        qPrintable(entry.path), "", qPrintable(entry.origin));
        return 0;
    }
    if (headless) {
        if (!AppPaths::isTempPathSet())
            AppPaths::setTempPath(AppPaths::GetTempDirectory());
        QString error;
        const bool done = options.mergeTemplate.isEmpty()
            ? ConvertFile::convert(options.convertFrom, options.convertTo, &error)
            : HeadlessMerge::run(options.mergeTemplate, options.mergeOut, options.mergeWhere, &error);
        if (done)
            return 0;
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }

    // A second start hands its files to the program already running and ends; typing for a
    // demonstration needs a program of its own.
    SingleInstance instance;
    if (!options.newInstance && options.typing.isEmpty()) {
        const QString folder = AppPaths::isTempPathSet() ? AppPaths::TempPath() : AppPaths::GetTempDirectory();
        const InstanceRequest request{QDir::currentPath(), options.document, options.openFiles + options.files};
        if (!folder.isEmpty() && instance.start(folder, request) == SingleInstance::HandedOver)
            return 0;
    }

    MainWindow main;
    QObject::connect(&instance, &SingleInstance::requested, &main,
                     [&main](const InstanceRequest& request) { Startup::takeRequest(main, request); });
    Startup::run(main, options.document);
    const QStringList toOpen = options.openFiles + options.files;
    for (qsizetype opened = 0; opened <= toOpen.size(); ++opened) {
        if (opened > 0)
            OpenDocuments::OpenDocument(toOpen.at(opened - 1));
        for (const auto& [after, text] : options.typing)
            if (after == opened)
                Startup::typeText(text);
    }
    return app.exec();
}
