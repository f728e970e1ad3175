#pragma once
// A program directory and a temporary directory of the test's own, and a started program.
#include <QTemporaryDir>
#include <memory>

class MainWindow;
class DocumentWindow;

class TestWorkspace {
public:
    TestWorkspace();
    ~TestWorkspace();

    QString appPath() const { return m_app.path(); }
    QString tempPath() const { return m_temp.path(); }
    QString file(const QString& name) const;  // a path in the program directory
    QString writeFile(const QString& name, const QByteArray& bytes) const;

    // Starts the program with a command line; the main window lives until the workspace ends.
    MainWindow& start(const QString& commandLine = QString());
    MainWindow& main() { return *m_main; }
    DocumentWindow* active();
    DocumentWindow* window(int slot);

private:
    QTemporaryDir m_app;
    QTemporaryDir m_temp;
    std::unique_ptr<MainWindow> m_main;
};
