// Pagination of a long document and typing at its end, in the page view, also past the page count
// where Qt's own layout overflows.
#include "components/textcontrol/view/pageview.h"
#include "components/textcontrol/textcontrol.h"

#include <QApplication>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <benchmark/benchmark.h>

#include "benchmain.h"

namespace {

// About 1,000 Letter pages of 10-point text.
QString longText()
{
    const QString paragraph = QStringLiteral(
        "The patient was seen today for follow-up. Blood pressure was well controlled on the "
        "current medication and no side effects were reported. We discussed diet, exercise and "
        "the results of the recent laboratory tests, which were within normal limits.\n");
    QString text;
    for (int i = 0; i < 19000; ++i)
        text += paragraph;
    return text;
}

void BM_Paginate1000Pages(benchmark::State& state)
{
    const QString text = longText();
    int pages = 0;
    for (auto _ : state) {
        TextControl control;
        control.setPlainText(text);
        pages = control.currentPages();
        // The last paragraph's place on its page: only a finished layout knows it.
        const QTextDocument* document = control.document();
        const QRectF last = document->documentLayout()->blockBoundingRect(document->lastBlock());
        benchmark::DoNotOptimize(pages);
        benchmark::DoNotOptimize(last);
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_Paginate1000Pages)->Unit(benchmark::kMillisecond)->Iterations(3);

// Types a character at the end of the document `control` shows, the view on its last page, and
// repaints, once per iteration.
void typeAtEnd(benchmark::State& state, TextControl& control)
{
    control.resize(900, 700);
    control.show();
    QTextCursor cursor = control.textCursor();
    cursor.movePosition(QTextCursor::End);
    control.setTextCursor(cursor);
    // The view shows the last page, where the typing happens.
    control.pageView()->verticalScrollBar()->setValue(control.pageView()->verticalScrollBar()->maximum());
    for (auto _ : state) {
        QTextCursor c = control.textCursor();
        c.insertText(QStringLiteral("x"));
        control.repaint();
    }
    state.counters["pages"] = control.currentPages();
}

void BM_TypeAtEndOf1000Pages(benchmark::State& state)
{
    TextControl control;
    control.setPlainText(longText());
    typeAtEnd(state, control);
}
BENCHMARK(BM_TypeAtEndOf1000Pages)->Unit(benchmark::kMillisecond)->Iterations(50);

// One line on each of 40,000 pages, with a page-number footer.
void BM_TypeAtEndOf40000Pages(benchmark::State& state)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("huge.rtf")));
    file.open(QIODevice::WriteOnly);
    file.write("{\\rtf1{\\footer Page {\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}}");
    for (int page = 1; page < 40000; ++page)
        file.write("Page\\page ");
    file.write("Last page}");
    file.close();
    TextControl control;
    control.load(file.fileName(), 0, TextControl::FormatRtf);
    typeAtEnd(state, control);
}
BENCHMARK(BM_TypeAtEndOf40000Pages)->Unit(benchmark::kMillisecond)->Iterations(50);

}  // namespace

int main(int argc, char** argv) { return runBenchmarks(argc, argv); }
