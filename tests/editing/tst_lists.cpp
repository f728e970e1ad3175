// Bulleted and numbered lists as a user makes them: the paragraph bar's buttons, Tab and
// Shift+Tab for the levels, Enter and Backspace to leave a list, Format > Bullets and
// Numbering, and numbers that follow deletions, undo and redo.
#include "components/textcontrol/document/listlevels.h"
#include "components/textcontrol/view/pageview.h"
#include "components/textcontrol/textcontrol.h"
#include "documents/documentwindow.h"
#include "shell/mainwindow.h"
#include "support/scripteddialogs.h"
#include "support/testworkspace.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolButton>
#include <QtTest>

namespace {

QWidget* typingTarget(TestWorkspace& ws)
{
    ws.active()->textControl()->setFocus();
    return ws.active()->textControl()->pageView();
}

void typeText(QWidget* target, const QByteArray& text)
{
    for (const QChar c : text)
        QTest::keyClick(target, c.toLatin1());
}

void key(QWidget* target, Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(target, k, modifiers);
}

// What the page shows of each paragraph: its bullet or number, a blank, its text.
QStringList shown(const QTextDocument* document)
{
    QStringList lines;
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next()) {
        const ListLevels::Item item = ListLevels::item(b);
        lines << (item.inList ? QString(item.level * 2, QLatin1Char(' ')) + item.marker + QLatin1Char(' ') : QString())
                + b.text();
    }
    return lines;
}

QToolButton* button(TestWorkspace& ws, const char* name)
{
    return ws.main().findChild<QToolButton*>(QLatin1String(name));
}

}  // namespace

class ListsTest : public QObject {
    Q_OBJECT
private slots:
    void threeLevelsByTypingAndTab();
    void bulletLevelsRepeatToTheNinth();
    void numbersFollowDeletionUndoAndRedo();
    void backspaceTakesTheBulletFirst();
    void buttonsLatchAndToggle();
    void bulletsAndNumberingDialog_data();
    void bulletsAndNumberingDialog();
};

void ListsTest::threeLevelsByTypingAndTab()
{
    TestWorkspace ws;
    ws.start();
    QWidget* target = typingTarget(ws);
    typeText(target, "Medication:");
    key(target, Qt::Key_Return);
    QTest::mouseClick(button(ws, "btnNumbering"), Qt::LeftButton);
    typeText(target, "Aspirin 100 mg, daily");
    key(target, Qt::Key_Return);
    key(target, Qt::Key_Tab);
    typeText(target, "in the morning");
    key(target, Qt::Key_Return);
    key(target, Qt::Key_Tab);
    typeText(target, "with food (not fasting)");
    key(target, Qt::Key_Return);
    key(target, Qt::Key_Backtab, Qt::ShiftModifier);
    typeText(target, "or at noon");
    key(target, Qt::Key_Return);
    key(target, Qt::Key_Tab, Qt::ShiftModifier);
    typeText(target, "Ramipril 5 mg");
    key(target, Qt::Key_Return);
    key(target, Qt::Key_Return);  // Enter on the empty item ends the list
    typeText(target, "Kind regards");
    const TextControl* tc = ws.active()->textControl();
    QCOMPARE(shown(tc->document()), (QStringList{"Medication:", "1. Aspirin 100 mg, daily", "  a. in the morning",
                                                 "    i. with food (not fasting)", "  b. or at noon",
                                                 "2. Ramipril 5 mg", "Kind regards"}));
    QVERIFY(!button(ws, "btnNumbering")->isChecked());
}

// Bullets go •, ◦, ▪ down the levels and start again; the ninth level is the deepest.
void ListsTest::bulletLevelsRepeatToTheNinth()
{
    TestWorkspace ws;
    ws.start();
    QWidget* target = typingTarget(ws);
    QTest::mouseClick(button(ws, "btnBullets"), Qt::LeftButton);
    QStringList expected;
    const QString bullets[3] = {"\u2022", "\u25E6", "\u25AA"};
    for (int level = 0; level < 10; ++level) {
        if (level > 0) {
            key(target, Qt::Key_Return);
            key(target, Qt::Key_Tab);
        }
        typeText(target, QStringLiteral("L%1").arg(level).toLatin1());
        const int shownLevel = std::min(level, 8);
        expected << QString(shownLevel * 2, QLatin1Char(' ')) + bullets[shownLevel % 3] + QStringLiteral(" L%1").arg(level);
    }
    QCOMPARE(shown(ws.active()->textControl()->document()), expected);
}

void ListsTest::numbersFollowDeletionUndoAndRedo()
{
    TestWorkspace ws;
    ws.start();
    QWidget* target = typingTarget(ws);
    QTest::mouseClick(button(ws, "btnNumbering"), Qt::LeftButton);
    for (const char* item : {"Blood count", "Liver values", "Kidney values", "Thyroid"}) {
        typeText(target, item);
        key(target, Qt::Key_Return);
    }
    key(target, Qt::Key_Backspace);  // the fifth, empty item loses its number
    key(target, Qt::Key_Backspace);  // and goes
    const TextControl* tc = ws.active()->textControl();
    const QStringList four{"1. Blood count", "2. Liver values", "3. Kidney values", "4. Thyroid"};
    QCOMPARE(shown(tc->document()), four);
    // The second item, selected from its start to the next one's, is deleted.
    key(target, Qt::Key_Home, Qt::ControlModifier);
    key(target, Qt::Key_Down);
    key(target, Qt::Key_Down, Qt::ShiftModifier);
    key(target, Qt::Key_Delete);
    const QStringList three{"1. Blood count", "2. Kidney values", "3. Thyroid"};
    QCOMPARE(shown(tc->document()), three);
    key(target, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(shown(tc->document()), four);
    key(target, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(shown(tc->document()), three);
    // An item typed in the middle takes the next number; those after it move on.
    key(target, Qt::Key_End);
    key(target, Qt::Key_Home, Qt::ControlModifier);
    key(target, Qt::Key_End);
    key(target, Qt::Key_Return);
    typeText(target, "Glucose");
    QCOMPARE(shown(tc->document()), (QStringList{"1. Blood count", "2. Glucose", "3. Kidney values", "4. Thyroid"}));
    // The first item moved before the last (Edit > Cut, Edit > Paste) takes the number there.
    key(target, Qt::Key_Home, Qt::ControlModifier);
    key(target, Qt::Key_Down, Qt::ShiftModifier);
    key(target, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(shown(tc->document()), (QStringList{"1. Glucose", "2. Kidney values", "3. Thyroid"}));
    key(target, Qt::Key_End, Qt::ControlModifier);
    key(target, Qt::Key_Home);
    key(target, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(shown(tc->document()), (QStringList{"1. Glucose", "2. Kidney values", "3. Blood count", "4. Thyroid"}));
}

void ListsTest::backspaceTakesTheBulletFirst()
{
    TestWorkspace ws;
    ws.start();
    QWidget* target = typingTarget(ws);
    QTest::mouseClick(button(ws, "btnBullets"), Qt::LeftButton);
    typeText(target, "Take with water");
    key(target, Qt::Key_Return);
    typeText(target, "Avoid alcohol");
    const TextControl* tc = ws.active()->textControl();
    QCOMPARE(shown(tc->document()), (QStringList{"\u2022 Take with water", "\u2022 Avoid alcohol"}));
    key(target, Qt::Key_Home);
    key(target, Qt::Key_Backspace);
    QCOMPARE(shown(tc->document()), (QStringList{"\u2022 Take with water", "Avoid alcohol"}));
    key(target, Qt::Key_Backspace);
    QCOMPARE(shown(tc->document()), (QStringList{"\u2022 Take with waterAvoid alcohol"}));
    key(target, Qt::Key_Z, Qt::ControlModifier);
    key(target, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(shown(tc->document()), (QStringList{"\u2022 Take with water", "\u2022 Avoid alcohol"}));
}

// The buttons show whether the caret's paragraph has bullets or numbers; pressing the other
// one turns bullets into numbers on every level, pressing the same one takes them away.
void ListsTest::buttonsLatchAndToggle()
{
    TestWorkspace ws;
    ws.start();
    QWidget* target = typingTarget(ws);
    QToolButton* bullets = button(ws, "btnBullets");
    QToolButton* numbering = button(ws, "btnNumbering");
    QVERIFY(!bullets->icon().isNull() || !bullets->text().isEmpty());
    QTest::mouseClick(bullets, Qt::LeftButton);
    typeText(target, "Rest");
    key(target, Qt::Key_Return);
    key(target, Qt::Key_Tab);
    typeText(target, "two days");
    QVERIFY(bullets->isChecked());
    QVERIFY(!numbering->isChecked());
    const TextControl* tc = ws.active()->textControl();
    QCOMPARE(shown(tc->document()), (QStringList{"\u2022 Rest", "  \u25E6 two days"}));
    QTest::mouseClick(numbering, Qt::LeftButton);
    QVERIFY(numbering->isChecked());
    QVERIFY(!bullets->isChecked());
    QCOMPARE(shown(tc->document()), (QStringList{"1. Rest", "  a. two days"}));
    QTest::mouseClick(numbering, Qt::LeftButton);
    QCOMPARE(shown(tc->document()), (QStringList{"1. Rest", "two days"}));
    QVERIFY(!numbering->isChecked());
    // Bullets right below a numbered list start a list of their own.
    QTest::mouseClick(bullets, Qt::LeftButton);
    QCOMPARE(shown(tc->document()), (QStringList{"1. Rest", "\u2022 two days"}));
}

void ListsTest::bulletsAndNumberingDialog_data()
{
    QTest::addColumn<int>("style");  // ListLevels::Style, -1 none
    QTest::addColumn<int>("start");
    QTest::addColumn<double>("indent");  // inches
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("dash") << int(ListLevels::Dash) << 1 << 0.5 << QStringList{"\u2013 Fever", "\u2013 Cough"};
    QTest::newRow("square") << int(ListLevels::Square) << 1 << 0.25 << QStringList{"\u25AA Fever", "\u25AA Cough"};
    QTest::newRow("1) from 3") << int(ListLevels::DecimalParen) << 3 << 0.5 << QStringList{"3) Fever", "4) Cough"};
    QTest::newRow("A. B.") << int(ListLevels::UpperAlpha) << 1 << 0.75 << QStringList{"A. Fever", "B. Cough"};
    QTest::newRow("i. from 4") << int(ListLevels::LowerRoman) << 4 << 1.0 << QStringList{"iv. Fever", "v. Cough"};
    QTest::newRow("none") << -1 << 1 << 0.5 << QStringList{"Fever", "Cough"};
}

void ListsTest::bulletsAndNumberingDialog()
{
    QFETCH(int, style);
    QFETCH(int, start);
    QFETCH(double, indent);
    QFETCH(QStringList, expected);
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    QWidget* target = typingTarget(ws);
    QTest::mouseClick(button(ws, "btnBullets"), Qt::LeftButton);
    typeText(target, "Fever");
    key(target, Qt::Key_Return);
    typeText(target, "Cough");
    key(target, Qt::Key_Home, Qt::ControlModifier);
    key(target, Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
    dialogs.dialogScripts << [&](QDialog* d) {
        auto* styles = d->findChild<QComboBox*>("cboListStyle");
        styles->setCurrentIndex(styles->findData(style));
        d->findChild<QSpinBox*>("txtListStart")->setValue(start);
        d->findChild<QDoubleSpinBox*>("txtListIndent")->setValue(indent);
        return int(QDialog::Accepted);
    };
    ws.active()->action("mnuFormat_Bullets")->trigger();
    QCOMPARE(dialogs.dialogsShown, QStringList{"dlgBullets"});
    const TextControl* tc = ws.active()->textControl();
    QCOMPARE(shown(tc->document()), expected);
    if (style >= 0)
        QCOMPARE(ListLevels::item(tc->document()->lastBlock()).leftTwips, qRound(indent * 1440));
    // Cancel changes nothing; the dialog opens on what the caret's list has.
    int shownStyle = -2;
    dialogs.dialogScripts << [&](QDialog* d) {
        shownStyle = d->findChild<QComboBox*>("cboListStyle")->currentData().toInt();
        d->findChild<QComboBox*>("cboListStyle")->setCurrentIndex(0);
        return int(QDialog::Rejected);
    };
    ws.active()->action("mnuFormat_Bullets")->trigger();
    QCOMPARE(shownStyle, style);
    QCOMPARE(shown(tc->document()), expected);
}

QTEST_MAIN(ListsTest)
#include "tst_lists.moc"
