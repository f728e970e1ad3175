// File > Open of the damaged and unsupported Word files of the shared corpus: each is refused
// with a message that says what is wrong with it, no window opens for it; and the damaged
// file whose text is all there opens with it.
#include "components/textcontrol/textcontrol.h"
#include "documents/documentwindow.h"
#include "shell/mainwindow.h"
#include "support/scripteddialogs.h"
#include "support/testworkspace.h"
#include "texts/filetexts.h"

#include <QMdiArea>
#include <QtTest>

namespace {

const QString Damaged = QStringLiteral(SCRIVORA_SOURCE_DIR "/../shared/corpus/word/damaged/");

int windows(MainWindow& main) { return int(main.mdiArea()->subWindowList().size()); }

}  // namespace

class DamagedWordOpenTest : public QObject {
    Q_OBJECT
private slots:
    void refusedWithWhy_data();
    void refusedWithWhy();
    void wholeTextOpens();
};

void DamagedWordOpenTest::refusedWithWhy_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("reason");
    QTest::newRow("container cut short") << "poi-clusterfuzz-testcase-POIHWPFFuzzer-5696094627495936.doc"
                                         << Texts::ReasonDamagedWordContainer;
    QTest::newRow("table of contents outside") << "poi-clusterfuzz-testcase-minimized-POIHWPFFuzzer-5440721166139392.doc"
                                               << Texts::ReasonDamagedWordTables;
    QTest::newRow("encrypted") << "poi-password_tika_binaryrc4.doc" << Texts::ReasonPasswordProtected;
    QTest::newRow("Word 95") << "poi-Bug49933.doc" << Texts::ReasonOlderWord;
    QTest::newRow("Word 2") << "poi-word2.doc" << Texts::ReasonOlderWord;
    QTest::newRow("garbage file block") << "poi-clusterfuzz-testcase-minimized-POIHWPFFuzzer-5074346559012864.doc"
                                        << "but it is damaged or protected";
}

void DamagedWordOpenTest::refusedWithWhy()
{
    QFETCH(QString, file);
    QFETCH(QString, reason);
    const QString path = Damaged + file;
    if (!QFileInfo::exists(path))
        QSKIP("the shared corpus of damaged Word files is not here");
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    MainWindow& main = ws.start();
    dialogs.fileAnswers << path;
    ws.active()->action("mnuFile_Open")->trigger();
    QCOMPARE(windows(main), 1);
    QCOMPARE(dialogs.messages.size(), 1);
    const QString text = dialogs.messages.first().text;
    QVERIFY2(text.startsWith("Can't load file: " + path + "\n\n"), qPrintable(text));
    QVERIFY2(text.contains(reason), qPrintable(text));
}

// Only a page of its character formats is damaged: every word LibreOffice reads is here.
void DamagedWordOpenTest::wholeTextOpens()
{
    const QString path = Damaged + "poi-clusterfuzz-testcase-minimized-POIHWPFFuzzer-6610789829836800.doc";
    if (!QFileInfo::exists(path))
        QSKIP("the shared corpus of damaged Word files is not here");
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    MainWindow& main = ws.start();
    dialogs.fileAnswers << path;
    ws.active()->action("mnuFile_Open")->trigger();
    QCOMPARE(dialogs.messages.size(), 0);
    QCOMPARE(windows(main), 2);
    const QString text = ws.active()->textControl()->plainText();
    for (const char* words : {"L'incapacité de travail après une hysterectomie", "Numéro du Registre national",
                              "Degré de formation le plus élevé avec diplôme/certificat", "Satisfaction du travail"})
        QVERIFY2(text.contains(QString::fromUtf8(words)), words);
}

QTEST_MAIN(DamagedWordOpenTest)
#include "tst_damagedwordopen.moc"
