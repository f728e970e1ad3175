#pragma once
// Merge fields: fields of the text control whose data names a column ("table.column"). In
// field view each shows "[" + data + "]", in merged view the current record's value.
#include <QList>
#include <QString>

#include <optional>

class Recordset;
class TextControl;

namespace MergeFields {

int countflds(const TextControl* control);
// The table part of the first merge field's data; "" without fields or without a full stop.
QString gettable(const TextControl* control);
// Inserts a field for `tag` (table.column) at the caret; a selection is kept, not replaced.
void insertField(TextControl* control, const QString& tag);
// Deletes the field at the caret; nothing when the caret is in none.
void deleteField(TextControl* control);
// Field view: every field shows its data in square brackets again.
void resetflds(TextControl* control);
// Every field shows the current record's value of its column; an empty value takes one blank
// beside the field with it. A field whose column the record source lacks, or a record source
// past its end, keeps its text.
void mmerge(TextControl* control, const Recordset& records);
// mmerge for one record after another of the same record source, into a control that nothing
// else changes in between: the fields, their columns and the text each shows are looked up
// once, not again for every record, and a field is filled only where its text changes.
class RecordFiller {
public:
    RecordFiller(TextControl* control, const Recordset& records);
    void fill(const Recordset& records);

private:
    struct Field {
        int id = 0;
        int column = -1;              // in the record source, -1 where it has none
        std::optional<QString> shown;  // the field's text, once looked up or set
    };
    TextControl* m_control;
    QList<Field> m_fields;
};

// A column value as a letter shows it.
QString valueText(const QVariant& value);

}  // namespace MergeFields
