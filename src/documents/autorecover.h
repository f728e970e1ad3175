#pragma once
// Autosave: every modified document is copied at an interval into the private temporary
// directory, so that a program or machine that dies loses at most that interval of typing;
// at the next start the copies of a program that did not end are offered for recovery.
// The copies go when they are no longer needed: when the document is saved or closed, and
// all of them at a normal exit.
#include "recoveryfiles.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QThreadPool>
#include <QTimer>
#include <chrono>

class DocumentHost;
class DocumentWindow;

class AutoRecover : public QObject {
    Q_OBJECT
public:
    AutoRecover(DocumentHost* host, const QString& folder, QObject* parent = nullptr);
    ~AutoRecover() override;

    // The one of the running program, or nullptr.
    static AutoRecover* instance();
    // A document was saved: its copy is no longer needed.
    static void documentSaved(DocumentWindow* window);

    // "AutoRecoverMinutes" of the settings file: minutes (fractions allowed), 0 turns autosave
    // off, missing or unreadable gives the default of 5.
    static std::chrono::milliseconds intervalSetting();
    void setInterval(std::chrono::milliseconds interval);
    QTimer* timer() { return &m_timer; }
    RecoverySession& session() { return m_session; }

    // The timer's work: the native form of each modified document made here, written to its
    // files on a worker thread.
    void saveNow();
    // Returns once every write started so far is on disk (tests, exit).
    void waitForWrites();

    // At start: offers the documents of programs that did not end and acts on the answers.
    void offerRecovery();
    // A window whose document came from `entry`: the copy becomes this program's own.
    void adopt(DocumentWindow* window, const RecoveryEntry& entry);

private:
    int numberOf(DocumentWindow* window);
    void forget(QObject* window);
    // Back on the GUI thread after a write.
    void written(int number, bool ok, const QString& caption);

    DocumentHost* m_host;
    RecoverySession m_session;
    QTimer m_timer;
    QThreadPool m_pool;
    QHash<QObject*, int> m_numbers;  // window -> number of its copy
    QSet<int> m_live;                // numbers whose copy is still wanted
    int m_nextNumber = 1;
    bool m_failureReported = false;
};
