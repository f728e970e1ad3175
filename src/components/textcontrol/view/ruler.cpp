#include "ruler.h"

#include "components/textcontrol/document/layoutunits.h"
#include "pageview.h"
#include "viewhost.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>

namespace {
constexpr int RulerHeight = 34;  // 510 twips at 15 twips to the pixel
constexpr int Snap = LayoutUnits::TwipsPerInch / 16;
constexpr int Reach = 5;  // pixels round a marker that still take it
}

Ruler::Ruler(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Ruler1"));
    setFixedHeight(RulerHeight);
    setAutoFillBackground(true);
}

QSize Ruler::sizeHint() const { return {400, RulerHeight}; }

void Ruler::setTextControl(ViewHost* control)
{
    if (m_control)
        disconnect(m_control.widget(), nullptr, this, nullptr);
    m_control = control;
    if (!control)
        return;
    control->follow(this, ViewHost::CaretMoved | ViewHost::ZoomChanged, [this] { update(); });
    connect(control->pageView(), &PageView::scrolled, this, qOverload<>(&QWidget::update));
    update();
}

int Ruler::xForTwips(double twips) const
{
    PageView* view = m_control->pageView();
    const int offset = view->viewport()->mapToGlobal(QPoint(0, 0)).x() - mapToGlobal(QPoint(0, 0)).x();
    return offset + view->viewportX(LayoutUnits::fromTwips(twips));
}

int Ruler::twipsForX(int x) const
{
    PageView* view = m_control->pageView();
    const int offset = view->viewport()->mapToGlobal(QPoint(0, 0)).x() - mapToGlobal(QPoint(0, 0)).x();
    const double units = view->mapToScene(QPoint(x - offset, 0)).x();
    return int(std::lround(LayoutUnits::toTwips(units) / double(Snap))) * Snap;
}

// Where a marker of the current paragraph stands, in twips from the page's left edge.
int Ruler::markerTwips(Marker marker, int tab) const
{
    using namespace LayoutUnits;
    const QTextBlockFormat block = m_control->textCursor().blockFormat();
    const int margin = m_control->pageMarginL();
    switch (marker) {
    case Marker::FirstLine: return margin + toTwips(block.leftMargin() + block.textIndent());
    case Marker::LeftIndent: return margin + toTwips(block.leftMargin());
    case Marker::RightIndent:
        return m_control->pageWidth() - m_control->pageMarginR() - toTwips(block.rightMargin());
    case Marker::Tab: return margin + toTwips(block.tabPositions().value(tab).position);
    default: return 0;
    }
}

Ruler::Drag Ruler::markerAt(QPoint point) const
{
    const bool top = point.y() < height() / 2;
    auto near = [&](Marker marker, int tab = -1) {
        return std::abs(xForTwips(markerTwips(marker, tab)) - point.x()) <= Reach;
    };
    if (top && near(Marker::FirstLine))
        return {Marker::FirstLine, -1, markerTwips(Marker::FirstLine, -1)};
    if (!top) {
        for (const Marker marker : {Marker::LeftIndent, Marker::RightIndent})
            if (near(marker))
                return {marker, -1, markerTwips(marker, -1)};
        const int tabs = int(m_control->textCursor().blockFormat().tabPositions().size());
        for (int i = 0; i < tabs; ++i)
            if (near(Marker::Tab, i))
                return {Marker::Tab, i, markerTwips(Marker::Tab, i)};
    }
    return {};
}

void Ruler::mousePressEvent(QMouseEvent* event)
{
    if (!m_control || event->button() != Qt::LeftButton)
        return;
    m_drag = markerAt(event->position().toPoint());
    if (m_drag.marker == Marker::None) {
        // A click inside the text area sets a new left tab stop there.
        const int at = twipsForX(event->position().toPoint().x());
        if (at <= m_control->pageMarginL() || at >= m_control->pageWidth() - m_control->pageMarginR())
            return;
        m_drag = {Marker::Tab, -1, at};
    }
    update();
}

void Ruler::mouseMoveEvent(QMouseEvent* event)
{
    if (m_drag.marker == Marker::None)
        return;
    const QPoint at = event->position().toPoint();
    m_drag.twips = std::clamp(twipsForX(at.x()), 0, m_control->pageWidth());
    m_drag.removing = m_drag.marker == Marker::Tab && (at.y() > height() + 10 || at.y() < -10);
    update();
}

void Ruler::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_drag.marker == Marker::None)
        return;
    mouseMoveEvent(event);
    const Drag drag = m_drag;
    m_drag = {};
    apply(drag);
    update();
}

// Writes the dragged marker's new place into the selected paragraphs.
void Ruler::apply(const Drag& drag)
{
    using namespace LayoutUnits;
    const int margin = m_control->pageMarginL();
    const QTextBlockFormat current = m_control->textCursor().blockFormat();
    QTextBlockFormat change;
    switch (drag.marker) {
    case Marker::FirstLine:
        change.setTextIndent(fromTwips(drag.twips - margin) - current.leftMargin());
        break;
    case Marker::LeftIndent:
        // The left indent carries the first line with it, as the first line is relative.
        change.setLeftMargin(fromTwips(std::max(0, drag.twips - margin)));
        break;
    case Marker::RightIndent:
        change.setRightMargin(fromTwips(std::max(0, m_control->pageWidth() - m_control->pageMarginR() - drag.twips)));
        break;
    case Marker::Tab: {
        QList<QTextOption::Tab> tabs = current.tabPositions();
        if (drag.tab >= 0)
            tabs.removeAt(drag.tab);
        if (!drag.removing && drag.twips > margin)
            tabs.append(QTextOption::Tab(fromTwips(drag.twips - margin), QTextOption::LeftTab));
        std::sort(tabs.begin(), tabs.end(), [](const auto& a, const auto& b) { return a.position < b.position; });
        change.setTabPositions(tabs);
        break;
    }
    case Marker::None: return;
    }
    m_control->mergeBlockFormat(change);
}

void Ruler::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (!m_control)
        return;
    using namespace LayoutUnits;
    auto x = [&](double twips) { return xForTwips(twips); };

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
    auto placed = [&](Marker marker, double twips, int tab = -1) {
        return m_drag.marker == marker && m_drag.tab == tab ? m_drag.twips : twips;
    };
    down(x(placed(Marker::FirstLine, m_control->pageMarginL() + firstLine)));
    up(x(placed(Marker::LeftIndent, m_control->pageMarginL() + leftIndent)));
    up(x(placed(Marker::RightIndent, m_control->pageWidth() - m_control->pageMarginR() - rightIndent)));
    auto tabMark = [&](int px) {
        painter.drawLine(px, bottom - 4, px, bottom);
        painter.drawLine(px, bottom, px + 4, bottom);
    };
    const QList<QTextOption::Tab> tabs = block.tabPositions();
    for (int i = 0; i < tabs.size(); ++i)
        if (!(m_drag.marker == Marker::Tab && m_drag.tab == i && m_drag.removing))
            tabMark(x(placed(Marker::Tab, m_control->pageMarginL() + toTwips(tabs.at(i).position), i)));
    if (m_drag.marker == Marker::Tab && m_drag.tab < 0 && !m_drag.removing)
        tabMark(x(m_drag.twips));
}
