#include "tableaders.h"

#include "layoutunits.h"

#include <QStringList>

namespace TabLeaders {

namespace {

QStringList entries(const QTextBlockFormat& format)
{
    return format.stringProperty(Property).split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

int twipsOf(const QString& entry) { return entry.chopped(1).toInt(); }

}  // namespace

QChar at(const QTextBlockFormat& format, double position)
{
    const int twips = LayoutUnits::toTwips(position);
    for (const QString& entry : entries(format))
        if (entry.size() >= 2 && std::abs(twipsOf(entry) - twips) <= 1)
            return entry.back();
    return None;
}

void set(QTextBlockFormat& format, double position, QChar leader)
{
    const int twips = LayoutUnits::toTwips(position);
    QStringList list = entries(format);
    list.removeIf([&](const QString& entry) { return entry.size() < 2 || std::abs(twipsOf(entry) - twips) <= 1; });
    if (leader != None)
        list << QString::number(twips) + leader;
    if (list.isEmpty())
        format.clearProperty(Property);
    else
        format.setProperty(Property, list.join(QLatin1Char(';')));
}

}  // namespace TabLeaders
