// Autosave of a 100-page letter: the part on the GUI thread (what the user could feel as a
// pause; it must stay well under 50 ms) and the writing done on the worker thread.
#include "samples.h"

#include "components/textcontrol/textcontrol.h"
#include "documents/autorecover.h"
#include "documents/documenttable.h"
#include "documents/documentwindow.h"
#include "documents/recoveryfiles.h"
#include "settings/apppaths.h"
#include "shell/mainwindow.h"
#include "shell/startup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "benchmain.h"

#include <cstdio>

namespace {

TextControl& letter()
{
    static TextControl* control = [] {
        static QTemporaryDir dir;
        const QString path = dir.filePath("letter.rtf");
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(Samples::letterParagraphsRtf(1850));
        file.close();
        auto* c = new TextControl;
        c->load(path, 0, TextControl::FormatRtf);
        return c;
    }();
    return *control;
}

// What the timer slot does on the GUI thread for each modified document.
void BM_AutosaveNativeFormOnGuiThread(benchmark::State& state)
{
    TextControl& control = letter();
    for (auto _ : state)
        benchmark::DoNotOptimize(control.nativeForm());
    state.counters["pages"] = control.currentPages();
}
BENCHMARK(BM_AutosaveNativeFormOnGuiThread)->Unit(benchmark::kMillisecond)->Iterations(10);

// The other way to take a copy, a cloned document to be written elsewhere: about twice the
// time on the GUI thread, which is why the native form is made there instead.
void BM_ClonedDocumentForComparison(benchmark::State& state)
{
    TextControl& control = letter();
    for (auto _ : state)
        delete control.document()->clone();
}
BENCHMARK(BM_ClonedDocumentForComparison)->Unit(benchmark::kMillisecond)->Iterations(10);

// What the worker thread does: the two files, each written atomically.
void BM_AutosaveWriteOnWorker(benchmark::State& state)
{
    QTemporaryDir dir;
    const QByteArray native = letter().nativeForm();
    const RecoveryIndex index{"Letter", "/home/letter.rtf", TextControl::FormatRtf, QDateTime::currentDateTimeUtc()};
    for (auto _ : state)
        RecoveryFiles::write(dir.filePath("~Recover-bench-1.tx"), native, index);
    state.SetBytesProcessed(int64_t(state.iterations()) * native.size());
}
BENCHMARK(BM_AutosaveWriteOnWorker)->Unit(benchmark::kMillisecond)->Iterations(5);

// The whole timer slot in the program: what it costs the GUI thread, the writing left to the worker.
void BM_AutosaveTimerSlot(benchmark::State& state)
{
    QTemporaryDir app, temp;
    AppPaths::setAppPath(app.path());
    AppPaths::setTempPath(temp.path());
    MainWindow main;
    Startup::run(main, QString());
    DocumentWindow* window = main.activeDocumentWindow();
    QTextCursor(window->textControl()->document()).insertFragment(QTextDocumentFragment(letter().document()));
    DocumentTable::shared().state(1).Dirty = true;
    AutoRecover* recover = AutoRecover::instance();
    for (auto _ : state) {
        recover->saveNow();
        state.PauseTiming();
        recover->waitForWrites();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["pages"] = window->textControl()->currentPages();
}
BENCHMARK(BM_AutosaveTimerSlot)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) { return runBenchmarks(argc, argv); }
