#include "printpreview.h"

#include "components/commondialog/commondialog.h"
#include "components/textcontrol/document/layoutunits.h"
#include "components/textcontrol/textcontrol.h"
#include "hosts/documenthost.h"
#include "hosts/editorwindow.h"
#include "layoutstate.h"
#include "printing.h"
#include "settings/windowplacement.h"
#include "texts/programtexts.h"

#include <QBoxLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QKeyEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

namespace {

constexpr double TwipsPerPixel = 15.0;

// A picture box showing one page at the control's print zoom, or nothing past the last page.
// The left box keeps its page at its right edge and the right box at its left edge, so that
// the two pages stand together in the middle however wide the window is.
class PageBox : public QWidget {
public:
    PageBox(TextControl* control, QScrollBar* scroll, int offset, QWidget* parent)
        : QWidget(parent), m_control(control), m_scroll(scroll), m_offset(offset)
    {
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        setMinimumSize(120, 150);
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
        const QSizeF paper(LayoutUnits::fromTwips(m_control->pageWidth()) * scale,
                           LayoutUnits::fromTwips(m_control->pageHeight()) * scale);
        const double left = m_offset == 1 ? std::max(0.0, width() - paper.width()) : 0.0;
        const double top = std::max(0.0, (height() - paper.height()) / 2);
        painter.translate(std::floor(left), std::floor(top));
        painter.fillRect(QRectF(QPointF(0, 0), paper), Qt::white);
        painter.setPen(Qt::darkGray);
        painter.drawRect(QRectF(QPointF(0, 0), paper).adjusted(0, 0, -1, -1));
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
    setSizeGripEnabled(true);
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("Label1"));
    auto* close = new QPushButton(Texts::CloseWithKeyPreview, this);
    close->setObjectName(QStringLiteral("cancel"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    m_scroll = new QScrollBar(Qt::Vertical, this);
    m_scroll->setObjectName(QStringLiteral("VScroll1"));
    m_leftPage = new PageBox(control, m_scroll, 1, this);
    m_leftPage->setObjectName(QStringLiteral("Picture1"));
    auto* right = new PageBox(control, m_scroll, 2, this);
    right->setObjectName(QStringLiteral("Picture2"));

    auto* top = new QHBoxLayout;
    top->addWidget(m_label);
    top->addStretch(1);
    top->addWidget(close);
    auto* pages = new QHBoxLayout;
    pages->addWidget(m_leftPage, 1);
    pages->addWidget(right, 1);
    pages->addWidget(m_scroll);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(pages, 1);

    m_scroll->setRange(0, control->currentPages() > 2 ? (control->currentPages() - 1) / 2 : 0);
    m_scroll->setPageStep(1);
    m_savedZoom = control->printZoom();
    resize(largeSize());
    WindowPlacement::restore(this, WindowPlacement::PrintPreviewKey);
    layout->activate();  // the boxes take their sizes now, for the zoom that fits them
    fitZoom();
    m_label->setText(caption());
    connect(m_scroll, &QScrollBar::valueChanged, this, [this] {
        m_label->setText(caption());
        update();
    });
}

// Every way of closing the window ends here: the document gets its zoom back, and the size
// the user gave the window is kept for the next preview.
PrintPreview::~PrintPreview()
{
    WindowPlacement::store(this, WindowPlacement::PrintPreviewKey);
    m_control->setPrintZoom(m_savedZoom);
}

QString PrintPreview::caption() const
{
    const int left = 2 * m_scroll->value() + 1;
    return left + 1 <= m_control->currentPages() ? Texts::previewPages(left, left + 1) : Texts::previewPage(left);
}

// Nine tenths of the screen's height, and as wide as two upright pages of that height need.
QSize PrintPreview::largeSize() const
{
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const int height = available.height() * 9 / 10;
    return {std::min(available.width() * 9 / 10, height * 8 / 5), height};
}

// The largest whole percentage at which a page fits its box, by height or by width.
void PrintPreview::fitZoom()
{
    const double boxHeight = m_leftPage->height() * TwipsPerPixel;
    const double boxWidth = m_leftPage->width() * TwipsPerPixel;
    const int zoomH = int(std::nearbyint(boxHeight * 100 / m_control->pageHeight()));
    const int zoomW = int(std::nearbyint(boxWidth * 100 / m_control->pageWidth()));
    m_control->setPrintZoom(std::max(1, std::min(zoomH, zoomW)));
}

void PrintPreview::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    fitZoom();
}

void PrintPreview::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_PageDown:
    case Qt::Key_Down:
        m_scroll->setValue(m_scroll->value() + 1);
        break;
    case Qt::Key_PageUp:
    case Qt::Key_Up:
        m_scroll->setValue(m_scroll->value() - 1);
        break;
    case Qt::Key_Home: m_scroll->setValue(m_scroll->minimum()); break;
    case Qt::Key_End: m_scroll->setValue(m_scroll->maximum()); break;
    default: QDialog::keyPressEvent(event); return;
    }
    event->accept();
}

// One notch of the wheel (or its worth on a touchpad) over the pages turns them once.
void PrintPreview::wheelEvent(QWheelEvent* event)
{
    m_wheel += event->angleDelta().y();
    const int steps = m_wheel / QWheelEvent::DefaultDeltasPerStep;
    m_wheel -= steps * QWheelEvent::DefaultDeltasPerStep;
    m_scroll->setValue(m_scroll->value() - steps);
    event->accept();
}

void PrintPreview::showForActiveWindow()
{
    DocumentHost* host = DocumentHost::current();
    EditorWindow* window = host ? host->activeDocumentWindow() : nullptr;
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
