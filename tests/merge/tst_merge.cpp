// Mail merge against each database back end: data sources and field lists, merge fields,
// merged view and navigation, Find Record, the Merge dialog and the merge to a new document.
#include "components/commondialog/commondialog.h"
#include "components/panels/latchbutton.h"
#include "components/panels/panel.h"
#include "components/textcontrol/view/pageview.h"
#include "components/textcontrol/textcontrol.h"
#include "documents/documenttable.h"
#include "documents/documentwindow.h"
#include "documents/opendocument.h"
#include "editing/formatcommands.h"
#include "merge/findrecorddialog.h"
#include "merge/mergedialog.h"
#include "merge/mergestate.h"
#include "merge/mergetonew.h"
#include "merge/windowmerge.h"
#include "shell/mainwindow.h"
#include "support/practicedatabase.h"
#include "support/mergesteps.h"
#include "support/scripteddialogs.h"
#include "support/testworkspace.h"
#include "texts/mergetexts.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

namespace {

const QString PatientStatement = QStringLiteral(
    "Select salutation, last_name, first_name, middle_init, address, city, state, zipcode from "
    "patient_info Order by Last_name, first_name;");

using MergeSteps::chooseTable;

void click(LatchButton* button) { button->click(); }

QStringList fieldTexts(TextControl* control)
{
    QStringList texts;
    for (int id = control->fieldNext(0); id; id = control->fieldNext(id)) {
        control->setFieldCurrent(id);
        texts << control->fieldText();
    }
    return texts;
}

using MergeSteps::patientLetter;

// Values of a column in the order of a statement, read straight from the SQLite file.
QStringList columnInOrder(const TestWorkspace& ws, const QString& column)
{
    QStringList values;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("expect"));
        db.setDatabaseName(ws.file(QStringLiteral("practice.db")));
        db.open();
        QSqlQuery q(PatientStatement, db);
        while (q.next())
            values << q.value(column).toString();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("expect"));
    return values;
}

}  // namespace

class MergeTest : public QObject {
    Q_OBJECT
private slots:
    void backends_data();
    void fieldListFollowsTheTable_data() { backends_data(); }
    void fieldListFollowsTheTable();
    void cancelledChoiceHidesTheToolbar();
    void emptyTable_data() { backends_data(); }
    void emptyTable();
    void templateOpensItsOwnTable();
    void fieldsAreInsertedAtTheCaret();
    void navigation_data() { backends_data(); }
    void navigation();
    void findRecord_data() { backends_data(); }
    void findRecord();
    void mergeDialogStatements_data();
    void mergeDialogStatements();
    void mergeDialogKeyFilter();
    void noRecordsMessage();
    void mergeThreeRecords_data() { backends_data(); }
    void mergeThreeRecords();
    void databaseFailuresLeaveTheWindowUsable_data();
    void databaseFailuresLeaveTheWindowUsable();
};

void MergeTest::backends_data()
{
    QTest::addColumn<QString>("backend");
    for (const QString& b : PracticeDatabase::backends())
        QTest::newRow(qPrintable(b)) << b;
}

void MergeTest::fieldListFollowsTheTable()
{
    QFETCH(QString, backend);
    TestWorkspace ws;
    PREPARE_PRACTICE(ws, backend, 20);
    ScriptedDialogs dialogs;
    ws.start();
    WindowMerge* merge = ws.active()->merge();
    QCOMPARE(merge->mnumm(0)->text(), QStringLiteral("Field1"));

    chooseTable(dialogs, merge, 0);
    QCOMPARE(merge->Adodc1().SourceStatement(), PatientStatement);
    QCOMPARE(merge->mergetable(), QStringLiteral("patient_info"));
    QCOMPARE(merge->lastfld(), 7);
    QCOMPARE(merge->MergePanel1()->tag(), QStringLiteral(" 7"));
    QVERIFY(merge->MergePanel1()->isVisible());
    QCOMPARE(merge->recordLabel(), QStringLiteral("1"));
    QCOMPARE(merge->reccount(), 20);
    QCOMPARE(merge->mnumm(1)->text().toLower(), QStringLiteral("last_name"));
    QCOMPARE(merge->mnumm(7)->data().toString().toLower(), QStringLiteral("patient_info.zipcode"));
    QVERIFY(ws.active()->findChild<QAction*>(QStringLiteral("mnumm_7")));

    chooseTable(dialogs, merge, 2);  // Referral Sources: six columns replace eight
    QCOMPARE(merge->Adodc1().SourceStatement(),
             QStringLiteral("Select name, contact, address, city, state, zipcode from ref_source_info Order by name;"));
    QCOMPARE(merge->lastfld(), 5);
    QCOMPARE(merge->MergePanel1()->tag(), QStringLiteral(" 5"));
    QVERIFY(!merge->mnumm(6));
    QVERIFY(!ws.active()->findChild<QAction*>(QStringLiteral("mnumm_6")));
    QCOMPARE(merge->mnumm(1)->data().toString(), QStringLiteral("ref_source_info.contact"));

    chooseTable(dialogs, merge, 1);
    QCOMPARE(merge->Adodc1().SourceStatement(),
             QStringLiteral("Select name, address, city, state, zipcode from provider_info Order by name;"));
    QCOMPARE(merge->lastfld(), 4);
}

void MergeTest::cancelledChoiceHidesTheToolbar()
{
    TestWorkspace ws;
    PREPARE_PRACTICE(ws, QStringLiteral("sqlite"), 3);
    ScriptedDialogs dialogs;
    ws.start();
    WindowMerge* merge = ws.active()->merge();
    chooseTable(dialogs, merge, 3);
    const QString statement = merge->Adodc1().SourceStatement();
    chooseTable(dialogs, merge, -1);
    QCOMPARE(merge->mergetable(), QString());
    QVERIFY(!merge->MergePanel1()->isVisible());
    QCOMPARE(merge->Adodc1().SourceStatement(), statement);  // the record source stays
    QCOMPARE(merge->lastfld(), 5);
    QCOMPARE(dialogs.dialogsShown, QStringList({"frmdatasrc", "frmdatasrc"}));
    QVERIFY(dialogs.messages.isEmpty());
}

void MergeTest::emptyTable()
{
    QFETCH(QString, backend);
    TestWorkspace ws;
    PREPARE_PRACTICE(ws, backend, 0);
    ScriptedDialogs dialogs;
    ws.start();
    WindowMerge* merge = ws.active()->merge();
    chooseTable(dialogs, merge, 0);
    QCOMPARE(merge->recordLabel(), QStringLiteral("0"));
    QCOMPARE(merge->reccount(), 0);
    QCOMPARE(merge->lastfld(), 7);  // the columns are known all the same
    QVERIFY(merge->toolbar().cmdmmerge->isEnabled());  // opendatasetnew leaves the buttons
    QVERIFY(merge->toolbar().cmdshow->isEnabled());

    merge->insertField(1);
    merge->Opendataset();
    QVERIFY(!merge->toolbar().cmdmmerge->isEnabled());
    QVERIFY(!merge->toolbar().cmdshow->isEnabled());
}

void MergeTest::templateOpensItsOwnTable()
{
    TestWorkspace ws;
    PREPARE_PRACTICE(ws, QStringLiteral("sqlite"), 12);
    ScriptedDialogs dialogs;
    ws.start();
    {
        WindowMerge* merge = ws.active()->merge();
        chooseTable(dialogs, merge, 3);
        merge->insertField(0);
        QVERIFY(ws.active()->textControl()->save(ws.file(QStringLiteral("insurer.tx")), 0, TextControl::FormatNative));
    }
    // A template without fields names no table.
    ws.writeFile(QStringLiteral("plain.rtf"), "{\\rtf1 Plain}");
    OpenDocuments::OpenDocument(ws.file(QStringLiteral("insurer.tx")));
    WindowMerge* merge = ws.active()->merge();
    QVERIFY(ws.active()->caption().endsWith(QStringLiteral("insurer.tx")));
    QVERIFY(merge->MergePanel1()->isVisible());
    QCOMPARE(merge->gettable(), QStringLiteral("insurance_info"));
    QCOMPARE(merge->mergetable(), QString());
    QCOMPARE(merge->Adodc1().SourceStatement(),
             QStringLiteral("Select name, contact, address, city, state, zipcode from insurance_info Order by name;"));
    QCOMPARE(merge->MergePanel1()->tag(), QStringLiteral(" 5"));

    OpenDocuments::OpenDocument(ws.file(QStringLiteral("plain.rtf")));
    QVERIFY(!ws.active()->merge()->MergePanel1()->isVisible());
}

void MergeTest::fieldsAreInsertedAtTheCaret()
{
    TestWorkspace ws;
    PREPARE_PRACTICE(ws, QStringLiteral("sqlite"), 3);
    ScriptedDialogs dialogs;
    ws.start();
    WindowMerge* merge = ws.active()->merge();
    TextControl* control = ws.active()->textControl();
    merge->insertField(0);  // before any table: "Field1" with an empty tag
    QCOMPARE(fieldTexts(control), QStringList({"[]"}));
    QCOMPARE(control->fieldData(control->fieldNext(0)), QString());
    merge->deleteField();
    QCOMPARE(merge->countflds(), 0);

    chooseTable(dialogs, merge, 0);
    control->setSelText(QStringLiteral("Dear [patient_info.first_name] Smith"));
    control->setSelStart(5);
    control->setSelLength(25);  // the typed brackets are selected: they stay
    merge->insertField(1);
    QCOMPARE(control->selText(), QString());
    QCOMPARE(fieldTexts(control), QStringList({"[patient_info.last_name]"}));
    QVERIFY(control->plainText().contains(QStringLiteral("[patient_info.first_name] Smith")));
    QCOMPARE(merge->countflds(), 1);
    QCOMPARE(merge->gettable(), QStringLiteral("patient_info"));

    control->setSelStart(0);  // outside every field: deleting does nothing
    merge->deleteField();
    QCOMPARE(merge->countflds(), 1);
    FormatCommands::refreshFormatMenu(ws.active());
    QVERIFY(ws.active()->action(QStringLiteral("mnuFDelField"))->isEnabled());
    control->setFieldCurrent(control->fieldNext(0));
    ws.active()->action(QStringLiteral("mnuFDelField"))->trigger();
    QCOMPARE(merge->countflds(), 0);
}

void MergeTest::navigation()
{
    QFETCH(QString, backend);
    TestWorkspace ws;
    PREPARE_PRACTICE(ws, backend, 5);
    ScriptedDialogs dialogs;
    WindowMerge* merge = patientLetter(ws, dialogs);
    const MergeToolbar& bar = merge->toolbar();
    TextControl* control = ws.active()->textControl();

    click(bar.cmddata[2]);  // field view: navigation does nothing
    QCOMPARE(merge->recordLabel(), QStringLiteral("1"));
    QVERIFY(!bar.cmddata[2]->value());

    click(bar.cmdmmerge);
    QVERIFY(bar.cmdmmerge->value());
    QVERIFY(bar.cmdfind->isEnabled() && bar.cmddata[3]->isEnabled());
    QVERIFY(!bar.cmdmmflds->isEnabled() && !bar.cmdshow->isEnabled());
    QVERIFY(!ws.active()->action(QStringLiteral("mnuFDelField"))->isEnabled());
    const QStringList first = fieldTexts(control);
    QCOMPARE(first.size(), 3);
    QVERIFY(!first.at(0).startsWith(QLatin1Char('[')));

    const struct {
        int button;
        const char* label;
    } steps[] = {{2, "2"}, {2, "3"}, {3, "5"}, {2, "5"}, {0, "1"}, {1, "1"}, {2, "2"}, {1, "1"}};
    for (const auto& step : steps) {
        click(bar.cmddata[step.button]);
        QVERIFY(!bar.cmddata[step.button]->value());
        QCOMPARE(merge->recordLabel(), QLatin1String(step.label));
        QCOMPARE(merge->recordset().AbsolutePosition(), merge->recordLabel().toInt());
    }
    // Each record's values; a Null middle initial shows as nothing.
    Recordset& records = merge->recordset();
    for (int i = 1; i <= 5; ++i) {
        const QStringList texts = fieldTexts(control);
        QCOMPARE(texts.at(0), records.value(QStringLiteral("last_name")).toString());
        QCOMPARE(texts.at(1), records.value(QStringLiteral("middle_init")).toString());
        QCOMPARE(texts.at(2), records.value(QStringLiteral("city")).toString());
        click(bar.cmddata[2]);
    }

    click(bar.cmdmmerge);
    QCOMPARE(fieldTexts(control), QStringList({"[patient_info.last_name]", "[patient_info.middle_init]",
                                                "[patient_info.city]"}));
    QVERIFY(!bar.cmdfind->isEnabled() && bar.cmdshow->isEnabled());
}

void MergeTest::findRecord()
{
    QFETCH(QString, backend);
    TestWorkspace ws;
    PREPARE_PRACTICE(ws, QStringLiteral("sqlite"), 200);  // the expected order comes from the file
    const QStringList names = columnInOrder(ws, QStringLiteral("last_name"));
    PREPARE_PRACTICE(ws, backend, 200);
    ScriptedDialogs dialogs;
    WindowMerge* merge = patientLetter(ws, dialogs);
    click(merge->toolbar().cmdmmerge);
    click(merge->toolbar().cmdfind);
    FindRecordDialog* find = FindRecordDialog::current();
    QVERIFY(find);
    QVERIFY(find->testAttribute(Qt::WA_DeleteOnClose) && !find->isModal());
    QVERIFY(find->windowFlags() & Qt::WindowStaysOnTopHint);
    auto* fields = find->findChild<QComboBox*>(QStringLiteral("cbofields"));
    auto* text = find->findChild<QLineEdit*>(QStringLiteral("txtsql"));
    auto* first = find->findChild<QPushButton*>(QStringLiteral("cmdok"));
    auto* next = find->findChild<QPushButton*>(QStringLiteral("cmdnext"));
    QCOMPARE(fields->count(), 8);
    QVERIFY(first->isEnabled() && next->isEnabled());

    fields->setCurrentIndex(1);
    text->setText(QStringLiteral("O'B"));
    QCOMPARE(find->criterion(), QStringLiteral("last_name Like 'O''B*'"));
    QVERIFY(first->isEnabled() && next->isEnabled());  // a text does not change Find Next
    text->clear();
    QVERIFY(!first->isEnabled() && !next->isEnabled());
    text->setText(QStringLiteral("Sm"));
    QVERIFY(first->isEnabled() && !next->isEnabled());
    QList<int> expected;
    for (int i = 0; i < names.size(); ++i)
        if (names.at(i).startsWith(QStringLiteral("Sm"), Qt::CaseInsensitive))
            expected << i + 1;
    QVERIFY(expected.size() >= 2);
    first->click();
    QCOMPARE(merge->recordLabel(), QString::number(expected.first()));
    QVERIFY(next->isEnabled());
    QVERIFY(fieldTexts(ws.active()->textControl()).first().startsWith(QStringLiteral("Sm")));
    for (int i = 1; i < expected.size(); ++i) {
        next->click();
        QCOMPARE(merge->recordLabel(), QString::number(expected.at(i)));
    }
    next->click();
    QVERIFY(!next->isEnabled());
    QCOMPARE(merge->recordLabel(), QString::number(expected.last()));

    text->setText(QStringLiteral("Zzz"));  // a failed Find First stays on the record shown
    first->click();
    QCOMPARE(merge->recordset().AbsolutePosition(), expected.last());
    click(merge->toolbar().cmddata[2]);
    QCOMPARE(merge->recordLabel(), QString::number(std::min(expected.last() + 1, merge->reccount())));

    text->setText(names.first().left(2));  // the first record itself can match
    first->click();
    QCOMPARE(merge->recordLabel(), QStringLiteral("1"));
    find->close();
    QCoreApplication::processEvents();
    QVERIFY(!FindRecordDialog::current());
}

void MergeTest::mergeDialogStatements_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("column");
    QTest::addColumn<int>("compare");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("statement");
    QTest::newRow("all") << 0 << "last_name" << -1 << "" << PatientStatement;
    QTest::newRow("like with an apostrophe")
        << 1 << "last_name" << 5 << "O'Brien"
        << "Select * from patient_info Where UPPER(last_name) Like UPPER('O''Brien%') Order by Last_name, first_name";
    QTest::newRow("zip code") << 1 << "zipcode" << 0 << "5"
                              << "Select * from patient_info Where UPPER(zipcode) = UPPER('5') Order by Last_name, first_name";
    QTest::newRow("no comparison") << 1 << "city" << -1 << "Austin"
                                   << "Select * from patient_info Where UPPER(city)  UPPER('Austin') Order by Last_name, first_name";
    QTest::newRow("as the dialog opens") << -1 << "state" << 3 << "N" << PatientStatement;
}

void MergeTest::mergeDialogStatements()
{
    QFETCH(int, option);
    QFETCH(QString, column);
    QFETCH(int, compare);
    QFETCH(QString, value);
    QFETCH(QString, statement);
    TestWorkspace ws;
    PREPARE_PRACTICE(ws, QStringLiteral("sqlite"), 3);
    ScriptedDialogs dialogs;
    patientLetter(ws, dialogs);
    MergeDialog dialog(ws.active());
    auto* value_ = dialog.findChild<QLineEdit*>(QStringLiteral("txtcompare"));
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("cmdOk"));
    QVERIFY(!value_->isEnabled() && ok->isEnabled());  // All is chosen
    if (option >= 0) {
        dialog.findChild<QRadioButton*>(QStringLiteral("optrec_1"))->click();
        QVERIFY(!ok->isEnabled());
        if (option == 0) {  // Where then All leaves Ok enabled
            dialog.findChild<QRadioButton*>(QStringLiteral("optrec_0"))->click();
            QVERIFY(ok->isEnabled() && !value_->isEnabled());
        }
    }
    auto* fields = dialog.findChild<QComboBox*>(QStringLiteral("cbofield"));
    fields->setCurrentIndex(fields->findText(column));
    dialog.findChild<QComboBox*>(QStringLiteral("cbocompare"))->setCurrentIndex(compare);
    value_->setText(value);  // as pasted: the key filter does not apply
    QCOMPARE(dialog.statement(), statement);
}

void MergeTest::mergeDialogKeyFilter()
{
    TestWorkspace ws;
    PREPARE_PRACTICE(ws, QStringLiteral("sqlite"), 3);
    ScriptedDialogs dialogs;
    patientLetter(ws, dialogs);
    MergeDialog dialog(ws.active());
    dialog.findChild<QRadioButton*>(QStringLiteral("optrec_1"))->click();
    auto* value = dialog.findChild<QLineEdit*>(QStringLiteral("txtcompare"));
    // Only the wildcards are refused: names with apostrophes, blanks and accents go in as typed.
    QTest::keyClicks(value, QStringLiteral("O'Br ien%*&(|)~{z"));
    QTest::sendKeyEvent(QTest::Click, value, Qt::Key_Ntilde, QStringLiteral("ñ"), Qt::NoModifier);
    QCOMPARE(value->text(), QStringLiteral("O'Br ien&(|)~{zñ"));
    QTest::keyClick(value, Qt::Key_Backspace);
    QCOMPARE(value->text(), QStringLiteral("O'Br ien&(|)~{z"));
    value->clear();
    QTest::keyClicks(value, QStringLiteral("o'"));
    auto* fields = dialog.findChild<QComboBox*>(QStringLiteral("cbofield"));
    fields->setCurrentIndex(fields->findText(QStringLiteral("last_name")));
    dialog.findChild<QComboBox*>(QStringLiteral("cbocompare"))->setCurrentIndex(5);
    QVERIFY2(dialog.statement().contains(QLatin1String("Like UPPER('o''%')")), qPrintable(dialog.statement()));
}

void MergeTest::noRecordsMessage()
{
    TestWorkspace ws;
    PREPARE_PRACTICE(ws, QStringLiteral("sqlite"), 30);
    ScriptedDialogs dialogs;
    WindowMerge* merge = patientLetter(ws, dialogs);
    const QString before = ws.active()->textControl()->plainText();
    // An injection attempt is a literal value: it matches nothing, and Cancel then leaves all.
    dialogs.dialogScripts << [](QDialog* d) {
        d->findChild<QRadioButton*>(QStringLiteral("optrec_1"))->click();
        d->findChild<QComboBox*>(QStringLiteral("cbofield"))->setCurrentIndex(1);
        d->findChild<QComboBox*>(QStringLiteral("cbocompare"))->setCurrentIndex(0);
        d->findChild<QLineEdit*>(QStringLiteral("txtcompare"))->setText(QStringLiteral("x' OR '1'='1"));
        d->findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
        const bool stayed = d->result() != QDialog::Accepted;
        d->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
        return stayed ? int(QDialog::Rejected) : -1;
    };
    const int windows = ws.main().mdiArea()->subWindowList().size();
    click(merge->toolbar().cmdshow);
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages.first().title, QStringLiteral("No Records Found"));
    QCOMPARE(dialogs.messages.first().text, QStringLiteral("No records meet criteria. Try another!"));
    QCOMPARE(dialogs.messages.first().icon, CommonDialog::Icon::Information);
    QCOMPARE(MergeState::mergesql, QString());
    QCOMPARE(ws.main().mdiArea()->subWindowList().size(), windows);
    QCOMPARE(ws.active()->textControl()->plainText(), before);
    QCOMPARE(merge->Adodc1().SourceStatement(), PatientStatement);
}

void MergeTest::mergeThreeRecords()
{
    QFETCH(QString, backend);
    TestWorkspace ws;
    PREPARE_PRACTICE(ws, backend, 40);
    ScriptedDialogs dialogs;
    WindowMerge* merge = patientLetter(ws, dialogs);
    DocumentWindow* source = ws.active();
    click(merge->toolbar().cmdmmerge);
    click(merge->toolbar().cmddata[3]);
    click(merge->toolbar().cmdmmerge);  // back in field view, on the last record

    // The first three surnames in the alphabet: "last_name < X" for the fourth.
    QStringList names;
    Recordset& records = merge->recordset();
    for (records.MoveFirst(); !records.atEOF(); records.MoveNext())
        names << records.value(QStringLiteral("last_name")).toString();
    std::sort(names.begin(), names.end());
    int expected = 3;
    while (expected < names.size() && names.at(expected) == names.at(expected - 1))
        ++expected;
    const QString limit = names.at(expected);
    dialogs.dialogScripts << [limit](QDialog* d) {
        d->findChild<QRadioButton*>(QStringLiteral("optrec_1"))->click();
        auto* fields = d->findChild<QComboBox*>(QStringLiteral("cbofield"));
        fields->setCurrentIndex(fields->findText(QStringLiteral("last_name"), Qt::MatchFixedString));
        d->findChild<QComboBox*>(QStringLiteral("cbocompare"))->setCurrentIndex(2);
        d->findChild<QLineEdit*>(QStringLiteral("txtcompare"))->setText(limit);
        d->findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
        return d->result();
    };

    DocumentTable::shared().stateForTag(source->tag())->Dirty = false;
    click(merge->toolbar().cmdshow);
    QCOMPARE(dialogs.dialogsShown.last(), QStringLiteral("frmmrgTo"));
    // The letters' file is gone once the new window holds them, and not in the recent files.
    QVERIFY(!QFile::exists(MergeToNew::resultPath()));
    for (const QString& name : QDir(ws.tempPath()).entryList(QDir::Files | QDir::Hidden))
        QVERIFY2(name.startsWith(QLatin1String("~Recover-")), qPrintable(name));
    QVERIFY(!ws.main().mainAction(QStringLiteral("mnuRecentFile_1"))->text().contains(ws.tempPath()));

    DocumentWindow* letters = ws.active();
    QVERIFY(letters != source);
    QVERIFY(letters->caption().startsWith(QStringLiteral("Untitled:")));
    QCOMPARE(letters->textControl()->currentPages(), expected);
    // The source window: field view, first record, its own statement, not modified.
    QCOMPARE(merge->recordLabel(), QStringLiteral("1"));
    QCOMPARE(merge->Adodc1().SourceStatement(), PatientStatement);
    QCOMPARE(fieldTexts(source->textControl()).first(), QStringLiteral("[patient_info.last_name]"));
    QVERIFY(source->textControl()->isVisible());
    QVERIFY(!DocumentTable::shared().stateForTag(source->tag())->Dirty);
    QVERIFY(dialogs.messages.isEmpty());
}

void MergeTest::databaseFailuresLeaveTheWindowUsable_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::newRow("no settings file") << QByteArray();
    QTest::newRow("missing database file")
        << QByteArray("[SQLServer]\nProvider=SQLite\nDataSource=/nonexistent/practice.db\n");
    QTest::newRow("unknown provider") << QByteArray("[SQLServer]\nProvider=SQLOLEDB.9\nDataSource=x\n");
    QTest::newRow("server not running")
        << QByteArray("[SQLServer]\nProvider=PostgreSQL\nDataSource=/nonexistent,5999\nInitialCatalog=x\n");
    QTest::newRow("missing table") << QByteArray("[SQLServer]\nProvider=SQLite\nDataSource=@EMPTY@\n");
}

void MergeTest::databaseFailuresLeaveTheWindowUsable()
{
    QFETCH(QByteArray, settings);
    TestWorkspace ws;
    if (!settings.isEmpty())
        ws.writeFile(QStringLiteral("clinora.ini"),
                     settings.replace("@EMPTY@", ws.writeFile(QStringLiteral("empty.db"), QByteArray()).toUtf8()));
    ScriptedDialogs dialogs;
    ws.start();
    WindowMerge* merge = ws.active()->merge();
    chooseTable(dialogs, merge, 0);
    QCOMPARE(merge->recordLabel(), QStringLiteral("0"));
    QCOMPARE(merge->lastfld(), 0);
    QCOMPARE(merge->mnumm(0)->text(), QStringLiteral("Field1"));
    click(merge->toolbar().cmdmmerge);
    click(merge->toolbar().cmddata[2]);
    click(merge->toolbar().cmdmmerge);
    click(merge->toolbar().cmdshow);  // the Merge dialog is cancelled by the script
    QVERIFY(dialogs.messages.isEmpty());
    QTest::keyClicks(ws.active()->textControl()->pageView()->viewport(), QStringLiteral("still typing"));
    QVERIFY(ws.active()->textControl()->plainText().contains(QStringLiteral("still typing")));
}

QTEST_MAIN(MergeTest)
#include "tst_merge.moc"
