#include "cssunits.h"

#include <QRegularExpression>

namespace CssUnits {
namespace {

double inches(double value, const QString& unit)
{
    return unit == QLatin1String("in") ? value : unit == QLatin1String("cm") ? value / 2.54
        : unit == QLatin1String("mm")                                        ? value / 25.4
                                                                             : value / 72;
}

// Spacing (margins, padding, indents, line heights) Qt takes in pixels only, of its 96 to the
// inch; points too it ignores there.
QString spacingInPixels(const QString& css)
{
    static const QRegularExpression spacing(QStringLiteral("((?:margin|padding)[\\w-]*|line-height|text-indent)(\\s*:\\s*)([^;}]*)"),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression length(QStringLiteral("(?<![\\w.#-])(-?\\d*\\.?\\d+)(in|cm|mm|pt)\\b"),
                                           QRegularExpression::CaseInsensitiveOption);
    QString out;
    qsizetype last = 0;
    for (auto it = spacing.globalMatch(css); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        QString value = m.captured(3);
        QString converted;
        qsizetype from = 0;
        for (auto l = length.globalMatch(value); l.hasNext();) {
            const QRegularExpressionMatch n = l.next();
            converted += value.mid(from, n.capturedStart() - from)
                + QString::number(inches(n.captured(1).toDouble(), n.captured(2).toLower()) * 96, 'f', 2) + QLatin1String("px");
            from = n.capturedEnd();
        }
        converted += value.mid(from);
        out += css.mid(last, m.capturedStart() - last) + m.captured(1) + m.captured(2) + converted;
        last = m.capturedEnd();
    }
    return out + css.mid(last);
}

QString convertLengths(const QString& source)
{
    const QString css = spacingInPixels(source);
    static const QRegularExpression length(QStringLiteral("(?<![\\w.#-])(\\d*\\.?\\d+)(in|cm|mm)\\b"),
                                           QRegularExpression::CaseInsensitiveOption);
    QString out;
    qsizetype last = 0;
    for (auto it = length.globalMatch(css); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const double value = m.captured(1).toDouble();
        const QString unit = m.captured(2).toLower();
        const double points = inches(value, unit) * 72;
        out += css.mid(last, m.capturedStart() - last) + QString::number(points, 'f', 2) + QLatin1String("pt");
        last = m.capturedEnd();
    }
    return out + css.mid(last);
}

}  // namespace

QString inPoints(const QString& html)
{
    // Style sheets, and style attributes in either kind of quotes.
    static const QRegularExpression styled(
        QStringLiteral("(<style[^>]*>)(.*?)(</style>)|(\\bstyle\\s*=\\s*\")([^\"]*)(\")|(\\bstyle\\s*=\\s*')([^']*)(')"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    QString out;
    qsizetype last = 0;
    for (auto it = styled.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const int group = m.hasCaptured(1) && !m.captured(1).isEmpty() ? 1 : m.hasCaptured(4) && !m.captured(4).isEmpty() ? 4 : 7;
        out += html.mid(last, m.capturedStart() - last) + m.captured(group) + convertLengths(m.captured(group + 1))
            + m.captured(group + 2);
        last = m.capturedEnd();
    }
    return out + html.mid(last);
}

}  // namespace CssUnits
