#include "units.h"

#include "components/commondialog/commondialog.h"
#include "layoutstate.h"
#include "texts/programtexts.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace Units {
namespace {

// Twips in one unit of MeasureUnit; 0 (after the internal-error message `error`) for a unit
// that does not exist.
double twipsPerUnit(const QString& error)
{
    switch (LayoutState::MeasureUnit) {
    case 1: return TwipsPerInch;
    case 2: return TwipsPerCentimetre;
    default:
        CommonDialog::provider().message(nullptr, CommonDialog::defaultTitle(), error, CommonDialog::Buttons::Ok,
                                         CommonDialog::Icon::None);
        return 0;
    }
}

}  // namespace

double DlgString2Double(QString& text)
{
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    if (comma >= 0)
        text[comma] = QLatin1Char('.');
    return leadingNumber(text);
}

double leadingNumber(const QString& text)
{
    // The longest leading part that reads as a number: sign, digits, one point, an exponent.
    QString number;
    bool digits = false, point = false, exponent = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char(' ')) {
            continue;
        } else if (c.isDigit() && c.unicode() < 128) {
            digits = true;
        } else if ((c == QLatin1Char('-') || c == QLatin1Char('+'))
                   && (number.isEmpty() || number.endsWith(QLatin1Char('E')))) {
        } else if (c == QLatin1Char('.') && !point && !exponent) {
            point = true;
        } else if ((c == QLatin1Char('e') || c == QLatin1Char('E')) && digits && !exponent) {
            exponent = true;
            number += QLatin1Char('E');
            continue;
        } else {
            break;
        }
        number += c;
    }
    while (!number.isEmpty() && !number.back().isDigit())
        number.chop(1);  // "1e", "-", "2." and the like read as far as they are a number
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

int DlgString2Twips(QString text)
{
    const double perUnit = twipsPerUnit(Texts::InternalErrorDlgString2Twips);
    if (perUnit == 0)
        return 0;
    // Beyond the 32-bit range the length is clamped: the dialogs then reject it as too large.
    const double twips = std::nearbyint(DlgString2Double(text) * perUnit);
    return int(std::clamp(twips, double(std::numeric_limits<int>::min()), double(std::numeric_limits<int>::max())));
}

QString Twips2DlgString(float twips)
{
    const double perUnit = twipsPerUnit(Texts::InternalErrorTwips2DlgString);
    if (perUnit == 0)
        return {};
    const double value = (double(twips) + 0.0005) / perUnit;
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', 2);
}

}  // namespace Units
