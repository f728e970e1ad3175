#include "fontsubstitutes.h"

#include <QFont>
#include <QFontDatabase>

namespace FontSubstitutes {

void install()
{
    static const bool installed = [] {
        static const struct { const char* family; const char* sameMetrics; } Pairs[] = {
            {"Times New Roman", "Liberation Serif"}, {"Arial", "Liberation Sans"},
            {"Courier New", "Liberation Mono"},      {"Calibri", "Carlito"},
            {"Cambria", "Caladea"},                  {"Helvetica", "Liberation Sans"},
            {"Times", "Liberation Serif"},           {"Courier", "Liberation Mono"}};
        for (const auto& pair : Pairs) {
            const QString family = QString::fromLatin1(pair.family);
            const QString substitute = QString::fromLatin1(pair.sameMetrics);
            if (!QFontDatabase::hasFamily(family) && QFontDatabase::hasFamily(substitute))
                QFont::insertSubstitution(family, substitute);
        }
        return true;
    }();
    Q_UNUSED(installed);
}

}  // namespace FontSubstitutes
