// Word documents: a 1,000-page document written and read as .doc and as .docx.
#include "components/textcontrol/formats/doc/docreader.h"
#include "components/textcontrol/formats/doc/docwriter.h"
#include "components/textcontrol/formats/docx/docxreader.h"
#include "components/textcontrol/formats/docx/docxwriter.h"
#include "components/textcontrol/formats/rtf/rtfreader.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>
#include <benchmark/benchmark.h>

#include "benchmain.h"

#include "samples.h"
#include "sofficereference.h"

namespace {

using Writer = QByteArray (*)(const QTextDocument*, const PageInfo&, const DocumentParts*);
using Reader = bool (*)(const QByteArray&, QTextDocument*, PageInfo&, DocumentParts*);

const QTextDocument& sample()
{
    static QTextDocument* document = [] {
        auto* d = new QTextDocument;
        d->setUndoRedoEnabled(false);
        PageInfo page;
        RtfReader::read(Samples::thousandPagesRtf(), d, page);
        return d;
    }();
    return *document;
}

void write(benchmark::State& state, Writer writer)
{
    qint64 bytes = 0;
    for (auto _ : state)
        bytes += writer(&sample(), PageInfo{}, nullptr).size();
    state.SetBytesProcessed(bytes);
}

void read(benchmark::State& state, Writer writer, Reader reader)
{
    const QByteArray file = writer(&sample(), PageInfo{}, nullptr);
    for (auto _ : state) {
        QTextDocument document;
        document.setUndoRedoEnabled(false);
        PageInfo page;
        reader(file, &document, page, nullptr);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * file.size());
}

void BM_DocWrite1000Pages(benchmark::State& state) { write(state, DocWriter::write); }
void BM_DocRead1000Pages(benchmark::State& state) { read(state, DocWriter::write, DocReader::read); }
void BM_DocxWrite1000Pages(benchmark::State& state) { write(state, DocxWriter::write); }
void BM_DocxRead1000Pages(benchmark::State& state) { read(state, DocxWriter::write, DocxReader::read); }
BENCHMARK(BM_DocWrite1000Pages)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DocRead1000Pages)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DocxWrite1000Pages)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DocxRead1000Pages)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv, [] {
        printSofficeReferenceOf(DocWriter::write(&sample(), PageInfo{}), "txt", "the 1,000-page .doc", "sample.doc");
    });
}
