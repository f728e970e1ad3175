#include "commandline.h"

#include "documents/convertfile.h"
#include "texts/filetexts.h"
#include "texts/programtexts.h"

#include <QFileInfo>

namespace {
const QString ConvertArguments = QStringLiteral("IN OUT");
const QString MergeArguments = QStringLiteral("TEMPLATE OUT [--where \"COLUMN OP VALUE\"]");
}  // namespace

bool CommandLine::isHeadless() const
{
    return !convertFrom.isEmpty() || !mergeTemplate.isEmpty() || showPaths;
}

CommandLine CommandLine::parse(const QStringList& arguments)
{
    CommandLine result;
    QStringList rest;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        auto value = [&](QString& into) {
            if (i + 1 >= arguments.size()) {
                result.error = Texts::missingValue(arg);
                return false;
            }
            into = arguments.at(++i);
            return true;
        };
        // The files of --convert and --merge: both must be there, and neither is an option.
        auto operands = [&](const QString& usage, std::initializer_list<QString*> into) {
            for (QString* target : into) {
                if (i + 1 >= arguments.size() || arguments.at(i + 1).startsWith(QLatin1String("--"))) {
                    result.error = Texts::wrongArguments(arg, usage);
                    return false;
                }
                *target = arguments.at(++i);
            }
            return true;
        };
        if (!rest.isEmpty()) {  // everything after the document belongs to it
            rest << arg;
        } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            result.showHelp = true;
        } else if (arg == QLatin1String("--version")) {
            result.showVersion = true;
        } else if (arg == QLatin1String("--paths")) {
            result.showPaths = true;
        } else if (arg == QLatin1String("--new-instance")) {
            result.newInstance = true;
        } else if (arg == QLatin1String("--files")) {
            // The file manager's way: everything after it is a file, whatever its name.
            result.files << arguments.mid(i + 1);
            break;
        } else if (arg == QLatin1String("--man-page")) {
            result.showManPage = true;
        } else if (arg == QLatin1String("--app-path") || arg == QLatin1String("--temp-path")) {
            QString& target = arg == QLatin1String("--app-path") ? result.appPath : result.tempPath;
            if (!value(target))
                return result;
            if (!QFileInfo(target).isDir()) {
                result.error = Texts::badDirectory(arg, target);
                return result;
            }
        } else if (arg == QLatin1String("--convert")) {
            if (!operands(ConvertArguments, {&result.convertFrom, &result.convertTo}))
                return result;
        } else if (arg == QLatin1String("--open")) {
            QString path;
            if (!value(path))
                return result;
            result.openFiles << path;
        } else if (arg == QLatin1String("--type")) {
            QString text;
            if (!value(text))
                return result;
            result.typing.append({int(result.openFiles.size()), text});
        } else if (arg == QLatin1String("--merge")) {
            if (!operands(MergeArguments, {&result.mergeTemplate, &result.mergeOut}))
                return result;
        } else if (arg == QLatin1String("--where")) {
            if (!value(result.mergeWhere))
                return result;
        } else if (arg == QLatin1String("--scramble-password")) {
            result.scramble = true;
            if (!value(result.scramblePassword))
                return result;
        } else if (arg == QLatin1String("--today")) {
            QString text;
            if (!value(text))
                return result;
            result.today = QDate::fromString(text, Qt::ISODate);
            if (!result.today.isValid()) {
                result.error = Texts::unknownOption(arg + QLatin1Char(' ') + text);
                return result;
            }
        } else if (arg.startsWith(QLatin1String("--"))) {
            result.error = Texts::unknownOption(arg);
            return result;
        } else {
            rest << arg;
        }
    }
    result.document = rest.join(QLatin1Char(' '));
    if (!result.mergeWhere.isEmpty() && result.mergeTemplate.isEmpty()) {
        result.error = Texts::whereWithoutMerge;
    } else if (!result.convertFrom.isEmpty() || !result.mergeTemplate.isEmpty()) {
        const bool convert = !result.convertFrom.isEmpty();
        const QString option = convert ? QStringLiteral("--convert") : QStringLiteral("--merge");
        const QString usage = convert ? ConvertArguments : MergeArguments;
        const QString out = convert ? result.convertTo : result.mergeOut;
        // Without a window nothing opens a document: a word left over is a mistake.
        if (!rest.isEmpty() || !result.files.isEmpty())
            result.error = Texts::extraArgument(rest.isEmpty() ? result.files.first() : rest.first(), option, usage);
        else if (!ConvertFile::writesFormatOf(out))
            result.error = Texts::unknownOutputFormat(out);
    }
    return result;
}
