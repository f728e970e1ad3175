#include "autorecover.h"

#include "components/commondialog/commondialog.h"
#include "components/textcontrol/textcontrol.h"
#include "hosts/documenthost.h"
#include "documenttable.h"
#include "documentwindow.h"
#include "merge/windowmerge.h"
#include "recoverydialog.h"
#include "savedocument.h"
#include "settings/apppaths.h"
#include "settings/settingsfile.h"
#include "texts/recoverytexts.h"

#include <QApplication>
#include <QFile>
#include <QPointer>

namespace {

QPointer<AutoRecover> g_instance;
constexpr double DefaultMinutes = 5;
// A shorter interval would write more than anyone types; fractions of a minute serve tests.
constexpr std::chrono::milliseconds ShortestInterval{200};

}  // namespace

AutoRecover::AutoRecover(DocumentHost* host, const QString& folder, QObject* parent)
    : QObject(parent), m_host(host), m_session(folder)
{
    m_pool.setMaxThreadCount(1);  // one write at a time, in the order they were taken
    connect(&m_timer, &QTimer::timeout, this, [this] {
        // A modal window (a merge's progress, a save dialog) may be halfway through changing a
        // document or its record source; the next interval copies what it left.
        if (!QApplication::activeModalWidget())
            saveNow();
    });
    g_instance = this;
}

AutoRecover::~AutoRecover()
{
    m_timer.stop();
    waitForWrites();
    m_session.removeAll();  // a normal end: nothing is left to recover
}

AutoRecover* AutoRecover::instance() { return g_instance.data(); }

void AutoRecover::documentSaved(DocumentWindow* window)
{
    if (AutoRecover* recover = instance())
        recover->forget(window);
}

std::chrono::milliseconds AutoRecover::intervalSetting()
{
    const QString text = SettingsFile::ReadSetting(AppPaths::settingsFilesToRead(), QStringLiteral("Word Processor"),
                                                   QStringLiteral("AutoRecoverMinutes")).trimmed();
    bool ok = false;
    double minutes = text.toDouble(&ok);
    if (!ok || minutes < 0 || minutes > 24 * 60)
        minutes = DefaultMinutes;
    return std::chrono::milliseconds(qint64(minutes * 60000));
}

void AutoRecover::setInterval(std::chrono::milliseconds interval)
{
    if (interval.count() <= 0 || !m_session.isLocked()) {
        m_timer.stop();
        return;
    }
    m_timer.start(std::max(interval, ShortestInterval));
}

int AutoRecover::numberOf(DocumentWindow* window)
{
    auto it = m_numbers.constFind(window);
    if (it != m_numbers.cend())
        return it.value();
    const int number = m_nextNumber++;
    m_numbers.insert(window, number);
    m_live.insert(number);
    connect(window, &QObject::destroyed, this, &AutoRecover::forget);
    return number;
}

void AutoRecover::saveNow()
{
    if (!m_session.isLocked())
        return;  // without a lock another start would take the copies for a dead program's
    for (DocumentWindow* window : DocumentTable::shared().openWindows()) {
        const DocumentState* state = DocumentTable::shared().stateForTag(window->tag());
        if (!state || !state->Dirty) {
            forget(window);
            continue;
        }
        const int number = numberOf(window);
        RecoveryIndex index;
        index.caption = window->caption();
        index.originalPath = window->filePath();
        index.format = index.originalPath.isEmpty() ? TextControl::FormatNative
                                                    : SaveDocuments::formatForPath(index.originalPath);
        index.saved = QDateTime::currentDateTimeUtc();
        // The native form is made here, between two of the user's edits, and is a cheaper copy
        // than a cloned document (bench_autorecover); only the writing goes to the worker. A
        // template in merged view is copied with its fields, never with a record's values.
        QByteArray native;
        window->merge()->inFieldView([&] {
            native = window->textControl()->nativeForm();
            return true;
        });
        const QString textFile = m_session.textFile(number);
        m_pool.start([this, native, index, textFile, number] {
            const bool ok = RecoveryFiles::write(textFile, native, index);
            QMetaObject::invokeMethod(
                this, [this, number, ok, caption = index.caption] { written(number, ok, caption); },
                Qt::QueuedConnection);
        });
    }
}

void AutoRecover::written(int number, bool ok, const QString& caption)
{
    if (!ok && !m_failureReported) {
        m_failureReported = true;  // once: the next interval would only say it again
        CommonDialog::provider().message(m_host->hostWidget(), Texts::RecoverTitle,
                                         Texts::cantAutosave(caption, m_session.folder()),
                                         CommonDialog::Buttons::Ok, CommonDialog::Icon::Exclamation);
    }
    if (m_live.contains(number))
        return;
    // Saved or closed while its copy was being written: the copy is not wanted.
    const QString textFile = m_session.textFile(number);
    RecoveryFiles::remove({textFile, RecoveryFiles::indexFileFor(textFile), {}});
}

void AutoRecover::waitForWrites() { m_pool.waitForDone(); }

void AutoRecover::forget(QObject* window)
{
    const auto it = m_numbers.find(window);
    if (it == m_numbers.end())
        return;
    const int number = it.value();
    m_numbers.erase(it);
    m_live.remove(number);
    disconnect(window, &QObject::destroyed, this, &AutoRecover::forget);
    const QString textFile = m_session.textFile(number);
    RecoveryFiles::remove({textFile, RecoveryFiles::indexFileFor(textFile), {}});
}

void AutoRecover::adopt(DocumentWindow* window, const RecoveryEntry& entry)
{
    const int number = numberOf(window);
    const QString textFile = m_session.textFile(number);
    if (!QFile::rename(entry.textFile, textFile) || !QFile::rename(entry.indexFile, RecoveryFiles::indexFileFor(textFile)))
        RecoveryFiles::remove(entry);  // the open window holds the text; the next autosave copies it
}

void AutoRecover::offerRecovery()
{
    const QList<RecoveryEntry> entries = m_session.adoptOrphans();
    if (!entries.isEmpty())
        RecoveryDialog::offer(m_host, this, entries);
    m_session.releaseAdopted();
}
