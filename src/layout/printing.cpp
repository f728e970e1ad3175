#include "printing.h"

#include "components/commondialog/commondialog.h"
#include "components/textcontrol/textcontrol.h"
#include "hosts/documenthost.h"
#include "hosts/editorwindow.h"
#include "layoutstate.h"
#include "texts/programtexts.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace Printing {
namespace {

PrintTarget* g_testTarget = nullptr;
constexpr int PrinterErrorNumber = 482;
constexpr int PrintDialogFlags = 1048580;  // no selection, no print-to-file box

QPageLayout::Orientation pageOrientation(int orientation)
{
    return orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait;
}

class PrinterTarget : public PrintTarget {
public:
    explicit PrinterTarget(QPrinter& printer) : m_printer(printer) {}
    bool open(int orientation) override
    {
        m_printer.setFullPage(true);
        setOrientation(orientation);
        if (!m_painter.begin(&m_printer))
            return false;
        scale();
        return true;
    }
    void setOrientation(int orientation) override { m_printer.setPageOrientation(pageOrientation(orientation)); }
    QPainter* painter() override { return &m_painter; }
    bool newSheet() override
    {
        const bool ok = m_printer.newPage();
        scale();
        return ok && m_printer.printerState() != QPrinter::Error;
    }
    void end() override
    {
        if (m_painter.isActive())
            m_painter.end();
    }

private:
    void scale()
    {
        m_painter.resetTransform();
        m_painter.scale(m_printer.resolution() / 96.0, m_printer.resolution() / 96.0);
    }
    QPrinter& m_printer;
    QPainter m_painter;
};

}  // namespace

QPrinter& printer()
{
    static QPrinter shared(QPrinter::HighResolution);
    return shared;
}

void setTestTarget(PrintTarget* target) { g_testTarget = target; }

bool printPages(const TextControl* control, PrintTarget& target, int first, int last, int copies, int orientation)
{
    bool opened = false;
    for (int copy = 1; copy <= copies; ++copy) {
        for (int page = first; page <= last; ++page) {
            target.setOrientation(orientation);
            if (!opened && !target.open(orientation))
                return false;
            opened = true;
            target.printing(page);
            control->paintPage(target.painter(), page);
            const bool lastSheet = copy == copies && page == last;
            if (!lastSheet && !target.newSheet())
                return false;
        }
    }
    return true;
}

void PrintDocument()
{
    DocumentHost* host = DocumentHost::current();
    EditorWindow* window = host ? host->activeDocumentWindow() : nullptr;
    if (!window)
        return;
    const TextControl* control = window->textControl();
    const int pages = control->currentPages();
    CommonDialog::PrintRequest request;
    request.flags = PrintDialogFlags;
    request.toPage = request.maxPage = pages;
    request.orientation = LayoutState::PrintOrientation;
    const CommonDialog::PrintAnswer answer = CommonDialog::provider().print(host->hostWidget(), request, &printer());
    if (!answer.accepted)
        return;  // Cancel prints nothing and says nothing
    int first = 1, last = pages;
    if (answer.pageRange) {
        first = std::clamp(answer.fromPage, 1, pages);
        last = std::clamp(answer.toPage, first, pages);
    }
    PrinterTarget printerTarget(printer());
    PrintTarget& target = g_testTarget ? *g_testTarget : printerTarget;
    const bool printed = printPages(control, target, first, last, answer.copies, LayoutState::PrintOrientation);
    if (!printed) {
        const QString& advice =
            QPrinterInfo::availablePrinterNames().isEmpty() ? Texts::NoPrinterAdvice : Texts::PrinterAdvice;
        CommonDialog::provider().message(
            host->hostWidget(), CommonDialog::defaultTitle(),
            Texts::printErrorWithAdvice(PrinterErrorNumber, Texts::PrinterErrorDescription, advice),
            CommonDialog::Buttons::Ok, CommonDialog::Icon::None);
    }
    target.end();
}

void printSetup()
{
    DocumentHost* host = DocumentHost::current();
    CommonDialog::provider().printSetup(host ? host->hostWidget() : nullptr, &printer());
}

}  // namespace Printing
