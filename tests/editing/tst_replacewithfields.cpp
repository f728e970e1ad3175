// Find and Replace work on the text the user may edit: the shown text of merge fields (their
// "[table.column]" or a record's values) is neither found nor replaced, and while the header is
// edited the dialog searches the header.
#include "components/textcontrol/layout/headerfooter.h"
#include "components/textcontrol/view/pageview.h"
#include "components/textcontrol/textcontrol.h"
#include "documents/documentwindow.h"
#include "merge/mergefields.h"
#include "shell/mainwindow.h"
#include "support/headerclick.h"
#include "support/testworkspace.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

TextControl* control(TestWorkspace& ws) { return ws.active()->textControl(); }
QWidget* viewport(TestWorkspace& ws) { return control(ws)->pageView()->viewport(); }
void type(TestWorkspace& ws, const QString& text) { QTest::keyClicks(viewport(ws), text); }

// Edit > Replace, the two texts typed, and one of the dialog's buttons clicked.
QString replace(TestWorkspace& ws, const QString& what, const QString& with, const char* button)
{
    ws.active()->action("mnuEdit_Replace")->trigger();
    auto* dialog = ws.main().findChild<QWidget*>(QStringLiteral("dlgFindReplace"));
    auto* find = dialog->findChild<QLineEdit*>(QStringLiteral("txtFind"));
    auto* replacement = dialog->findChild<QLineEdit*>(QStringLiteral("txtReplace"));
    find->clear();
    replacement->clear();
    QTest::keyClicks(find, what);
    QTest::keyClicks(replacement, with);
    dialog->findChild<QPushButton*>(QLatin1String(button))->click();
    const QString status = dialog->findChild<QLabel*>(QStringLiteral("lblStatus"))->text();
    dialog->findChild<QPushButton*>(QStringLiteral("cmdClose"))->click();
    return status;
}

}  // namespace

class ReplaceWithFieldsTest : public QObject {
    Q_OBJECT
private slots:
    void fieldTextIsLeftAlone_data();
    void fieldTextIsLeftAlone();
    void searchesThePartBeingEdited();
};

void ReplaceWithFieldsTest::fieldTextIsLeftAlone_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("Replace All") << "cmdReplaceAll";
    QTest::newRow("Replace, then Replace") << "cmdReplace";
}

void ReplaceWithFieldsTest::fieldTextIsLeftAlone()
{
    QFETCH(QString, button);
    TestWorkspace ws;
    ws.start();
    type(ws, "Dear patient ");
    MergeFields::insertField(control(ws), QStringLiteral("patient_info.last_name"));
    type(ws, ", every patient gets this.");
    QTest::keyClick(viewport(ws), Qt::Key_Home, Qt::ControlModifier);
    if (button == QLatin1String("cmdReplace")) {
        // The first press finds, each further press replaces what is selected and finds on.
        for (int i = 0; i < 3; ++i)
            replace(ws, "patient", "client", "cmdReplace");
    } else {
        QCOMPARE(replace(ws, "patient", "client", "cmdReplaceAll"), QString("2 replacement(s) made."));
    }
    QCOMPARE(control(ws)->plainText(), QString("Dear client [patient_info.last_name], every client gets this."));
    QCOMPARE(MergeFields::gettable(control(ws)), QString("patient_info"));
}

void ReplaceWithFieldsTest::searchesThePartBeingEdited()
{
    TestWorkspace ws;
    ws.start();
    type(ws, "Dear Dr. Smith, see the clinic.");
    clickIntoNewHeader(ws);
    TextControl* tc = control(ws);
    QCOMPARE(tc->editingTarget(), 1);
    type(ws, "Lakeside clinic - Tel. 555-0102");
    replace(ws, "clinic", "Clinic", "cmdReplaceAll");
    QCOMPARE(tc->headerFooterParts()->document(1)->toPlainText(), QString("Lakeside Clinic - Tel. 555-0102"));
    QCOMPARE(tc->plainText(), QString("Dear Dr. Smith, see the clinic."));
    // Typing goes on in the header, where the caret is.
    type(ws, "!");
    QCOMPARE(tc->plainText(), QString("Dear Dr. Smith, see the clinic."));
}

QTEST_MAIN(ReplaceWithFieldsTest)
#include "tst_replacewithfields.moc"
