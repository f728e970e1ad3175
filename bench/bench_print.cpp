// Printing a 1,000-page document to PDF with the page painting that printing uses, and the
// 10,000-letter merge output the same way.
#include "components/textcontrol/textcontrol.h"
#include "layout/pdfexport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "benchmain.h"

#include "sofficereference.h"
#include <cstdio>

namespace {

// About 1,000 Letter pages with a header and page numbers, as long reports have.
QByteArray thousandPages()
{
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}\\paperw12240\\paperh15840"
                     "{\\header Riverside Family Practice}{\\footer Page {\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}}\n";
    for (int i = 0; i < 18500; ++i)
        rtf += "\\pard\\sa120 The patient was seen today for {\\b follow-up}. Blood pressure was well "
               "controlled on the current medication and no side effects were reported. We discussed "
               "{\\i diet} and exercise.\\par\n";
    return rtf + "}";
}

void printToPdf(benchmark::State& state, const QString& source)
{
    TextControl control;
    control.load(source, 0, TextControl::FormatRtf);
    QTemporaryDir dir;
    int pages = control.currentPages();
    for (auto _ : state)
        benchmark::DoNotOptimize(PdfExport::write(&control, dir.filePath("out.pdf")));
    state.counters["pages"] = pages;
    state.counters["ms_per_page"] =
        benchmark::Counter(double(pages), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_Print1000PagesToPdf(benchmark::State& state)
{
    QTemporaryDir dir;
    printToPdf(state, writeSample(dir, thousandPages()));
}
BENCHMARK(BM_Print1000PagesToPdf)->Unit(benchmark::kMillisecond)->Iterations(2);

// The merge benchmark leaves its 10,000 letters here when it ran first (make bench runs it).
void BM_Print10000LettersToPdf(benchmark::State& state)
{
    const QString merged = QStringLiteral("/tmp/scrivora-bench-merge-10000.rtf");
    if (!QFile::exists(merged)) {
        state.SkipWithError("no merge output; run bench_merge first");
        return;
    }
    printToPdf(state, merged);
}
BENCHMARK(BM_Print10000LettersToPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv, [] { printSofficeReferenceOf(thousandPages(), "pdf", "the 1,000 pages"); });
}
