#include "ruler.h"

#include "layoutunits.h"
#include "pageview.h"
#include "textcontrol.h"

#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>

namespace {
constexpr int RulerHeight = 34;  // 510 twips at 15 twips to the pixel
}

Ruler::Ruler(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Ruler1"));
    setFixedHeight(RulerHeight);
    setAutoFillBackground(true);
}

QSize Ruler::sizeHint() const { return {400, RulerHeight}; }

void Ruler::setTextControl(TextControl* control)
{
    if (m_control)
        disconnect(m_control, nullptr, this, nullptr);
    m_control = control;
    if (!control)
        return;
    connect(control, &TextControl::cursorMoved, this, qOverload<>(&QWidget::update));
    connect(control, &TextControl::zoomChanged, this, qOverload<>(&QWidget::update));
    connect(control->pageView(), &PageView::scrolled, this, qOverload<>(&QWidget::update));
    update();
}

void Ruler::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (!m_control)
        return;
    using namespace LayoutUnits;
    PageView* view = m_control->pageView();
    const int offset = view->viewport()->mapToGlobal(QPoint(0, 0)).x() - mapToGlobal(QPoint(0, 0)).x();
    auto x = [&](double twips) { return offset + view->viewportX(fromTwips(twips)); };

    const QRect band(0, 6, width(), height() - 12);
    const int left = x(m_control->pageMarginL());
    const int right = x(m_control->pageWidth() - m_control->pageMarginR());
    painter.fillRect(QRect(x(0), band.top(), x(m_control->pageWidth()) - x(0), band.height()),
                     QColor(0xd0, 0xd0, 0xd0));
    painter.fillRect(QRect(left, band.top(), right - left, band.height()), Qt::white);

    // Tick marks every eighth of an inch from the left margin, numbers every inch.
    painter.setPen(Qt::black);
    QFont font = painter.font();
    font.setPixelSize(9);
    painter.setFont(font);
    const int eighth = TwipsPerInch / 8;
    for (int t = -m_control->pageMarginL() / eighth * eighth;
         t <= m_control->pageWidth() - m_control->pageMarginL(); t += eighth) {
        const int px = x(m_control->pageMarginL() + t);
        const int step = (t / eighth) % 8;
        if (step == 0 && t != 0)
            painter.drawText(QRect(px - 10, band.top(), 20, band.height()), Qt::AlignCenter,
                             QString::number(std::abs(t) / TwipsPerInch));
        else if (step == 4 || step == -4)
            painter.drawLine(px, band.center().y() - 3, px, band.center().y() + 3);
        else if (t != 0)
            painter.drawLine(px, band.center().y() - 1, px, band.center().y() + 1);
    }

    // Indents of the current paragraph: first line on top, left and right below.
    const QTextBlockFormat block = m_control->textCursor().blockFormat();
    const double leftIndent = toTwips(block.leftMargin());
    const double firstLine = leftIndent + toTwips(block.textIndent());
    const double rightIndent = toTwips(block.rightMargin());
    painter.setBrush(QColor(0x60, 0x60, 0x60));
    const int bottom = band.bottom();
    auto down = [&](int px) {
        painter.drawPolygon(QPolygon({QPoint(px - 4, 0), QPoint(px + 4, 0), QPoint(px, 5)}));
    };
    auto up = [&](int px) {
        painter.drawPolygon(
            QPolygon({QPoint(px - 4, bottom + 6), QPoint(px + 4, bottom + 6), QPoint(px, bottom + 1)}));
    };
    down(x(m_control->pageMarginL() + firstLine));
    up(x(m_control->pageMarginL() + leftIndent));
    up(x(m_control->pageWidth() - m_control->pageMarginR() - rightIndent));
    for (const QTextOption::Tab& tab : block.tabPositions()) {
        const int px = x(m_control->pageMarginL() + toTwips(tab.position));
        painter.drawLine(px, bottom - 4, px, bottom);
        painter.drawLine(px, bottom, px + 4, bottom);
    }
}
