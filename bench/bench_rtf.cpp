// RTF read and write throughput, and a 1,000-page RTF document opened and paginated.
#include "components/textcontrol/formats/rtf/rtfreader.h"
#include "components/textcontrol/formats/rtf/rtfwriter.h"
#include "components/textcontrol/textcontrol.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QTextBlock>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocument>
#include <benchmark/benchmark.h>

#include "benchmain.h"

#include "samples.h"
#include "sofficereference.h"
#include <cstdio>

namespace {

const QByteArray& sample()
{
    static const QByteArray rtf = Samples::thousandPagesRtf();
    return rtf;
}

void BM_RtfRead(benchmark::State& state)
{
    for (auto _ : state) {
        QTextDocument document;
        document.setUndoRedoEnabled(false);
        PageInfo page;
        RtfReader::read(sample(), &document, page);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * sample().size());
}
BENCHMARK(BM_RtfRead)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RtfWrite(benchmark::State& state)
{
    QTextDocument document;
    PageInfo page;
    RtfReader::read(sample(), &document, page);
    qint64 bytes = 0;
    for (auto _ : state)
        bytes += RtfWriter::write(&document, page).size();
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_RtfWrite)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Open1000PagesAndPaginate(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("long.rtf");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(sample());
    file.close();
    int pages = 0;
    for (auto _ : state) {
        TextControl control;
        control.load(path, 0, TextControl::FormatRtf);
        pages = control.currentPages();
        // The last paragraph's place on its page: only a finished layout knows it.
        const QTextDocument* document = control.document();
        benchmark::DoNotOptimize(document->documentLayout()->blockBoundingRect(document->lastBlock()));
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_Open1000PagesAndPaginate)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv, [] { printSofficeReferenceOf(sample(), "txt", "the 1,000-page file"); });
}
