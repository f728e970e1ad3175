// Makes the screenshots of the manual and the README: runs the program in a scripted
// session on the real display (use xvfb-run) and grabs the main window.
#include "components/textcontrol/textcontrol.h"
#include "documents/documentwindow.h"
#include "documents/documentwindows.h"
#include "documents/windowarrangement.h"
#include "settings/apppaths.h"
#include "shell/mainwindow.h"
#include "shell/startup.h"

#include <QApplication>
#include <QIcon>
#include <QMdiArea>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

namespace {

const char* Letter =
    "Dear Dr. Alvarez,\n\n"
    "Thank you for referring Mrs. Margaret O'Brien, whom I saw in the clinic on "
    "4 December 2026 for follow-up of her hypertension.\n\n"
    "Her blood pressure today was 128/82 on her current medication. I have asked her to "
    "continue the present dose and to return in three months with a home blood pressure "
    "diary.\n\n"
    "Please do not hesitate to contact me if you have any questions.\n\n"
    "Yours sincerely,\n\nDr. Helen Park";

void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Scrivora"));
    QIcon::setThemeName(QStringLiteral("Adwaita"));
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    MainWindow main;
    main.resize(1200, 800);
    Startup::run(main, QString());
    DocumentWindow* first = main.activeDocumentWindow();
    first->textControl()->setPlainText(QString::fromUtf8(Letter));
    DocumentWindow* second = DocumentWindows::NewDocumentWindow();
    second->textControl()->setPlainText(QString::fromUtf8(Letter));
    WindowArrangement::arrange(main.mdiArea(), WindowArrangement::TileVertical);
    main.mdiArea()->setActiveSubWindow(second->subWindow());
    main.selectZoomListIndex(1);  // 50 %
    main.mdiArea()->setActiveSubWindow(first->subWindow());
    settle();
    main.grab().save(out + QStringLiteral("/screenshot-two-windows.png"));
    return 0;
}
