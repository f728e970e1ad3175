#include "tabstops.h"

#include <algorithm>

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

QList<QTextOption::Tab> forLayout(const QString& text, const QList<QTextOption::Tab>& stops)
{
    if (std::none_of(stops.begin(), stops.end(), [](const QTextOption::Tab& t) { return t.type == QTextOption::DelimiterTab; }))
        return stops;
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

}  // namespace TabStops
