#pragma once
// Merge fields: fields of the text control whose data names a column ("table.column"). In
// field view each shows "[" + data + "]", in merged view the current record's value.
#include <QString>

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
// A column value as a letter shows it.
QString valueText(const QVariant& value);

}  // namespace MergeFields
