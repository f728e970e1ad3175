// The merged view as a user works it: fields chosen from the field menu, View Merged Data,
// the navigation buttons, the record number box, Find Record and Merge to New Document, all
// through clicks and keys on the shown window; then undo, redo and save, and what the letter
// and the saved template hold.
#include "components/panels/latchbutton.h"
#include "components/recordsource/recordsource.h"
#include "components/textcontrol/view/pageview.h"
#include "components/textcontrol/textcontrol.h"
#include "documents/documentwindow.h"
#include "merge/findrecorddialog.h"
#include "shell/headlessmerge.h"
#include "merge/mergestate.h"
#include "merge/mergestatements.h"
#include "merge/recordnumberbox.h"
#include "merge/windowmerge.h"
#include "shell/mainwindow.h"
#include "support/practicedatabase.h"
#include "support/scripteddialogs.h"
#include "support/testworkspace.h"
#include "texts/mergetexts.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

namespace {

const QString PatientStatement = MergeStatements::forTable(QStringLiteral("patient_info"));

QWidget* viewport(DocumentWindow* window) { return window->textControl()->pageView()->viewport(); }

void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

// What the page shows, without the invisible character an empty field keeps.
QString shownText(DocumentWindow* window)
{
    return window->textControl()->plainText().remove(QChar(0x200B));
}

// Format > Mail Merge, answering the data source dialog with a table.
void openTable(ScriptedDialogs& dialogs, DocumentWindow* window, int entry)
{
    dialogs.dialogScripts << [entry](QDialog* d) {
        d->findChild<QListWidget*>(QStringLiteral("List1"))->setCurrentRow(entry);
        d->findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
        return d->result();
    };
    window->action(QStringLiteral("mnuFMailMerge"))->trigger();
}

// Insert Merge Fields, then a click on the entry of the pop-up field menu.
void insertFromFieldMenu(DocumentWindow* window, int entry)
{
    WindowMerge* merge = window->merge();
    click(merge->toolbar().cmdmmflds);
    QMenu* menu = merge->mnuMail();
    QVERIFY(menu->isVisible());
    QAction* action = merge->mnumm(entry);
    QVERIFY2(action->isEnabled(), qPrintable(action->text()));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
    QVERIFY(!menu->isVisible());
}

void type(DocumentWindow* window, const QString& text) { QTest::keyClicks(viewport(window), text); }

// The lines of a text with something on them: merged letters are separated by page breaks
// and empty paragraphs.
QStringList lines(QString text)
{
    return text.remove(QChar(0x200B))
        .split(QRegularExpression(QStringLiteral("[\\n\\x{2029}\\x{0C}]+")), Qt::SkipEmptyParts);
}

// "Dear [salutation] [last_name]:" / "[salutation] [first_name] [middle_init] [last_name]" /
// "[middle_init] [first_name], of [city]": salutation and middle initial may be empty, and
// two fields start a paragraph.
void typePatientLetter(DocumentWindow* window)
{
    type(window, QStringLiteral("Dear "));
    insertFromFieldMenu(window, 0);
    type(window, QStringLiteral(" "));
    insertFromFieldMenu(window, 1);
    type(window, QStringLiteral(":"));
    QTest::keyClick(viewport(window), Qt::Key_Return);
    insertFromFieldMenu(window, 0);
    type(window, QStringLiteral(" "));
    insertFromFieldMenu(window, 2);
    type(window, QStringLiteral(" "));
    insertFromFieldMenu(window, 3);
    type(window, QStringLiteral(" "));
    insertFromFieldMenu(window, 1);
    QTest::keyClick(viewport(window), Qt::Key_Return);
    insertFromFieldMenu(window, 3);
    type(window, QStringLiteral(" "));
    insertFromFieldMenu(window, 2);
    type(window, QStringLiteral(", of "));
    insertFromFieldMenu(window, 5);
    type(window, QStringLiteral(". Please see the patient below."));
}

const QString TemplateText = QStringLiteral(
    "Dear [patient_info.salutation] [patient_info.last_name]:\n"
    "[patient_info.salutation] [patient_info.first_name] [patient_info.middle_init] [patient_info.last_name]\n"
    "[patient_info.middle_init] [patient_info.first_name], of [patient_info.city]. Please see the patient below.");

// The letter for a record as it must read: an empty value takes one blank with it.
QString letterFor(const Recordset& r)
{
    const auto v = [&r](const char* column) { return r.value(QLatin1String(column)).toString(); };
    const auto join = [](QStringList words) {
        words.removeAll(QString());
        return words.join(QLatin1Char(' '));
    };
    return QStringLiteral("Dear %1:\n%2\n%3, of %4. Please see the patient below.")
        .arg(join({v("salutation"), v("last_name")}),
             join({v("salutation"), v("first_name"), v("middle_init"), v("last_name")}),
             join({v("middle_init"), v("first_name")}), v("city"));
}

// Every record's letter, in the order of the table's statement, read on its own.
QStringList lettersInOrder(const QString& statement = PatientStatement)
{
    RecordSource source(MergeState::ConnectionString);
    source.setSourceStatement(statement);
    source.Requery();
    QStringList letters;
    Recordset& records = source.recordset();
    for (records.MoveFirst(); !records.atEOF(); records.MoveNext())
        letters << letterFor(records);
    return letters;
}

// Every surname and city of the table, as whole words.
QRegularExpression anyRecordValue()
{
    RecordSource source(MergeState::ConnectionString);
    source.setSourceStatement(PatientStatement);
    source.Requery();
    QStringList words;
    Recordset& records = source.recordset();
    for (records.MoveFirst(); !records.atEOF(); records.MoveNext())
        for (const char* column : {"last_name", "first_name", "city"})
            words << QRegularExpression::escape(records.value(QLatin1String(column)).toString());
    return QRegularExpression(QStringLiteral("\\b(") + words.join(QLatin1Char('|')) + QStringLiteral(")\\b"));
}

// Gives three patients known values: a Null salutation and middle initial among them.
void setPatients(const TestWorkspace& ws)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("patients"));
        db.setDatabaseName(ws.file(QStringLiteral("practice.db")));
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("DELETE FROM patient_info")));
        QVERIFY(q.exec(QStringLiteral(
            "INSERT INTO patient_info (patient_id, salutation, last_name, first_name, middle_init, city) VALUES "
            "(1, 'Mr.', 'Allen', 'David', NULL, 'Austin'), (2, NULL, 'Baker', 'Martin', 'Q', 'Dallas'), "
            "(3, NULL, 'Cole', 'Ann', NULL, 'austin'), (4, 'Mrs.', 'Diaz', 'Rosa', 'T', 'Houston')")));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("patients"));
}

// A shown window holding the patient letter, on a table of four known patients.
DocumentWindow* patientLetter(TestWorkspace& ws, ScriptedDialogs& dialogs)
{
    setPatients(ws);
    ws.start();
    DocumentWindow* window = ws.active();
    openTable(dialogs, window, 0);
    typePatientLetter(window);
    return window;
}

void activate(TestWorkspace& ws, DocumentWindow* window)
{
    ws.main().mdiArea()->setActiveSubWindow(window->subWindow());
    QCOMPARE(ws.active(), window);
}

// Merge to New Document with All, as the Merge dialog opens.
void mergeAll(ScriptedDialogs& dialogs, DocumentWindow* window)
{
    dialogs.dialogScripts << [](QDialog* d) {
        d->findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
        return d->result();
    };
    click(window->merge()->toolbar().cmdshow);
}

// Find Record on the tool bar, searching the surnames.
FindRecordDialog* openFindRecord(DocumentWindow* window)
{
    click(window->merge()->toolbar().cmdfind);
    FindRecordDialog* find = FindRecordDialog::current();
    auto* fields = find->findChild<QComboBox*>(QStringLiteral("cbofields"));
    fields->setFocus();
    QTest::keyClick(fields, Qt::Key_Down);  // from salutation to last_name
    return find;
}

// Types into the record number box and presses a key.
void enterRecordNumber(DocumentWindow* window, const QString& typed, Qt::Key key = Qt::Key_Return)
{
    RecordNumberBox* box = window->merge()->toolbar().lblrecs;
    click(box);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, typed);
    QTest::keyClick(box, key);
}

}  // namespace

class MergedViewTest : public QObject {
    Q_OBJECT
private slots:
    void firstFieldOfEveryTableIsInserted();
    void nothingOfTheMergedViewIsUndone_data();
    void nothingOfTheMergedViewIsUndone();
    void typingBeforeTheMergedViewStaysUndoable();
    void emptyFieldsLeaveNoDoubleBlank();
    void failedFindKeepsTheShownRecord();
    void findRecordNeedsTheMergedView();
    void caretStaysBesideItsWords();
    void recordNumberBox();
    void mergeDialogOpensWithAll();
    void whereIgnoresCaseAndKeepsTheTableOrder_data();
    void whereIgnoresCaseAndKeepsTheTableOrder();
    void findRecordIgnoresCase_data();
    void findRecordIgnoresCase();
    void templateWindowPaintsDuringTheMerge();
};

void MergedViewTest::firstFieldOfEveryTableIsInserted()
{
    TestWorkspace ws;
    PREPARE_PRACTICE(ws, QStringLiteral("sqlite"), 3);
    ScriptedDialogs dialogs;
    ws.start();
    DocumentWindow* window = ws.active();
    const char* const firstColumns[] = {"patient_info.salutation", "provider_info.name", "ref_source_info.name",
                                        "insurance_info.name"};
    for (int table = 0; table < 4; ++table) {
        openTable(dialogs, window, table);
        for (QAction* entry : window->merge()->fieldListByTag())
            QVERIFY2(entry->isEnabled(), qPrintable(entry->text()));
        insertFromFieldMenu(window, 0);
        QVERIFY2(shownText(window).endsWith(QLatin1Char('[') + QLatin1String(firstColumns[table]) + QLatin1Char(']')),
                 qPrintable(shownText(window)));
        type(window, QStringLiteral(" "));
    }
    QCOMPARE(window->merge()->countflds(), 4);
}

// Each row is what the user does between writing the letter and undoing: the merged view on
// and off, moves, searches, typing and merges. Whatever it was, undo and redo only take back
// and bring back the user's typing, and a save writes the fields.
void MergedViewTest::nothingOfTheMergedViewIsUndone_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::newRow("view on, off") << QStringList{"view", "view"};
    QTest::newRow("moves") << QStringList{"view", "next", "next", "last", "prev", "view"};
    QTest::newRow("record box") << QStringList{"view", "number", "view"};
    QTest::newRow("find") << QStringList{"view", "find", "view"};
    QTest::newRow("failed find") << QStringList{"view", "next", "nofind", "prev", "view"};
    QTest::newRow("merge") << QStringList{"merge"};
    QTest::newRow("view, merge") << QStringList{"view", "last", "view", "merge", "view", "first", "view"};
    QTest::newRow("typing in merged view") << QStringList{"view", "next", "type", "next", "view"};
    QTest::newRow("undo in merged view") << QStringList{"view", "type", "undo", "undo", "undo", "next", "view"};
    QTest::newRow("saved in merged view") << QStringList{"view", "next", "save", "next", "save"};
    QTest::newRow("left in merged view") << QStringList{"view", "last"};
}

void MergedViewTest::nothingOfTheMergedViewIsUndone()
{
    QFETCH(QStringList, steps);
    TestWorkspace ws;
    PREPARE_PRACTICE(ws, QStringLiteral("sqlite"), 4);
    ScriptedDialogs dialogs;
    DocumentWindow* window = patientLetter(ws, dialogs);
    QCOMPARE(shownText(window), TemplateText);
    const QRegularExpression values = anyRecordValue();
    const QString saved = ws.file(QStringLiteral("saved.tx"));
    WindowMerge* merge = window->merge();
    const MergeToolbar& bar = merge->toolbar();
    QString typed;
    for (const QString& step : steps) {
        if (step == QLatin1String("view")) {
            click(bar.cmdmmerge);
        } else if (step == QLatin1String("first") || step == QLatin1String("prev") || step == QLatin1String("next")
                   || step == QLatin1String("last")) {
            const QStringList moves{"first", "prev", "next", "last"};
            click(bar.cmddata[moves.indexOf(step)]);
        } else if (step == QLatin1String("number")) {
            enterRecordNumber(window, QStringLiteral("3"));
        } else if (step == QLatin1String("find") || step == QLatin1String("nofind")) {
            FindRecordDialog* find = openFindRecord(window);
            QCOMPARE(find->findChild<QComboBox*>(QStringLiteral("cbofields"))->currentText(), QStringLiteral("last_name"));
            QTest::keyClicks(find->findChild<QLineEdit*>(QStringLiteral("txtsql")),
                             step == QLatin1String("find") ? QStringLiteral("co") : QStringLiteral("zzz"));
            const QString before = merge->recordLabel();
            click(find->findChild<QPushButton*>(QStringLiteral("cmdok")));
            QCOMPARE(merge->recordLabel(), step == QLatin1String("find") ? QStringLiteral("3") : before);
            click(find->findChild<QPushButton*>(QStringLiteral("cmdcancel")));
        } else if (step == QLatin1String("merge")) {
            mergeAll(dialogs, window);
            QVERIFY(ws.active() != window);
            activate(ws, window);
        } else if (step == QLatin1String("type")) {
            QTest::keyClick(viewport(window), Qt::Key_End, Qt::ControlModifier);
            type(window, QStringLiteral(" Thanks."));
            typed += QStringLiteral(" Thanks.");
        } else if (step == QLatin1String("undo")) {
            QTest::keyClick(viewport(window), Qt::Key_Z, Qt::ControlModifier);
            QVERIFY(values.match(shownText(window)).hasMatch());  // still the record's letter
            if (!shownText(window).endsWith(typed))
                typed.clear();
        } else if (step == QLatin1String("save")) {
            dialogs.fileAnswers << saved;
            window->action(QStringLiteral("mnuFile_SaveAs"))->trigger();
            TextControl reread;
            QVERIFY(reread.load(saved, 0, TextControl::FormatNative));
            QCOMPARE(reread.plainText().remove(QChar(0x200B)), TemplateText + typed);
            QVERIFY(merge->mergedView());
            QVERIFY(values.match(shownText(window)).hasMatch());  // the window still shows the record
        }
    }
    if (merge->mergedView())
        click(bar.cmdmmerge);
    QCOMPARE(shownText(window), TemplateText + typed);

    // Undo takes back the typing, one step after the other, and nothing else; redo brings it back.
    QStringList seen;
    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(viewport(window), Qt::Key_Z, Qt::ControlModifier);
        seen << shownText(window);
    }
    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(viewport(window), Qt::Key_Y, Qt::ControlModifier);
        seen << shownText(window);
    }
    for (const QString& text : seen)
        QVERIFY2(!values.match(text).hasMatch(), qPrintable(text));
    QVERIFY(shownText(window).startsWith(QStringLiteral("Dear [patient_info.salutation] [patient_info.last_name]:")));

    dialogs.fileAnswers << saved;
    window->action(QStringLiteral("mnuFile_SaveAs"))->trigger();
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    TextControl reread;
    QVERIFY(reread.load(saved, 0, TextControl::FormatNative));
    QVERIFY2(!values.match(reread.plainText()).hasMatch(), qPrintable(reread.plainText()));
    QCOMPARE(reread.plainText().remove(QChar(0x200B)), shownText(window));
    QVERIFY(dialogs.messages.isEmpty());
}

// What was typed before the merged view can still be undone after it.
void MergedViewTest::typingBeforeTheMergedViewStaysUndoable()
{
    TestWorkspace ws;
    PREPARE_PRACTICE(ws, QStringLiteral("sqlite"), 4);
    ScriptedDialogs dialogs;
    DocumentWindow* window = patientLetter(ws, dialogs);
    QTest::keyClick(viewport(window), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(viewport(window), Qt::Key_Return);
    type(window, QStringLiteral("Yours sincerely"));
    const QString before = shownText(window);
    click(window->merge()->toolbar().cmdmmerge);
    click(window->merge()->toolbar().cmddata[2]);
    QCOMPARE(window->textControl()->undoKind(), 0);  // Edit > Undo has nothing to take back
    click(window->merge()->toolbar().cmdmmerge);
    QCOMPARE(shownText(window), before);
    QVERIFY(window->textControl()->undoKind() != 0);
    window->action(QStringLiteral("mnuUndo"))->trigger();
    QVERIFY(shownText(window) != before);
    QVERIFY(before.startsWith(shownText(window)));  // the typing, from its end
}

// The merged view, Merge to New Document and the command line's merge read the same.
void MergedViewTest::emptyFieldsLeaveNoDoubleBlank()
{
    TestWorkspace ws;
    PREPARE_PRACTICE(ws, QStringLiteral("sqlite"), 4);
    ScriptedDialogs dialogs;
    DocumentWindow* window = patientLetter(ws, dialogs);
    const QStringList letters = lettersInOrder();
    QCOMPARE(letters.first(), QStringLiteral("Dear Mr. Allen:\nMr. David Allen\nDavid, of Austin. Please see the patient below."));
    QCOMPARE(letters.at(1), QStringLiteral("Dear Baker:\nMartin Q Baker\nQ Martin, of Dallas. Please see the patient below."));
    QCOMPARE(letters.at(2), QStringLiteral("Dear Cole:\nAnn Cole\nAnn, of austin. Please see the patient below."));

    const MergeToolbar& bar = window->merge()->toolbar();
    click(bar.cmdmmerge);
    const int order[] = {0, 1, 2, 3, 2, 1, 0, 2, 3};
    int at = 0;
    for (int record : order) {
        while (at < record)
            click(bar.cmddata[2]), ++at;
        while (at > record)
            click(bar.cmddata[1]), --at;
        QCOMPARE(shownText(window), letters.at(record));
    }
    QTest::keyClick(viewport(window), Qt::Key_End, Qt::ControlModifier);  // typing here, then more moves
    type(window, QStringLiteral(" Thanks."));
    for (int record : {1, 0, 2}) {
        enterRecordNumber(window, QString::number(record + 1));
        QCOMPARE(shownText(window), letters.at(record) + QStringLiteral(" Thanks."));
    }
    click(bar.cmdmmerge);
    QCOMPARE(shownText(window), TemplateText + QStringLiteral(" Thanks."));
    QTest::keyClick(viewport(window), Qt::Key_End, Qt::ControlModifier);
    for (int i = 0; i < 8; ++i)
        QTest::keyClick(viewport(window), Qt::Key_Backspace);
    QCOMPARE(shownText(window), TemplateText);

    mergeAll(dialogs, window);
    DocumentWindow* merged = ws.active();
    QVERIFY(merged != window);
    const QStringList expected = lines(letters.join(QLatin1Char('\n')));
    QCOMPARE(lines(merged->textControl()->plainText()), expected);

    const QString templatePath = ws.file(QStringLiteral("letter.tx"));
    activate(ws, window);
    dialogs.fileAnswers << templatePath;
    window->action(QStringLiteral("mnuFile_SaveAs"))->trigger();
    const QString out = ws.file(QStringLiteral("letters.rtf"));
    QString error;
    QVERIFY2(HeadlessMerge::run(templatePath, out, QString(), &error), qPrintable(error));
    TextControl headless;
    QVERIFY(headless.load(out, 0, TextControl::FormatRtf));
    QCOMPARE(lines(headless.plainText()), expected);
}

void MergedViewTest::failedFindKeepsTheShownRecord()
{
    TestWorkspace ws;
    PREPARE_PRACTICE(ws, QStringLiteral("sqlite"), 4);
    ScriptedDialogs dialogs;
    DocumentWindow* window = patientLetter(ws, dialogs);
    const QStringList letters = lettersInOrder();
    WindowMerge* merge = window->merge();
    const MergeToolbar& bar = merge->toolbar();
    click(bar.cmdmmerge);
    click(bar.cmddata[2]);
    click(bar.cmddata[2]);
    QCOMPARE(merge->recordLabel(), QStringLiteral("3"));

    FindRecordDialog* find = openFindRecord(window);
    auto* text = find->findChild<QLineEdit*>(QStringLiteral("txtsql"));
    auto* status = find->findChild<QLabel*>(QStringLiteral("lblstatus"));
    auto* first = find->findChild<QPushButton*>(QStringLiteral("cmdok"));
    auto* next = find->findChild<QPushButton*>(QStringLiteral("cmdnext"));
    QTest::keyClicks(text, QStringLiteral("Zzz"));
    click(first);
    QCOMPARE(status->text(), QStringLiteral("No matching record."));
    QVERIFY(status->isVisible());
    QVERIFY(!next->isEnabled());
    QCOMPARE(merge->recordLabel(), QStringLiteral("3"));
    QCOMPARE(shownText(window), letters.at(2));
    click(bar.cmddata[1]);  // the dialog stays open beside the letter
    QCOMPARE(merge->recordLabel(), QStringLiteral("2"));
    QCOMPARE(shownText(window), letters.at(1));

    // Find Next that runs out: the window stays on the last hit, and Next goes on from it.
    QTest::keyClick(text, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(text, QStringLiteral("B"));
    QVERIFY(status->text().isEmpty());
    click(find->findChild<QPushButton*>(QStringLiteral("cmdok")));
    QCOMPARE(merge->recordLabel(), QStringLiteral("2"));
    QVERIFY(status->text().isEmpty());
    click(next);
    QCOMPARE(status->text(), QStringLiteral("No matching record."));
    QCOMPARE(merge->recordLabel(), QStringLiteral("2"));
    click(bar.cmddata[2]);
    QCOMPARE(merge->recordLabel(), QStringLiteral("3"));
    QCOMPARE(shownText(window), letters.at(2));
    QTest::keyClick(text, Qt::Key_Backspace);
    QVERIFY(status->text().isEmpty());
    find->close();
    QVERIFY(dialogs.messages.isEmpty());
}

// Find Record works on the active window only while it shows merged data, and closes with the
// window it was opened for: a search never says "No matching record." of a document without
// records.
void MergedViewTest::findRecordNeedsTheMergedView()
{
    TestWorkspace ws;
    PREPARE_PRACTICE(ws, QStringLiteral("sqlite"), 4);
    ScriptedDialogs dialogs;
    DocumentWindow* window = patientLetter(ws, dialogs);
    WindowMerge* merge = window->merge();
    click(merge->toolbar().cmdmmerge);
    FindRecordDialog* find = openFindRecord(window);
    auto* status = find->findChild<QLabel*>(QStringLiteral("lblstatus"));
    QTest::keyClicks(find->findChild<QLineEdit*>(QStringLiteral("txtsql")), QStringLiteral("A"));
    click(merge->toolbar().cmdmmerge);  // field view again
    const QString fields = shownText(window);
    click(find->findChild<QPushButton*>(QStringLiteral("cmdok")));
    QCOMPARE(status->text(), Texts::FindNeedsMergedView);
    QCOMPARE(shownText(window), fields);
    QCOMPARE(merge->recordLabel(), QStringLiteral("1"));

    dialogs.messageAnswers << CommonDialog::Answer::No;  // the letter is not saved
    window->action(QStringLiteral("mnuFClose"))->trigger();
    QTRY_VERIFY(!FindRecordDialog::current());
}

// The fields before the caret grow and shrink as the merged view fills and empties them; the
// caret stays beside the same words, as it does when the record changes.
void MergedViewTest::caretStaysBesideItsWords()
{
    TestWorkspace ws;
    PREPARE_PRACTICE(ws, QStringLiteral("sqlite"), 4);
    ScriptedDialogs dialogs;
    DocumentWindow* window = patientLetter(ws, dialogs);
    for (int i = 0; i < 6; ++i)
        QTest::keyClick(viewport(window), Qt::Key_Left);
    auto rightOfCaret = [window] {
        const QTextCursor caret = window->textControl()->textCursor();
        return caret.hasSelection() ? QString() : caret.block().text().mid(caret.positionInBlock());
    };
    QCOMPARE(rightOfCaret(), QStringLiteral("below."));
    const MergeToolbar& bar = window->merge()->toolbar();
    for (LatchButton* button : {bar.cmdmmerge, bar.cmddata[2], bar.cmddata[3], bar.cmdmmerge}) {
        click(button);
        QCOMPARE(rightOfCaret(), QStringLiteral("below."));
    }
}

void MergedViewTest::recordNumberBox()
{
    TestWorkspace ws;
    PREPARE_PRACTICE(ws, QStringLiteral("sqlite"), 4);
    ScriptedDialogs dialogs;
    DocumentWindow* window = patientLetter(ws, dialogs);
    const QStringList letters = lettersInOrder();
    WindowMerge* merge = window->merge();
    RecordNumberBox* box = merge->toolbar().lblrecs;
    QVERIFY(box->isReadOnly() && box->focusPolicy() == Qt::NoFocus);  // field view only shows it

    click(merge->toolbar().cmdmmerge);
    QVERIFY(!box->isReadOnly());
    enterRecordNumber(window, QStringLiteral("4"));
    QCOMPARE(merge->recordLabel(), QStringLiteral("4"));
    QCOMPARE(box->text(), QStringLiteral("4"));
    QCOMPARE(shownText(window), letters.at(3));
    QVERIFY(box->window()->focusWidget() != box);  // typing goes on in the letter

    const struct {
        const char* typed;
        Qt::Key key;
    } refused[] = {{"0", Qt::Key_Return}, {"5", Qt::Key_Return}, {"x1", Qt::Key_Return}, {"", Qt::Key_Enter},
                   {"-2", Qt::Key_Return}, {"2", Qt::Key_Escape}};
    for (const auto& r : refused) {
        enterRecordNumber(window, QLatin1String(r.typed), r.key);
        QCOMPARE(box->text(), QStringLiteral("4"));
        QCOMPARE(merge->recordLabel(), QStringLiteral("4"));
        QCOMPARE(shownText(window), letters.at(3));
    }
    enterRecordNumber(window, QStringLiteral("1"));
    QCOMPARE(shownText(window), letters.at(0));
    click(merge->toolbar().cmddata[2]);
    QCOMPARE(box->text(), QStringLiteral("2"));
    QCOMPARE(shownText(window), letters.at(1));
    click(merge->toolbar().cmdmmerge);
    QCOMPARE(shownText(window), TemplateText);  // nothing typed into the box reached the letter
}

void MergedViewTest::mergeDialogOpensWithAll()
{
    TestWorkspace ws;
    PREPARE_PRACTICE(ws, QStringLiteral("sqlite"), 4);
    ScriptedDialogs dialogs;
    DocumentWindow* window = patientLetter(ws, dialogs);
    bool allChosen = false;
    dialogs.dialogScripts << [&allChosen](QDialog* d) {
        allChosen = d->findChild<QRadioButton*>(QStringLiteral("optrec_0"))->isChecked()
            && !d->findChild<QRadioButton*>(QStringLiteral("optrec_1"))->isChecked()
            && d->findChild<QPushButton*>(QStringLiteral("cmdOk"))->isEnabled()
            && !d->findChild<QLineEdit*>(QStringLiteral("txtcompare"))->isEnabled();
        d->findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
        return d->result();
    };
    click(window->merge()->toolbar().cmdshow);
    QVERIFY(allChosen);
    QVERIFY(ws.active() != window);
    QCOMPARE(ws.active()->textControl()->currentPages(), 4);
}

void MergedViewTest::whereIgnoresCaseAndKeepsTheTableOrder_data()
{
    QTest::addColumn<QString>("backend");
    QTest::addColumn<int>("compare");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("city");  // the letters have this city, case ignored
    for (const QString& b : PracticeDatabase::backends()) {
        QTest::newRow(qPrintable(b + QStringLiteral(" =")))
            << b << 0 << QStringLiteral("austin") << QStringLiteral("austin");
        QTest::newRow(qPrintable(b + QStringLiteral(" like"))) << b << 5 << QStringLiteral("bO") << QStringLiteral("bo");
        QTest::newRow(qPrintable(b + QStringLiteral(" quote"))) << b << 0 << QStringLiteral("O'Fallon")
                                                                   << QStringLiteral("o'fallon");
    }
}

void MergedViewTest::whereIgnoresCaseAndKeepsTheTableOrder()
{
    QFETCH(QString, backend);
    QFETCH(int, compare);
    QFETCH(QString, value);
    QFETCH(QString, city);
    TestWorkspace ws;
    PREPARE_PRACTICE(ws, backend, 150);
    ScriptedDialogs dialogs;
    ws.start();
    DocumentWindow* window = ws.active();
    openTable(dialogs, window, 0);
    insertFromFieldMenu(window, 1);
    type(window, QStringLiteral(" "));
    insertFromFieldMenu(window, 5);
    QTest::keyClick(viewport(window), Qt::Key_Return);

    QStringList expected;  // the All order, filtered by the city
    {
        RecordSource all(MergeState::ConnectionString);
        all.setSourceStatement(PatientStatement);
        QVERIFY(all.Requery());
        Recordset& r = all.recordset();
        for (r.MoveFirst(); !r.atEOF(); r.MoveNext()) {
            const QString c = r.value(QStringLiteral("city")).toString();
            if (compare == 5 ? c.startsWith(city, Qt::CaseInsensitive) : c.compare(city, Qt::CaseInsensitive) == 0)
                expected << r.value(QStringLiteral("last_name")).toString() + QLatin1Char(' ') + c;
        }
    }
    dialogs.dialogScripts << [compare, value](QDialog* d) {
        d->findChild<QRadioButton*>(QStringLiteral("optrec_1"))->click();
        auto* fields = d->findChild<QComboBox*>(QStringLiteral("cbofield"));
        fields->setCurrentIndex(fields->findText(QStringLiteral("city"), Qt::MatchFixedString));
        d->findChild<QComboBox*>(QStringLiteral("cbocompare"))->setCurrentIndex(compare);
        auto* field = d->findChild<QLineEdit*>(QStringLiteral("txtcompare"));
        field->setText(value);  // pasted: the apostrophe cannot be typed
        d->findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
        if (d->result() != QDialog::Accepted)
            d->reject();
        return d->result();
    };
    click(window->merge()->toolbar().cmdshow);
    if (expected.isEmpty()) {
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages.first().text, Texts::NoRecords);
        return;
    }
    QVERIFY(dialogs.messages.isEmpty());
    DocumentWindow* letters = ws.active();
    QVERIFY(letters != window);
    QCOMPARE(lines(letters->textControl()->plainText()), expected);
}

void MergedViewTest::findRecordIgnoresCase_data()
{
    QTest::addColumn<QString>("backend");
    for (const QString& b : PracticeDatabase::backends())
        QTest::newRow(qPrintable(b)) << b;
}

void MergedViewTest::findRecordIgnoresCase()
{
    QFETCH(QString, backend);
    TestWorkspace ws;
    PREPARE_PRACTICE(ws, backend, 4);
    ScriptedDialogs dialogs;
    ws.start();
    DocumentWindow* window = ws.active();
    openTable(dialogs, window, 0);
    insertFromFieldMenu(window, 1);
    WindowMerge* merge = window->merge();
    click(merge->toolbar().cmdmmerge);
    const QString name = merge->recordset().value(QStringLiteral("last_name")).toString();
    click(merge->toolbar().cmddata[3]);
    FindRecordDialog* find = openFindRecord(window);
    QTest::keyClicks(find->findChild<QLineEdit*>(QStringLiteral("txtsql")), name.left(3).toLower());
    click(find->findChild<QPushButton*>(QStringLiteral("cmdok")));
    QCOMPARE(merge->recordLabel(), QStringLiteral("1"));
    QCOMPARE(shownText(window), name);
    find->close();
}

// The window's own letter stays on the screen and keeps painting while the letters are
// written.
void MergedViewTest::templateWindowPaintsDuringTheMerge()
{
    TestWorkspace ws;
    PREPARE_PRACTICE(ws, QStringLiteral("sqlite"), 60);
    ScriptedDialogs dialogs;
    ws.start();
    DocumentWindow* window = ws.active();
    openTable(dialogs, window, 0);
    insertFromFieldMenu(window, 1);

    struct PaintWatch : QObject {
        DocumentWindow* window = nullptr;
        bool merging = false;
        int paintsWhileMerging = 0;
        bool hiddenWhileMerging = false;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (merging && event->type() == QEvent::Paint) {
                ++paintsWhileMerging;
                hiddenWhileMerging |= !window->textControl()->isVisible();
            }
            return false;
        }
    } watch;
    watch.window = window;
    viewport(window)->installEventFilter(&watch);
    dialogs.dialogScripts << [&watch, window](QDialog* d) {
        d->findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
        watch.merging = true;
        viewport(window)->update();  // as an uncovered window would ask
        return d->result();
    };
    click(window->merge()->toolbar().cmdshow);
    watch.merging = false;
    QVERIFY(ws.active() != window);
    QVERIFY(watch.paintsWhileMerging > 0);
    QVERIFY(!watch.hiddenWhileMerging);
}

QTEST_MAIN(MergedViewTest)
#include "tst_mergedview.moc"
