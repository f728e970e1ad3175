#include "mergefields.h"

#include "components/recordsource/recordsource.h"
#include "components/textcontrol/textcontrol.h"

#include <QDate>

namespace MergeFields {

int countflds(const TextControl* control)
{
    int count = 0;
    for (int id = control->fieldNext(0); id != 0; id = control->fieldNext(id))
        ++count;
    return count;
}

QString gettable(const TextControl* control)
{
    const int first = control->fieldNext(0);
    if (first == 0)
        return {};
    const QString data = control->fieldData(first);
    const qsizetype dot = data.indexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : data.left(dot);
}

void insertField(TextControl* control, const QString& tag)
{
    control->setSelLength(0);
    control->fieldInsert(QLatin1Char('[') + tag + QLatin1Char(']'));
    control->setFieldData(control->fieldCurrent(), tag);
    control->setFieldEditable(false);
}

void deleteField(TextControl* control)
{
    if (control->fieldCurrent() > 0)
        control->fieldDelete(true);
}

void resetflds(TextControl* control)
{
    if (countflds(control) == 0)
        return;
    for (int id = control->fieldNext(0); id != 0; id = control->fieldNext(id)) {
        control->setFieldCurrent(id);
        const QString text = QLatin1Char('[') + control->fieldData(id) + QLatin1Char(']');
        if (control->fieldText() != text)
            control->setFieldText(text, true);  // an empty value leaves no double blank
    }
}

QString valueText(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("M/d/yyyy"));
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("M/d/yyyy h:mm:ss AP"));
    default:
        return value.toString();
    }
}

void mmerge(TextControl* control, const Recordset& records)
{
    if (countflds(control) == 0)
        return;
    const bool onRecord = !records.atBOF() && !records.atEOF();
    for (int id = control->fieldNext(0); id != 0; id = control->fieldNext(id)) {
        control->setFieldCurrent(id);
        const QString data = control->fieldData(id);
        const QString column = data.mid(data.indexOf(QLatin1Char('.')) + 1);
        const int index = records.fieldIndex(column);
        if (!onRecord || index < 0)
            continue;
        const QString text = valueText(records.value(index));
        if (control->fieldText() != text)
            control->setFieldText(text, true);  // an empty value leaves no double blank
    }
}

RecordFiller::RecordFiller(TextControl* control, const Recordset& records) : m_control(control)
{
    for (int id = control->fieldNext(0); id != 0; id = control->fieldNext(id)) {
        const QString data = control->fieldData(id);
        m_fields.append({id, records.fieldIndex(data.mid(data.indexOf(QLatin1Char('.')) + 1)), std::nullopt});
    }
}

void RecordFiller::fill(const Recordset& records)
{
    if (records.atBOF() || records.atEOF())
        return;
    for (Field& field : m_fields) {
        if (field.column < 0)
            continue;
        const QString text = valueText(records.value(field.column));
        if (!field.shown) {
            m_control->setFieldCurrent(field.id);
            field.shown = m_control->fieldText();
        }
        if (*field.shown == text)
            continue;
        m_control->setFieldCurrent(field.id);
        m_control->setFieldText(text, true);  // an empty value leaves no double blank
        field.shown = QString(text).remove(QChar(0x200B));  // as fieldText() gives it
    }
}

}  // namespace MergeFields
