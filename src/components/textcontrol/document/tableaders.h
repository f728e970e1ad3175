#pragma once
// What fills the room a tab leaves before its stop, as Word's formats give it for each stop of
// a paragraph: dots, hyphens, a line ("Signed ________"), middle dots or a thick line.
#include <QChar>
#include <QTextFormat>

namespace TabLeaders {

// The leaders as characters: '.' dots, '-' hyphens, '_' a line, 0xB7 middle dots, '=' a thick
// line; a space for none.
constexpr QChar None = QLatin1Char(' ');
constexpr QChar Dots = QLatin1Char('.');
constexpr QChar Hyphens = QLatin1Char('-');
constexpr QChar Line = QLatin1Char('_');
constexpr QChar MiddleDots = QChar(0xB7);
constexpr QChar ThickLine = QLatin1Char('=');

// A paragraph's leaders: for each stop that has one, its position in twips and the leader
// ("4320.;9000_"), so that they stay with their stops however these are ordered.
constexpr int Property = QTextFormat::UserProperty + 44;

// The leader of the stop at `position` (layout units).
QChar at(const QTextBlockFormat& format, double position);
// Gives the stop at `position` its leader; None takes it away.
void set(QTextBlockFormat& format, double position, QChar leader);

}  // namespace TabLeaders
