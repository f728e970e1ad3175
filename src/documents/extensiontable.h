#pragma once
// The open and save tables: the end of a file name, upper-cased, picks the format; the rules
// are tried in order and the first match wins.
#include <QString>
#include <initializer_list>

namespace ExtensionTable {

struct Rule {
    const char* ending;
    int format;
};

inline int formatFor(const QString& path, std::initializer_list<Rule> rules, int otherwise)
{
    const QString upper = path.toUpper();
    for (const Rule& rule : rules)
        if (upper.endsWith(QLatin1String(rule.ending)))
            return rule.format;
    return otherwise;
}

}  // namespace ExtensionTable
