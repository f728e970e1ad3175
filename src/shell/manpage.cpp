#include "manpage.h"

#include "texts/manpagetexts.h"

#include <QRegularExpression>
#include <QStringList>

namespace ManPage {
namespace {

// Text made safe for roff: backslashes printed, no line taken for a request.
QString escaped(QString text)
{
    text.replace(QLatin1Char('\\'), QLatin1String("\\e"));
    if (text.startsWith(QLatin1Char('.')) || text.startsWith(QLatin1Char('\'')))
        text.prepend(QLatin1String("\\&"));
    return text;
}

// An option's synopsis: the option names in bold with real minus signs, arguments in italics.
QString synopsis(const QString& option)
{
    QStringList parts;
    for (const QString& word : option.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (word.startsWith(QLatin1Char('-')) || word.startsWith(QLatin1String("[-")))
            parts << QStringLiteral("\\fB") + QString(word).replace(QLatin1Char('-'), QLatin1String("\\-"))
                    + QStringLiteral("\\fR");
        else
            parts << QStringLiteral("\\fI") + escaped(word) + QStringLiteral("\\fR");
    }
    return parts.join(QLatin1Char(' '));
}

struct Option {
    QString names;
    QStringList description;
};

}  // namespace

QString fromUsage(const QString& usage, const QString& version)
{
    const QStringList lines = usage.split(QLatin1Char('\n'));
    QString program = QStringLiteral("scrivora");
    QString usageLine;
    QStringList description;
    QList<Option> options;
    bool inOptions = false;
    static const QRegularExpression optionLine(QStringLiteral("^  (-\\S.*?)(?:\\s{2,}(\\S.*))?$"));
    for (const QString& line : lines) {
        if (line.startsWith(QLatin1String("Usage: "))) {
            usageLine = line.mid(7);
            program = usageLine.section(QLatin1Char(' '), 0, 0);
            usageLine = usageLine.section(QLatin1Char(' '), 1);
        } else if (line == QLatin1String("Options:")) {
            inOptions = true;
        } else if (!inOptions) {
            description << line;
        } else if (const auto match = optionLine.match(line); match.hasMatch()) {
            options << Option{match.captured(1).trimmed(), {}};
            if (!match.captured(2).isEmpty())
                options.last().description << match.captured(2);
        } else if (!line.trimmed().isEmpty() && !options.isEmpty()) {
            options.last().description << line.trimmed();
        }
    }

    QString page;
    page += QStringLiteral(".TH %1 1 \"\" \"%2 %3\" \"%4\"\n")
                .arg(program.toUpper(), program, version, ManPageTexts::Manual);
    page += QStringLiteral(".SH NAME\n%1 \\- %2\n").arg(program, ManPageTexts::Summary);
    page += QStringLiteral(".SH SYNOPSIS\n.B %1\n%2\n").arg(program, escaped(usageLine));
    page += QStringLiteral(".SH DESCRIPTION\n");
    bool paragraphOpen = false;
    for (const QString& line : description) {
        if (line.trimmed().isEmpty()) {
            paragraphOpen = false;
            continue;
        }
        if (!paragraphOpen && !page.endsWith(QLatin1String(".SH DESCRIPTION\n")))
            page += QStringLiteral(".PP\n");
        paragraphOpen = true;
        page += escaped(line.trimmed()) + QLatin1Char('\n');
    }
    page += QStringLiteral(".SH OPTIONS\n");
    for (const Option& option : options) {
        page += QStringLiteral(".TP\n") + synopsis(option.names) + QLatin1Char('\n');
        page += escaped(option.description.join(QLatin1Char(' '))) + QLatin1Char('\n');
    }
    page += QStringLiteral(".SH FILES\n");
    for (const auto& file : ManPageTexts::Files)
        page += QStringLiteral(".TP\n.I %1\n%2\n").arg(escaped(file[0]), escaped(file[1]));
    page += QStringLiteral(".PP\n") + escaped(ManPageTexts::FilesNote)
        .replace(QLatin1String("--"), QLatin1String("\\-\\-")) + QLatin1Char('\n');
    page += QStringLiteral(".SH SEE ALSO\n") + escaped(ManPageTexts::SeeAlso) + QLatin1Char('\n');
    return page;
}

}  // namespace ManPage
