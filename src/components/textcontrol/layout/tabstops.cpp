#include "tabstops.h"

#include "components/textcontrol/document/tableaders.h"
#include "layoutdevice.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace TabStops {

namespace {

constexpr QChar DecimalPoint = QLatin1Char('.');

// How Qt is to place the text `after` a decimal stop.
void resolve(QTextOption::Tab& stop, QStringView after)
{
    if (after.contains(DecimalPoint)) {
        stop.delimiter = DecimalPoint;
        return;
    }
    const auto digit = std::find_if(after.begin(), after.end(), [](QChar c) { return c.isDigit(); });
    const auto end = std::find_if(digit, after.end(), [](QChar c) { return !c.isDigit(); });
    // The character after the number marks its end for Qt only where it does not come earlier.
    if (digit != after.end() && end != after.end() && after.indexOf(*end) == end - after.begin()) {
        stop.delimiter = *end;
        return;
    }
    stop.type = QTextOption::RightTab;
    stop.delimiter = QChar();
}

}  // namespace

QList<QTextOption::Tab> forLayout(const QTextBlock& block, const QList<QTextOption::Tab>& stops)
{
    if (std::none_of(stops.begin(), stops.end(), [](const QTextOption::Tab& t) { return t.type == QTextOption::DelimiterTab; }))
        return stops;
    const QString text = block.text();  // only for a paragraph with decimal stops
    QList<QTextOption::Tab> result = stops;
    const QList<QStringView> pieces = QStringView(text).split(QLatin1Char('\t'));
    for (qsizetype i = 0; i < result.size(); ++i)
        if (result[i].type == QTextOption::DelimiterTab) {
            // The piece ends where the line does.
            QStringView after = pieces.value(i + 1);
            after = after.left(after.indexOf(QChar::LineSeparator));
            resolve(result[i], after);
        }
    return result;
}

void drawLeaders(QPainter* painter, const QTextBlock& block)
{
    const QTextBlockFormat format = block.blockFormat();
    if (!format.hasProperty(TabLeaders::Property))
        return;
    const QString text = block.text();
    const QTextLayout* layout = block.layout();
    const QList<QTextOption::Tab> stops = format.tabPositions();
    const QPointF origin = layout->position();
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    for (qsizetype i = text.indexOf(QLatin1Char('\t')); i >= 0; i = text.indexOf(QLatin1Char('\t'), i + 1)) {
        const QTextLine line = layout->lineForTextPosition(int(i));
        if (!line.isValid())
            continue;
        const double from = line.cursorToX(int(i)), to = line.cursorToX(int(i) + 1);
        // The stop a tab reaches is the first beyond where it starts.
        const auto stop = std::find_if(stops.begin(), stops.end(), [&](const QTextOption::Tab& t) { return t.position > from + 0.5; });
        if (stop == stops.end() || to - from < 2)
            continue;
        const QChar leader = TabLeaders::at(format, stop->position);
        if (leader == TabLeaders::None)
            continue;
        QTextBlock::iterator fragment = block.begin();
        while (!fragment.atEnd() && fragment.fragment().position() + fragment.fragment().length() <= block.position() + i)
            ++fragment;
        const QFont font = fragment.atEnd() ? block.charFormat().font() : fragment.fragment().charFormat().font();
        const QFontMetricsF metrics(font, LayoutDevice::get());
        const double baseline = origin.y() + line.y() + line.ascent();
        const QColor ink = painter->pen().color();
        if (leader == TabLeaders::Line || leader == TabLeaders::ThickLine) {
            const double width = metrics.lineWidth() * (leader == TabLeaders::ThickLine ? 2 : 1);
            painter->setPen(QPen(ink, std::max(0.5, width), Qt::SolidLine, Qt::FlatCap));
            const double y = baseline + metrics.underlinePos();
            painter->drawLine(QPointF(origin.x() + from, y), QPointF(origin.x() + to, y));
            continue;
        }
        // Dots and hyphens at the pitch of the character they stand for, on a grid from the
        // paragraph's edge so that the leaders of neighbouring lines line up.
        const double pitch = std::max(1.0, metrics.horizontalAdvance(leader == TabLeaders::Hyphens ? QLatin1Char('-') : QLatin1Char('.')));
        const double size = std::max(0.6, font.pointSizeF() > 0 ? font.pointSizeF() * 0.11 : metrics.height() * 0.08);
        painter->setPen(Qt::NoPen);
        painter->setBrush(ink);
        for (double x = std::ceil((from + pitch * 0.5) / pitch) * pitch; x + pitch <= to - pitch * 0.25; x += pitch) {
            const QPointF at(origin.x() + x + pitch / 2, leader == TabLeaders::MiddleDots ? baseline - metrics.xHeight() / 2 : baseline - size / 2);
            if (leader == TabLeaders::Hyphens)
                painter->drawRect(QRectF(at.x() - pitch * 0.3, baseline - metrics.xHeight() / 2 - size / 2, pitch * 0.6, size));
            else
                painter->drawEllipse(at, size / 2, size / 2);
        }
        painter->setBrush(Qt::NoBrush);
    }
    painter->restore();
}

}  // namespace TabStops
