#include "headlessmerge.h"

#include "components/savefile.h"
#include "components/recordsource/recordsource.h"
#include "components/textcontrol/textcontrol.h"
#include "documents/convertfile.h"
#include "documents/fileproblems.h"
#include "merge/mergeconnection.h"
#include "merge/mergefields.h"
#include "merge/mergestatements.h"
#include "merge/mergetonew.h"
#include "settings/apppaths.h"
#include "texts/filetexts.h"
#include "texts/mergetexts.h"
#include "texts/programtexts.h"

#include <QRegularExpression>
#include <QSaveFile>
#include <QTemporaryFile>

namespace HeadlessMerge {

Criterion parseWhere(const QString& where)
{
    static const QRegularExpression form(QStringLiteral("^\\s*(\\S+)\\s+(\\S+)\\s?(.*)$"));
    const QRegularExpressionMatch m = form.match(where);
    Criterion c;
    if (!m.hasMatch())
        return c;
    c.column = m.captured(1);
    c.value = m.captured(3);
    for (int i = 0; i < Texts::Comparisons.size(); ++i)
        if (Texts::Comparisons.at(i).compare(m.captured(2), Qt::CaseInsensitive) == 0) {
            c.compareIndex = i;
            c.op = Texts::Comparisons.at(i);
        }
    return c;
}

namespace {

// Whether the database declares the column as text; a column it does not know counts as text.
bool isTextColumn(const QString& table, const QString& column)
{
    RecordSource probe(MergeConnection::buildConnectionString());
    probe.setSourceStatement(MergeStatements::columnsOf(table));
    probe.Requery();
    const Recordset& columns = probe.recordset();
    return columns.isTextField(columns.fieldIndex(column));
}

}  // namespace

bool run(const QString& templatePath, const QString& out, const QString& where, QString* error)
{
    TextControl control;
    if (!ConvertFile::load(templatePath, &control, error))
        return false;
    const QString table = MergeFields::gettable(&control);
    if (table.isEmpty()) {
        *error = Texts::mergeNoFields(templatePath);
        return false;
    }
    QString statement = MergeStatements::forTable(table);
    if (!where.isEmpty()) {
        const Criterion c = parseWhere(where);
        if (c.compareIndex < 0) {
            *error = Texts::mergeBadWhere(where);
            return false;
        }
        statement = MergeStatements::where(table, c.column, c.compareIndex, c.op, c.value,
                                           isTextColumn(table, c.column));
    }
    RecordSource source(MergeConnection::buildConnectionString());
    source.setSourceStatement(statement);
    if (!source.Requery()) {
        *error = Texts::mergeDatabaseFailed(source.lastError());
        return false;
    }
    if (source.recordset().RecordCount() == 0) {
        *error = Texts::mergeNoRecords;
        return false;
    }
    // The letters are merged as Rich Text, the merge's own output; any other format is
    // written from them as --convert writes it.
    const bool rtf = out.endsWith(QLatin1String(".rtf"), Qt::CaseInsensitive);
    control.beginBatch();
    bool written = false;
    if (rtf) {
        QSaveFile file(out);
        written = file.open(QIODevice::WriteOnly)
            && MergeToNew::writeLetters(&control, source.recordset(), &file, {}) && SaveFile::commit(file);
        if (!written)
            *error = Texts::failureLine(Texts::CantSaveFile, out, FileProblems::whyNotSaved(out));
    } else {
        QTemporaryFile merged(AppPaths::join(AppPaths::TempPath(), QStringLiteral("~MMerge-XXXXXX.rtf")));
        written = merged.open() && MergeToNew::writeLetters(&control, source.recordset(), &merged, {});
        merged.close();
        TextControl letters;
        if (!written)
            *error = Texts::failureLine(Texts::CantSaveFile, merged.fileName(),
                                        FileProblems::whyNotSaved(merged.fileName()));
        else
            written = ConvertFile::load(merged.fileName(), &letters, error)
                && ConvertFile::write(&letters, out, error);
    }
    control.endBatch();
    return written;
}

}  // namespace HeadlessMerge
