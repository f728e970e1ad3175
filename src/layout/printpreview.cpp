#include "printpreview.h"

#include "components/commondialog/commondialog.h"
#include "components/textcontrol/layoutunits.h"
#include "components/textcontrol/textcontrol.h"
#include "documents/documenthost.h"
#include "documents/documentwindow.h"
#include "layoutstate.h"
#include "printing.h"
#include "texts/programtexts.h"

#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <cmath>

namespace {

constexpr double TwipsPerPixel = 15.0;

QRect twips(int left, int top, int width, int height)
{
    return QRect(int(left / TwipsPerPixel), int(top / TwipsPerPixel), int(width / TwipsPerPixel),
                 int(height / TwipsPerPixel));
}

// A picture box showing one page at the control's print zoom, or nothing past the last page.
class PageBox : public QWidget {
public:
    PageBox(TextControl* control, QScrollBar* scroll, int offset, QWidget* parent)
        : QWidget(parent), m_control(control), m_scroll(scroll), m_offset(offset)
    {
    }
    int page() const { return 2 * m_scroll->value() + m_offset; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().window());
        if (page() > m_control->currentPages())
            return;
        const double scale = m_control->printZoom() / 100.0;  // screen pixels per layout unit
        const QRectF paper(0, 0, LayoutUnits::fromTwips(m_control->pageWidth()) * scale,
                           LayoutUnits::fromTwips(m_control->pageHeight()) * scale);
        painter.fillRect(paper, Qt::white);
        painter.setPen(Qt::darkGray);
        painter.drawRect(paper.adjusted(0, 0, -1, -1));
        painter.scale(scale, scale);
        m_control->paintPage(&painter, page());
    }

private:
    TextControl* m_control;
    QScrollBar* m_scroll;
    int m_offset;
};

}  // namespace

PrintPreview::PrintPreview(TextControl* control, QWidget* parent) : QDialog(parent), m_control(control)
{
    setObjectName(QStringLiteral("PrintPreview"));
    setWindowTitle(Texts::PrintPreviewTitle);
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->setGeometry(twips(120, 240, 1572, 300));
    m_scroll = new QScrollBar(Qt::Vertical, this);
    m_scroll->setObjectName(QStringLiteral("VScroll1"));
    auto* left = new PageBox(control, m_scroll, 1, this);
    left->setObjectName(QStringLiteral("Picture1"));
    left->setGeometry(twips(120, 600, 4035, 4980));
    auto* right = new PageBox(control, m_scroll, 2, this);
    right->setObjectName(QStringLiteral("Picture2"));
    right->setGeometry(twips(4200, 600, 4185, 4980));
    m_scroll->setGeometry(twips(8475, 600, 252, 4980));
    auto* close = new QPushButton(Texts::CloseWithKeyPreview, this);
    close->setObjectName(QStringLiteral("cancel"));
    close->setGeometry(twips(7200, 150, 1140, 390));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    setFixedSize(twips(0, 0, 8880, 5760).size());

    m_scroll->setRange(0, control->currentPages() > 2 ? (control->currentPages() - 1) / 2 : 0);
    m_scroll->setPageStep(1);
    m_savedZoom = control->printZoom();
    const int zoomH = int(std::nearbyint(4980.0 * 100 / control->pageHeight()));
    const int zoomW = int(std::nearbyint(4035.0 * 100 / control->pageWidth()));
    control->setPrintZoom(std::min(zoomH, zoomW));
    m_label->setText(caption());
    connect(m_scroll, &QScrollBar::valueChanged, this, [this] {
        m_label->setText(caption());
        update();
    });
}

// Every way of closing the window ends here: the document gets its zoom back.
PrintPreview::~PrintPreview() { m_control->setPrintZoom(m_savedZoom); }

QString PrintPreview::caption() const
{
    return Texts::previewPages(2 * m_scroll->value() + 1, 2 * m_scroll->value() + 2);
}

void PrintPreview::showForActiveWindow()
{
    DocumentHost* host = DocumentHost::current();
    DocumentWindow* window = host ? host->activeDocumentWindow() : nullptr;
    if (!window)
        return;
    Printing::printer().setPageOrientation(LayoutState::PrintOrientation == 2 ? QPageLayout::Landscape
                                                                             : QPageLayout::Portrait);
    {
        PrintPreview preview(window->textControl(), host->hostWidget());
        CommonDialog::provider().exec(&preview);
    }
    window->textControl()->setFocus();
}
