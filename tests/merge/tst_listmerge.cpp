// A list in a template stays a list in every merged letter, numbered in each letter from its
// start: through Merge to New Document in the window and through the program's --merge.
#include "components/panels/latchbutton.h"
#include "components/textcontrol/document/listlevels.h"
#include "components/textcontrol/textcontrol.h"
#include "documents/documentwindow.h"
#include "merge/mergefields.h"
#include "merge/windowmerge.h"
#include "shell/mainwindow.h"
#include "support/practicedatabase.h"
#include "support/mergesteps.h"
#include "support/scripteddialogs.h"
#include "support/testworkspace.h"

#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

namespace {

// "Dear [last_name]," and what to bring, as a numbered list.
void listLetter(TextControl* control, const std::function<void()>& insertField)
{
    control->setSelText(QStringLiteral("Dear "));
    insertField();
    control->setSelText(QStringLiteral(",\rPlease bring:\rYour insurance card\rYour medication list\rKind regards"));
    QTextCursor items(control->document());
    items.setPosition(control->document()->findBlockByNumber(2).position());
    items.setPosition(control->document()->findBlockByNumber(3).position(), QTextCursor::KeepAnchor);
    control->setTextCursor(items);
    control->setListStyle(ListLevels::Decimal);
}

// The markers of the document's items in order.
QStringList markers(const QTextDocument* document)
{
    QStringList list;
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next())
        if (const ListLevels::Item item = ListLevels::item(b); item.inList)
            list << item.marker;
    return list;
}

QStringList repeated(const QStringList& letter, int times)
{
    QStringList all;
    for (int i = 0; i < times; ++i)
        all += letter;
    return all;
}

}  // namespace

class ListMergeTest : public QObject {
    Q_OBJECT
private slots:
    void mergeToNewDocument();
    void mergeOption_data();
    void mergeOption();
};

void ListMergeTest::mergeToNewDocument()
{
    TestWorkspace ws;
    PREPARE_PRACTICE(ws, "sqlite", 3);
    ScriptedDialogs dialogs;
    ws.start();
    WindowMerge* merge = ws.active()->merge();
    MergeSteps::chooseTable(dialogs, merge, 0);  // the patients
    TextControl* control = ws.active()->textControl();
    listLetter(control, [&] { merge->insertField(1); });
    DocumentWindow* source = ws.active();
    MergeSteps::mergeAllToNewDocument(dialogs, merge);
    DocumentWindow* letters = ws.active();
    QVERIFY(letters != source);
    QCOMPARE(letters->textControl()->currentPages(), 3);
    QCOMPARE(markers(letters->textControl()->document()), repeated({"1.", "2."}, 3));
    // The template keeps its list.
    QCOMPARE(markers(control->document()), (QStringList{"1.", "2."}));
}

void ListMergeTest::mergeOption_data()
{
    QTest::addColumn<QString>("out");
    QTest::newRow(".rtf") << "letters.rtf";
    QTest::newRow(".docx") << "letters.docx";
    QTest::newRow(".txt") << "letters.txt";
}

void ListMergeTest::mergeOption()
{
    QFETCH(QString, out);
    TestWorkspace ws;
    PREPARE_PRACTICE(ws, "sqlite", 3);
    QTemporaryDir dir;
    TextControl control;
    listLetter(&control, [&] { MergeFields::insertField(&control, QStringLiteral("patient_info.last_name")); });
    const QString letter = dir.filePath(QStringLiteral("letter.tx"));
    QVERIFY(control.save(letter, 0, TextControl::FormatNative));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(SCRIVORA_PROGRAM),
                  {"--app-path", ws.appPath(), "--merge", letter, dir.filePath(out)});
    QVERIFY(process.waitForFinished(120000));
    QCOMPARE(process.readAllStandardError(), QByteArray());
    QCOMPARE(process.exitCode(), 0);
    if (out.endsWith(QLatin1String(".txt"))) {
        QFile text(dir.filePath(out));
        QVERIFY(text.open(QIODevice::ReadOnly));
        const QString all = QString::fromUtf8(text.readAll());
        QCOMPARE(all.count(QStringLiteral("    1. Your insurance card")), 3);
        QCOMPARE(all.count(QStringLiteral("    2. Your medication list")), 3);
        return;
    }
    TextControl back;
    QVERIFY(back.load(dir.filePath(out), 0, out.endsWith(".rtf") ? TextControl::FormatRtf : TextControl::FormatDocx));
    QCOMPARE(markers(back.document()), repeated({"1.", "2."}, 3));
}

QTEST_MAIN(ListMergeTest)
#include "tst_listmerge.moc"
