#include "cssunits.h"

#include <QRegularExpression>
#include <functional>

namespace CssUnits {
namespace {

double inches(double value, const QString& unit)
{
    return unit == QLatin1String("in") ? value : unit == QLatin1String("cm") ? value / 2.54
        : unit == QLatin1String("mm")                                        ? value / 25.4
                                                                             : value / 72;
}

// `text` with each match of `pattern` replaced by what `by` makes of it.
QString replaceEach(const QString& text, const QRegularExpression& pattern,
                    const std::function<QString(const QRegularExpressionMatch&)>& by)
{
    QString out;
    qsizetype last = 0;
    for (auto it = pattern.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += text.mid(last, m.capturedStart() - last) + by(m);
        last = m.capturedEnd();
    }
    return out + text.mid(last);
}

// A length of the form "12.5mm" in another unit: `perInch` of `unit` to the inch.
QString lengthIn(const QRegularExpressionMatch& length, double perInch, QLatin1String unit)
{
    return QString::number(inches(length.captured(1).toDouble(), length.captured(2).toLower()) * perInch, 'f', 2) + unit;
}

// Spacing (margins, padding, indents, line heights) Qt takes in pixels only, of its 96 to the
// inch; points too it ignores there.
QString spacingInPixels(const QString& css)
{
    static const QRegularExpression spacing(QStringLiteral("((?:margin|padding)[\\w-]*|line-height|text-indent)(\\s*:\\s*)([^;}]*)"),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression length(QStringLiteral("(?<![\\w.#-])(-?\\d*\\.?\\d+)(in|cm|mm|pt)\\b"),
                                           QRegularExpression::CaseInsensitiveOption);
    return replaceEach(css, spacing, [](const QRegularExpressionMatch& m) {
        return m.captured(1) + m.captured(2)
            + replaceEach(m.captured(3), length, [](const QRegularExpressionMatch& n) { return lengthIn(n, 96, QLatin1String("px")); });
    });
}

QString convertLengths(const QString& source)
{
    static const QRegularExpression length(QStringLiteral("(?<![\\w.#-])(\\d*\\.?\\d+)(in|cm|mm)\\b"),
                                           QRegularExpression::CaseInsensitiveOption);
    return replaceEach(spacingInPixels(source), length,
                       [](const QRegularExpressionMatch& m) { return lengthIn(m, 72, QLatin1String("pt")); });
}

}  // namespace

QString inPoints(const QString& html)
{
    // Style sheets, and style attributes in either kind of quotes.
    static const QRegularExpression styled(
        QStringLiteral("(<style[^>]*>)(.*?)(</style>)|(\\bstyle\\s*=\\s*\")([^\"]*)(\")|(\\bstyle\\s*=\\s*')([^']*)(')"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    return replaceEach(html, styled, [](const QRegularExpressionMatch& m) {
        const int group = m.hasCaptured(1) && !m.captured(1).isEmpty() ? 1 : m.hasCaptured(4) && !m.captured(4).isEmpty() ? 4 : 7;
        return m.captured(group) + convertLengths(m.captured(group + 1)) + m.captured(group + 2);
    });
}

}  // namespace CssUnits
