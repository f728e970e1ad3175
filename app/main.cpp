// Scrivora: starts the main window with the command line the practice system hands over.
#include "documents/convertfile.h"
#include "settings/apppaths.h"
#include "shell/commandline.h"
#include "shell/mainwindow.h"
#include "shell/startup.h"
#include "texts/programtexts.h"
#include "version.h"

#include <QApplication>
#include <QIcon>
#include <cstdio>

int main(int argc, char* argv[])
{
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
    if (options.showVersion) {
        std::printf("scrivora %s\n", SCRIVORA_VERSION_STRING);
        return 0;
    }

    const bool headless = !options.convertFrom.isEmpty();
    if (headless && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");  // no window is shown, no display needed
    QApplication app(argc, argv);
    QApplication::setApplicationName(Texts::MainCaption);
    QApplication::setApplicationVersion(QStringLiteral(SCRIVORA_VERSION_STRING));
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor"))
        QIcon::setThemeName(QStringLiteral("Adwaita"));
    if (!options.appPath.isEmpty())
        AppPaths::setAppPath(options.appPath);
    if (!options.tempPath.isEmpty())
        AppPaths::setTempPath(options.tempPath);
    if (options.today.isValid())
        AppPaths::setToday(options.today);

    if (headless) {
        QString error;
        if (ConvertFile::convert(options.convertFrom, options.convertTo, &error))
            return 0;
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }

    MainWindow main;
    Startup::run(main, options.document);
    return app.exec();
}
