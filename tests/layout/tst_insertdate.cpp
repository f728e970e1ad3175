// Insert Date: the six formats, typed in at the caret as one undo step, the clipboard untouched.
#include "components/textcontrol/textcontrol.h"
#include "documents/documentwindow.h"
#include "layout/insertdate.h"
#include "settings/apppaths.h"
#include "shell/mainwindow.h"
#include "support/scripteddialogs.h"
#include "support/testworkspace.h"

#include <QClipboard>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

class InsertDateTest : public QObject {
    Q_OBJECT
private slots:
    void formats();
    void insert_data();
    void insert();
};

void InsertDateTest::formats()
{
    const QStringList texts = InsertDate::formats(QDate(2026, 12, 4), QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(texts, (QStringList{"December 4, 2026", "Friday, December 4, 2026", "12/4/2026",
                                 "Dec 4, 2026", "4 - December, 2026", "4/12/2026"}));
    const QStringList german = InsertDate::formats(QDate(2026, 12, 4), QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(german.at(0), QString("Dezember 4, 2026"));
    QCOMPARE(german.at(2), QString("12.4.2026"));  // the regional separator
    // Without a usable locale the dates are those of English (United States), not "12 4 2026".
    QCOMPARE(InsertDate::formats(QDate(2026, 12, 4), QLocale::c()), texts);
}

void InsertDateTest::insert_data()
{
    QTest::addColumn<int>("row");        // -1: press Ok at once
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("text");   // the document afterwards ("ab" selected "b" before)
    QTest::newRow("Ok at once") << -1 << true << "aDecember 4, 2026";
    QTest::newRow("third format") << 2 << true << "a12/4/2026";
    QTest::newRow("cancel") << 3 << false << "ab";
}

void InsertDateTest::insert()
{
    QFETCH(int, row);
    QFETCH(bool, ok);
    QFETCH(QString, text);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    AppPaths::setToday(QDate(2026, 12, 4));
    ws.start();
    QGuiApplication::clipboard()->setText("before");
    TextControl* control = ws.active()->textControl();
    control->setPlainText("ab");
    control->setSelStart(1);
    control->setSelLength(1);
    dialogs.dialogScripts << [&](QDialog* dialog) {
        if (row >= 0)
            dialog->findChild<QListWidget*>("List1")->setCurrentRow(row);
        dialog->findChild<QPushButton*>(ok ? "cmdok" : "cmdcancel")->click();
        return dialog->result();
    };
    ws.active()->action("mnuIDate")->trigger();
    QCOMPARE(dialogs.dialogsShown, QStringList{"frminsdate"});
    QCOMPARE(control->plainText(), text);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("before"));
    if (ok) {  // the date and the selection it replaced come back in one step
        control->undo();
        QCOMPARE(control->plainText(), QString("ab"));
    }
    AppPaths::setToday(QDate());
}

QTEST_MAIN(InsertDateTest)
#include "tst_insertdate.moc"
