#include "testworkspace.h"

#include "documents/documenttable.h"
#include "documents/documentwindow.h"
#include "settings/apppaths.h"
#include "shell/mainwindow.h"
#include "shell/startup.h"
#include "support/scripteddialogs.h"

#include <QDir>
#include <QFile>

TestWorkspace::TestWorkspace()
{
    QDir(m_app.path()).mkdir(QStringLiteral("Documents"));
    AppPaths::setAppPath(m_app.path());
    AppPaths::setTempPath(m_temp.path());
}

TestWorkspace::~TestWorkspace()
{
    if (m_main) {
        ScriptedDialogs discard;  // whatever is still modified is closed without saving
        for (int i = 0; i < 100; ++i)
            discard.messageAnswers << CommonDialog::Answer::No;
        m_main->close();
    }
    m_main.reset();
    DocumentTable::shared().reset();
}

QString TestWorkspace::file(const QString& name) const { return m_app.filePath(name); }

QString TestWorkspace::writeFile(const QString& name, const QByteArray& bytes) const
{
    QFile f(file(name));
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return f.fileName();
}

MainWindow& TestWorkspace::start(const QString& commandLine)
{
    m_main = std::make_unique<MainWindow>();
    Startup::run(*m_main, commandLine);
    return *m_main;
}

DocumentWindow* TestWorkspace::active() { return m_main->activeDocumentWindow(); }

DocumentWindow* TestWorkspace::window(int slot) { return DocumentTable::shared().window(slot); }
