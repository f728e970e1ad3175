// Merged letters opened and written again, as `--convert` does: each letter a complete RTF
// document with a header, a page-number footer and a three-column table, one after another, as
// a merge writes them. The rows for 1,000, 3,000 and 10,000 letters show whether the cost per
// letter stays the same as the batch grows.
#include "documents/convertfile.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "benchmain.h"

#include "samples.h"
#include "sofficereference.h"

namespace {

QString lettersFile(const QTemporaryDir& dir, int letters)
{
    const QString path = dir.filePath(QStringLiteral("letters-%1.rtf").arg(letters));
    if (!QFile::exists(path)) {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(Samples::mergedLettersRtf(letters));
    }
    return path;
}

void convertLetters(benchmark::State& state, const char* suffix)
{
    static QTemporaryDir dir;
    const int letters = int(state.range(0));
    const QString in = lettersFile(dir, letters);
    const QString out = dir.filePath(QStringLiteral("out.") + QLatin1String(suffix));
    for (auto _ : state) {
        QString error;
        if (!ConvertFile::convert(in, out, &error))
            state.SkipWithError(qPrintable(error));
    }
    state.counters["letters"] = letters;
    state.counters["ms_per_letter"] =
        benchmark::Counter(double(letters), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_MergedLettersToText(benchmark::State& state) { convertLetters(state, "txt"); }
BENCHMARK(BM_MergedLettersToText)->Arg(1000)->Arg(3000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_MergedLettersToPdf(benchmark::State& state) { convertLetters(state, "pdf"); }
BENCHMARK(BM_MergedLettersToPdf)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv)
{
    // LibreOffice reads only the first of several RTF documents in one file, so its reference
    // is one letter's worth of work, times the letters.
    return runBenchmarks(argc, argv, [] { printSofficeReferenceOf(Samples::mergedLettersRtf(1), "txt", "one letter"); });
}
