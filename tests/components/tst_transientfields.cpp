// The text control's shown values: field texts that take a blank with them when empty and
// give it back, and transient edits that undo never reaches and withdrawing takes back.
#include "components/textcontrol/textcontrol.h"

#include <QTextDocument>
#include <QtTest>

namespace {

// "A {f} B": each {x} becomes a field with data x showing "[x]", the rest stays text. The
// fields in document order.
QList<int> fieldsIn(TextControl& control, const QString& pattern)
{
    QString text;
    QList<QPair<int, QString>> fields;
    const QStringList parts = pattern.split(QLatin1Char('{'));
    text = parts.first();
    for (int i = 1; i < parts.size(); ++i) {
        fields.append({int(text.size()), parts.at(i).section(QLatin1Char('}'), 0, 0)});
        text += parts.at(i).section(QLatin1Char('}'), 1);
    }
    control.setPlainText(text);
    QList<int> ids;
    for (qsizetype i = fields.size() - 1; i >= 0; --i) {  // from the end: earlier positions hold
        control.setSelStart(fields.at(i).first);
        ids.prepend(control.fieldInsert(QLatin1Char('[') + fields.at(i).second + QLatin1Char(']')));
        control.setFieldData(ids.first(), fields.at(i).second);
    }
    return ids;
}

QString shown(const TextControl& control) { return control.plainText().remove(QChar(0x200B)); }

void fill(TextControl& control, const QList<int>& ids, const QStringList& values)
{
    for (int i = 0; i < ids.size(); ++i) {
        control.setFieldCurrent(ids.at(i));
        control.setFieldText(values.at(i), true);
    }
}

}  // namespace

class TransientFieldsTest : public QObject {
    Q_OBJECT
private slots:
    void emptyFieldTakesOneBlank_data();
    void emptyFieldTakesOneBlank();
    void transientEditIsNoUndoStep();
    void typingUnderATransientEdit();
};

void TransientFieldsTest::emptyFieldTakesOneBlank_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QString>("expected");
    QTest::newRow("blank before") << "Dear {s} Allen:" << QStringList{""} << "Dear Allen:";
    QTest::newRow("paragraph start") << "{s} David Allen" << QStringList{""} << "David Allen";
    QTest::newRow("after a paragraph break") << "Dear\n{s} Allen" << QStringList{""} << "Dear\nAllen";
    QTest::newRow("paragraph end") << "Allen {m}\nNext" << QStringList{""} << "Allen\nNext";
    QTest::newRow("no blank beside") << "({m}) x" << QStringList{""} << "() x";
    QTest::newRow("two in a row") << "Mr. {f} {m} {l}" << QStringList{"David", "", ""} << "Mr. David";
    QTest::newRow("alone") << "{m}" << QStringList{""} << "";
    QTest::newRow("field after field") << "{a}{b} x" << QStringList{"", ""} << " x";
    QTest::newRow("values") << "Dear {s} {l}:" << QStringList{"Ms.", "Lee"} << "Dear Ms. Lee:";
}

// Each pattern filled with its values and then with field names again: the blanks come back.
void TransientFieldsTest::emptyFieldTakesOneBlank()
{
    QFETCH(QString, pattern);
    QFETCH(QStringList, values);
    QFETCH(QString, expected);
    TextControl control;
    const QList<int> ids = fieldsIn(control, pattern);
    const QString template_ = shown(control);
    fill(control, ids, values);
    QCOMPARE(shown(control), expected);
    fill(control, ids, values);  // filled again: nothing more is taken
    QCOMPARE(shown(control), expected);
    QStringList names;
    for (int id : ids)
        names << QLatin1Char('[') + control.fieldData(id) + QLatin1Char(']');
    fill(control, ids, names);
    QCOMPARE(shown(control), template_);
    QStringList full = values;
    full.replaceInStrings(QRegularExpression(QStringLiteral("^$")), QStringLiteral("X"));
    fill(control, ids, values);
    fill(control, ids, full);  // from empty straight to a value
    QString filled = template_;
    for (int i = 0; i < ids.size(); ++i)
        filled.replace(names.at(i), full.at(i));
    QCOMPARE(shown(control), filled);
}

void TransientFieldsTest::transientEditIsNoUndoStep()
{
    TextControl control;
    int changes = 0;
    connect(&control, &TextControl::changed, this, [&changes] { ++changes; });
    const QList<int> ids = fieldsIn(control, "Dear {s} {l}:");
    control.setSelStart(int(shown(control).size()));
    control.setSelText(QStringLiteral(" Hello"));
    const QString typed = shown(control);
    const int steps = control.document()->availableUndoSteps();
    changes = 0;
    for (const QStringList& record : {QStringList{"Mr.", "Allen"}, QStringList{"", "Baker"}}) {
        control.showTransient([&] { fill(control, ids, record); });
        QCOMPARE(control.undoKind(), 0);
        control.undo();  // stops at the shown values
        QVERIFY(shown(control).contains(record.last()));
    }
    QCOMPARE(shown(control), QStringLiteral("Dear Baker: Hello"));
    control.withdrawTransient([] { QFAIL("nothing was typed: undoing the values is enough"); });
    QCOMPARE(shown(control), typed);
    QCOMPARE(control.document()->availableUndoSteps(), steps);
    QVERIFY(!control.document()->isRedoAvailable());
    QCOMPARE(changes, 0);
    control.undo();
    QVERIFY(!shown(control).contains(QStringLiteral("Hello")));
    control.redo();
    QCOMPARE(shown(control), typed);
}

void TransientFieldsTest::typingUnderATransientEdit()
{
    TextControl control;
    const QList<int> ids = fieldsIn(control, "Dear {s} {l}:");
    control.showTransient([&] { fill(control, ids, {"", "Allen"}); });
    control.setSelLength(0);
    control.setSelStart(int(control.plainText().size()));  // the end, past the empty field's mark
    control.setSelText(QStringLiteral(" Hi"));
    QCOMPARE(shown(control), QStringLiteral("Dear Allen: Hi"));
    control.undo();  // the typing can be undone, the values not
    QCOMPARE(shown(control), QStringLiteral("Dear Allen:"));
    control.redo();
    control.showTransient([&] { fill(control, ids, {"Ms.", "Cole"}); });
    QCOMPARE(shown(control), QStringLiteral("Dear Ms. Cole: Hi"));
    bool restored = false;
    control.withdrawTransient([&] {
        restored = true;
        fill(control, ids, {"[s]", "[l]"});
    });
    QVERIFY(restored);
    QCOMPARE(shown(control), QStringLiteral("Dear [s] [l]: Hi"));
    QCOMPARE(control.undoKind(), 0);  // the history no longer fitted the text: it is gone
    control.undo();
    QCOMPARE(shown(control), QStringLiteral("Dear [s] [l]: Hi"));
}

QTEST_MAIN(TransientFieldsTest)
#include "tst_transientfields.moc"
