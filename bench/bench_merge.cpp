// Merge to a new document from the SQLite practice database with the sample one-page letter:
// from the click on Merge to New Document until the new window is shown and laid out.
#include "components/commondialog/commondialog.h"
#include "components/panels/latchbutton.h"
#include "components/textcontrol/textcontrol.h"
#include "demodata.h"
#include "documents/documentwindow.h"
#include "documents/opendocument.h"
#include "shell/headlessmerge.h"
#include "merge/mergetonew.h"
#include "merge/windowmerge.h"
#include "settings/apppaths.h"
#include "shell/mainwindow.h"
#include "shell/memorypolicy.h"
#include "shell/startup.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextDocument>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "sofficereference.h"
#include <cstdio>
#include <sys/resource.h>

namespace {

// The Merge dialog is answered with All; every other question is left alone.
class AllRecords : public CommonDialog::Provider {
public:
    CommonDialog::Answer message(QWidget*, const QString&, const QString&, CommonDialog::Buttons,
                                 CommonDialog::Icon) override
    {
        return CommonDialog::Answer::No;
    }
    CommonDialog::FileAnswer openFile(QWidget*, const CommonDialog::FileRequest&) override { return {}; }
    CommonDialog::FileAnswer saveFile(QWidget*, const CommonDialog::FileRequest&) override { return {}; }
    std::optional<QColor> chooseColor(QWidget*, const QColor&) override { return std::nullopt; }
    CommonDialog::PrintAnswer print(QWidget*, const CommonDialog::PrintRequest&, QPrinter*) override { return {}; }
    void printSetup(QWidget*, QPrinter*) override {}
    int exec(QDialog* dialog) override
    {
        dialog->findChild<QRadioButton*>(QStringLiteral("optrec_0"))->click();
        dialog->findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
        return dialog->result();
    }
};

MainWindow* mainWindow = nullptr;

// A program directory whose practice has `patients` patients, and the template's window.
DocumentWindow* templateWindow(QTemporaryDir& dir, int patients)
{
    QString error;
    DemoData::createSqliteDatabase(dir.filePath("practice.db"), patients, &error);
    DemoData::writeSettings(dir.filePath("clinora.ini"), dir.filePath("practice.db"));
    DemoData::writeTemplate(dir.filePath("letter.tx"));
    AppPaths::setAppPath(dir.path());
    OpenDocuments::OpenDocument(dir.filePath("letter.tx"));
    return mainWindow->activeDocumentWindow();
}

void closeAll()
{
    for (QMdiSubWindow* sub : mainWindow->mdiArea()->subWindowList()) {
        static_cast<DocumentWindow*>(sub->widget())->setCloseApproved(true);
        sub->close();
    }
    QApplication::processEvents();
}

void BM_MergeToNewDocument(benchmark::State& state)
{
    const int patients = int(state.range(0));
    QTemporaryDir dir;
    DocumentWindow* window = templateWindow(dir, patients);
    int pages = 0;
    for (auto _ : state) {
        window->merge()->toolbar().cmdshow->click();
        // The window is usable once its first pages are laid out; the rest follows while idle.
        benchmark::DoNotOptimize(mainWindow->activeDocumentWindow()->textControl()->laidOutPages());
        state.PauseTiming();
        pages = mainWindow->activeDocumentWindow()->textControl()->currentPages();
        mainWindow->activeDocumentWindow()->setCloseApproved(true);
        mainWindow->activeDocumentWindow()->subWindow()->close();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["letters"] = patients;
    state.counters["pages"] = pages;
    state.counters["ms_per_letter"] = benchmark::Counter(double(patients), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    closeAll();
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MB"] = double(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_MergeToNewDocument)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

// `scrivora --merge letter.tx out.rtf`: the same letters without a window.
void BM_MergeCommandLineToRtf(benchmark::State& state)
{
    const int patients = int(state.range(0));
    QTemporaryDir dir;
    QString error;
    DemoData::createSqliteDatabase(dir.filePath("practice.db"), patients, &error);
    DemoData::writeSettings(dir.filePath("clinora.ini"), dir.filePath("practice.db"));
    DemoData::writeTemplate(dir.filePath("letter.tx"));
    AppPaths::setAppPath(dir.path());
    for (auto _ : state) {
        if (!HeadlessMerge::run(dir.filePath("letter.tx"), dir.filePath("out.rtf"), QString(), &error))
            state.SkipWithError(qPrintable(error));
    }
    state.counters["letters"] = patients;
    state.counters["MB"] = double(QFileInfo(dir.filePath("out.rtf")).size()) / 1e6;
    const QString kept = QStringLiteral("/tmp/scrivora-bench-merge-%1.rtf").arg(patients);
    QFile::remove(kept);
    QFile::copy(dir.filePath("out.rtf"), kept);
}
BENCHMARK(BM_MergeCommandLineToRtf)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

// The 10,000 letters the command line merged above, opened and laid out to its last page.
void BM_Open10000LetterOutput(benchmark::State& state)
{
    const QString path = QStringLiteral("/tmp/scrivora-bench-merge-10000.rtf");
    if (!QFile::exists(path)) {
        state.SkipWithError("run the 10,000-letter merge first");
        return;
    }
    int pages = 0;
    for (auto _ : state) {
        TextControl control;
        control.load(path, 0, TextControl::FormatRtf);
        const QTextDocument* document = control.document();
        benchmark::DoNotOptimize(document->documentLayout()->blockBoundingRect(document->lastBlock()));
        pages = control.currentPages();
    }
    state.counters["pages"] = pages;
    state.counters["MB"] = double(QFileInfo(path).size()) / 1e6;
}
BENCHMARK(BM_Open10000LetterOutput)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv)
{
    MemoryPolicy::apply();
    QApplication app(argc, argv);
    QTemporaryDir temp;
    AppPaths::setTempPath(temp.path());
    AllRecords answers;
    CommonDialog::setProvider(&answers);
    MainWindow main;
    mainWindow = &main;
    Startup::run(main, QString());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    closeAll();
    CommonDialog::setProvider(nullptr);
    const QString merged = QStringLiteral("/tmp/scrivora-bench-merge-1000.rtf");
    printSofficeReference(merged, "pdf", "the merged 1,000 letters");
    QFile::remove(merged);  // the 10,000 letters stay for bench_print
    return 0;
}
