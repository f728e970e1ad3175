// Merge to New Document fills each letter from its own record: a value the record before had
// too, an empty value (which takes the blank before its field with it) and a value after an
// empty one, through the window as the user merges.
#include "components/panels/latchbutton.h"
#include "components/textcontrol/layout/pagelayout.h"
#include "components/textcontrol/textcontrol.h"
#include "documents/documentwindow.h"
#include "merge/windowmerge.h"
#include "shell/mainwindow.h"
#include "support/practicedatabase.h"
#include "support/mergesteps.h"
#include "support/scripteddialogs.h"
#include "support/testworkspace.h"

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

namespace {

struct Patient {
    const char* lastName;
    const char* middleInitial;
    const char* city;
};

// Gives the practice's first patients these values, in the order of their surnames.
bool setPatients(const TestWorkspace& ws, const QList<Patient>& patients)
{
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("letters"));
        db.setDatabaseName(ws.file(QStringLiteral("practice.db")));
        ok = db.open();
        QSqlQuery q(db);
        ok = ok && q.exec(QStringLiteral("DELETE FROM patient_info WHERE patient_id > %1").arg(patients.size()));
        for (int i = 0; ok && i < patients.size(); ++i) {
            q.prepare(QStringLiteral("UPDATE patient_info SET last_name = ?, middle_init = ?, city = ? WHERE patient_id = ?"));
            q.addBindValue(QLatin1String(patients.at(i).lastName));
            q.addBindValue(QLatin1String(patients.at(i).middleInitial));
            q.addBindValue(QLatin1String(patients.at(i).city));
            q.addBindValue(i + 1);
            ok = q.exec() && q.numRowsAffected() == 1;
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("letters"));
    return ok;
}

// The letters' lines as the user reads them (an empty field holds an invisible character).
QStringList letterLines(const QTextDocument* document)
{
    QStringList lines;
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next())
        if (const QString text = b.text().remove(QChar(0x200B)); text.startsWith(QLatin1String("Dear")))
            lines << text;
    return lines;
}

}  // namespace

class MergeLettersTest : public QObject {
    Q_OBJECT
private slots:
    void eachLetterHasItsRecordsValues();
    void letterOpeningWithATableStartsItsOwnPage();
};

void MergeLettersTest::eachLetterHasItsRecordsValues()
{
    TestWorkspace ws;
    PREPARE_PRACTICE(ws, "sqlite", 8);
    QVERIFY(setPatients(ws, {{"Able", "Q", "Boise"},
                             {"Baker", "Q", "Boise"},
                             {"Cole", "", "Boise"},
                             {"Drew", "R", ""},
                             {"Ellis", "", "Reno"},
                             {"Ford", "", "Reno"},
                             {"Gray", "S", "Reno"}}));
    ScriptedDialogs dialogs;
    WindowMerge* merge = MergeSteps::patientLetter(ws, dialogs);
    ws.active()->textControl()->setSelText(QStringLiteral("."));
    DocumentWindow* source = ws.active();

    MergeSteps::mergeAllToNewDocument(dialogs, merge);
    DocumentWindow* letters = ws.active();
    QVERIFY(letters != source);
    QStringList lines = letterLines(letters->textControl()->document());
    lines.sort();
    QCOMPARE(lines, (QStringList{QStringLiteral("Dear Able Q of Boise."), QStringLiteral("Dear Baker Q of Boise."),
                                 QStringLiteral("Dear Cole of Boise."), QStringLiteral("Dear Drew R of."),
                                 QStringLiteral("Dear Ellis of Reno."), QStringLiteral("Dear Ford of Reno."),
                                 QStringLiteral("Dear Gray S of Reno.")}));
    QCOMPARE(letters->textControl()->currentPages(), 7);
}

// A template from another program that opens with a table of the patient's details: each
// patient's table stands on the page of that patient's letter.
void MergeLettersTest::letterOpeningWithATableStartsItsOwnPage()
{
    TestWorkspace ws;
    PREPARE_PRACTICE(ws, "sqlite", 3);
    QVERIFY(setPatients(ws, {{"Able", "Q", "Boise"}, {"Baker", "R", "Reno"}, {"Cole", "S", "Nampa"}}));
    const QString path = ws.writeFile(
        QStringLiteral("details.rtf"),
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}\\trowd\\cellx4000\\cellx8000\\pard\\intbl Patient: "
        "{\\field{\\*\\fldinst MERGEFIELD patient_info.last_name}{\\fldrslt [patient_info.last_name]}}\\cell "
        "{\\field{\\*\\fldinst MERGEFIELD patient_info.city}{\\fldrslt [patient_info.city]}}\\cell\\row\n"
        "\\pard Your results are normal.\\par}");
    ws.start(path);
    ScriptedDialogs dialogs;
    WindowMerge* merge = ws.active()->merge();
    MergeSteps::chooseTable(dialogs, merge, 0);
    MergeSteps::mergeAllToNewDocument(dialogs, merge);
    TextControl* letters = ws.active()->textControl();
    QCOMPARE(letters->currentPages(), 3);
    const auto* layout = qobject_cast<PageLayout*>(letters->document()->documentLayout());
    QVERIFY(layout);
    QStringList pages;
    for (QTextBlock b = letters->document()->begin(); b.isValid(); b = b.next())
        if (QString text = b.text(); text.startsWith(QLatin1String("Patient: ")))
            pages << QStringLiteral("%1 %2").arg(layout->pageOfBlock(b) + 1).arg(text.remove(QChar(0x200B)));
    pages.sort();
    QCOMPARE(pages, (QStringList{QStringLiteral("1 Patient: Able"), QStringLiteral("2 Patient: Baker"),
                                 QStringLiteral("3 Patient: Cole")}));
}

QTEST_MAIN(MergeLettersTest)
#include "tst_mergeletters.moc"
