// Paragraph frames and images: the dialogs' arithmetic through the program's commands.
#include "components/textcontrol/document/objects.h"
#include "components/textcontrol/textcontrol.h"
#include "components/textcontrol/view/pageview.h"
#include "documents/documentwindow.h"
#include "layout/framesdialog.h"
#include "layout/layoutstate.h"
#include "support/scripteddialogs.h"
#include "support/testfiles.h"
#include "support/testworkspace.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextFrame>
#include <QtTest>

class ObjectsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { LayoutState::MeasureUnit = 1; }
    void frames_data();
    void frames();
    void framesOfMixedParagraphsKeepTheirWidths();
    void insertImage_data();
    void insertImage();
    void imageAttributes_data();
    void imageAttributes();
    void typingAfterPlacingAPictureKeepsIt_data();
    void typingAfterPlacingAPictureKeepsIt();
};

namespace {

// Clicks the named boxes of an open dialog, fills the two lists and presses Ok or Cancel.
std::function<int(QDialog*)> framesScript(QStringList clicks, QString width, QString distance, bool ok,
                                          QString* shownWidth = nullptr)
{
    return [=](QDialog* dialog) {
        if (shownWidth)
            *shownWidth = dialog->findChild<QComboBox*>("cboLineWidth")->currentText();
        for (const QString& name : clicks)
            dialog->findChild<QCheckBox*>(name)->click();
        if (!width.isNull())
            dialog->findChild<QComboBox*>("cboLineWidth")->setEditText(width);
        if (!distance.isNull())
            dialog->findChild<QComboBox*>("cboTextDistance")->setEditText(distance);
        dialog->findChild<QPushButton*>(ok ? "cmdOk" : "cmdCancel")->click();
        return dialog->result();
    };
}

}  // namespace

void ObjectsTest::frames_data()
{
    QTest::addColumn<int>("before");  // FrameStyle written before the dialog opens; 0 none
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("width");     // typed; null leaves the list as filled
    QTest::addColumn<QString>("distance");
    QTest::addColumn<int>("style");   // read back afterwards
    QTest::addColumn<int>("lineWidth");
    QTest::addColumn<int>("textDistance");
    QTest::newRow("left and top on a plain paragraph") << 0 << QStringList{"chkLeft", "chkTop"} << QString() << QString() << 5 << 20 << 0;
    QTest::newRow("left off a boxed paragraph") << 15 << QStringList{"chkLeft"} << QString() << QString() << 14 << 20 << 0;
    QTest::newRow("double on and off again") << 15 << QStringList{"chkDoubleLines", "chkDoubleLines"} << QString() << QString() << 15 << 20 << 0;
    QTest::newRow("2.5 rounds to even") << 15 << QStringList{} << "2.5" << QString() << 15 << 40 << 0;
    QTest::newRow("3.5 rounds to even") << 15 << QStringList{} << "3.5" << QString() << 15 << 80 << 0;
    QTest::newRow("20 pt clamps to 12") << 15 << QStringList{} << QString() << "20 pt" << 15 << 20 << 240;
    QTest::newRow("list item text") << 15 << QStringList{} << " 3 pt" << " 0 pt" << 15 << 60 << 0;
    QTest::newRow("not a number") << 15 << QStringList{} << "thick" << "x" << 15 << 20 << 0;
    QTest::newRow("negative") << 15 << QStringList{} << "-4" << "-4" << 15 << 20 << 0;
    QTest::newRow("connected") << 15 << QStringList{"chkConnectedFrames"} << QString() << QString() << 143 << 20 << 0;
}

void ObjectsTest::frames()
{
    QFETCH(int, before);
    QFETCH(QStringList, clicks);
    QFETCH(QString, width);
    QFETCH(QString, distance);
    QFETCH(int, style);
    QFETCH(int, lineWidth);
    QFETCH(int, textDistance);
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    TextControl* control = ws.active()->textControl();
    control->setPlainText("Framed paragraph");
    if (before)
        control->setFrameStyle(before);
    dialogs.dialogScripts << framesScript(clicks, width, distance, true);
    ws.active()->action("mnuFormat_Frames")->trigger();
    QCOMPARE(dialogs.dialogsShown, QStringList{"frmFramesDlg"});
    QCOMPARE(control->frameStyle(), style);
    QCOMPARE(control->frameLineWidth(), lineWidth);
    QCOMPARE(control->frameDistance(), textDistance);

    // Cancel writes nothing, and confirming without a click writes style 0: no change.
    dialogs.dialogScripts << framesScript({"chkRight", "chkBottom"}, "9", "9", false);
    dialogs.dialogScripts << framesScript({}, QString(), QString(), true);
    ws.active()->action("mnuFormat_Frames")->trigger();
    ws.active()->action("mnuFormat_Frames")->trigger();
    QCOMPARE(control->frameStyle(), style);
    QCOMPARE(control->frameLineWidth(), lineWidth);
    QCOMPARE(control->frameDistance(), textDistance);
}

void ObjectsTest::framesOfMixedParagraphsKeepTheirWidths()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    TextControl* control = ws.active()->textControl();
    control->setPlainText("one\ntwo");
    control->setSelStart(0);
    control->setSelLength(-1);
    control->setFrameStyle(15);
    control->setSelLength(1);
    control->setFrameLineWidth(60);
    control->setSelLength(-1);
    QCOMPARE(control->frameLineWidth(), -1);
    QString shown = "unset";
    dialogs.dialogScripts << framesScript({"chkTop"}, QString(), QString(), true, &shown);
    ws.active()->action("mnuFormat_Frames")->trigger();
    QCOMPARE(shown, QString());
    QCOMPARE(control->frameStyle(), 11);  // the top box went off on both
    QCOMPARE(control->frameLineWidth(), -1);
    control->setSelLength(1);
    QCOMPARE(control->frameLineWidth(), 60);
}

void ObjectsTest::insertImage_data()
{
    QTest::addColumn<QString>("answer");  // "" cancels, "image" the picture, else a file name
    QTest::addColumn<bool>("inserted");
    QTest::addColumn<QString>("message");  // prefix of the message shown, empty for none
    QTest::newRow("cancel") << "" << false << "";
    QTest::newRow("picture") << "image" << true << "";
    QTest::newRow("not an image") << "notes.txt" << false << "Cannot Insert image: ";
}

void ObjectsTest::insertImage()
{
    QFETCH(QString, answer);
    QFETCH(bool, inserted);
    QFETCH(QString, message);
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    TextControl* control = ws.active()->textControl();
    control->setPlainText("First paragraph\nSecond paragraph");
    const QString path = answer == "image" ? TestFiles::picture(dir, {96, 48}, Qt::darkCyan) : answer.isEmpty() ? QString() : dir.filePath(answer);
    if (answer == "notes.txt") {
        QFile text(path);
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("plain words");
    }
    dialogs.fileAnswers << path;
    const int before = control->document()->characterCount();
    ws.active()->action("mnuInsert_Image")->trigger();
    QCOMPARE(dialogs.fileRequests.size(), 1);
    QCOMPARE(dialogs.fileRequests.at(0).title, QString("Insert Image"));
    QCOMPARE(dialogs.fileRequests.at(0).flags, 6148);
    QVERIFY(dialogs.fileRequests.at(0).filter.contains("*.png"));
    QCOMPARE(control->document()->characterCount() > before, inserted);
    QCOMPARE(control->objectCurrent() != 0, inserted);
    if (inserted)
        QCOMPARE(control->objectTextflow(), 3);
    if (message.isEmpty()) {
        QVERIFY(dialogs.messages.isEmpty());
    } else {
        QCOMPARE(dialogs.messages.size(), 1);
        const QString text = dialogs.messages.at(0).text;
        QVERIFY2(text.startsWith(message + path + ". Error "), qPrintable(text));
        QVERIFY(text.endsWith('.'));
        QCOMPARE(dialogs.messages.at(0).icon, CommonDialog::Icon::None);
    }
}

void ObjectsTest::imageAttributes_data()
{
    QTest::addColumn<bool>("placed");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("left");  // distance read back
    QTest::addColumn<int>("display");
    QTest::addColumn<int>("save");
    QTest::newRow("placed, Ok") << true << true << 144 << 1 << 0;
    QTest::newRow("placed, Cancel") << true << false << 0 << 0 << 1;
    QTest::newRow("as a character, Ok") << false << true << 0 << 1 << 0;
}

void ObjectsTest::imageAttributes()
{
    QFETCH(bool, placed);
    QFETCH(bool, ok);
    QFETCH(int, left);
    QFETCH(int, display);
    QFETCH(int, save);
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    TextControl* control = ws.active()->textControl();
    control->setPlainText("Text beside the picture");
    const QString path = TestFiles::picture(dir, {96, 48}, Qt::darkCyan);
    if (placed) {
        QVERIFY(control->objectInsertFixed(0, path, 0, 0, 100, 100, 0, 0, 3, 3, 0, 0, 0, 0) != 0);
    } else {
        QVERIFY(control->objectInsertAsChar(0, path, 0, 100, 100, 0, 0) != 0);
        control->setSelStart(0);
        control->setSelLength(1);
    }
    QVERIFY(control->objectCurrent() != 0);
    bool bordersEnabled = false;
    QString shownLeft;
    dialogs.dialogScripts << [&](QDialog* dialog) {
        bordersEnabled = dialog->findChild<QGroupBox*>("fra3d_1")->isEnabled();
        shownLeft = dialog->findChild<QLineEdit*>("txtLeftBorder")->text();
        dialog->findChild<QLineEdit*>("txtLeftBorder")->setText("0.10");
        dialog->findChild<QCheckBox*>("chkFastDisplay")->setChecked(true);
        dialog->findChild<QCheckBox*>("chkSaveAsData")->setChecked(false);
        dialog->findChild<QPushButton*>(ok ? "btnok" : "btncancel")->click();
        return dialog->result();
    };
    ws.active()->action("mnuFormat_Image")->trigger();
    QCOMPARE(dialogs.dialogsShown, QStringList{"frmImageDlg"});
    QCOMPARE(bordersEnabled, placed);
    QCOMPARE(shownLeft, placed ? QString("0.00") : QString());
    QCOMPARE(control->objectDistance(1), left);
    QCOMPARE(control->imageDisplayMode(), display);
    QCOMPARE(control->imageSaveMode(), save);
}

QTEST_MAIN(ObjectsTest)
void ObjectsTest::typingAfterPlacingAPictureKeepsIt_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("paragraphs");  // from the one beside the picture on
    QTest::newRow("typing") << "type" << QStringList{"Text beside the picture - Dr. O'Brien."};
    QTest::newRow("Enter") << "enter" << QStringList{"Text beside the picture", ""};
    QTest::newRow("Ctrl+V") << "paste" << QStringList{"Text beside the picture - pasted"};
}

// A placed picture is selected once it is in; what the user types, a new paragraph or a paste
// then goes on at the end of the paragraph beside it, and the picture stays.
void ObjectsTest::typingAfterPlacingAPictureKeepsIt()
{
    QFETCH(QString, action);
    QFETCH(QStringList, paragraphs);
    QTemporaryDir dir;
    TestWorkspace ws;
    ws.start();
    TextControl* control = ws.active()->textControl();
    control->setPlainText("Text beside the picture");
    const QString path = TestFiles::picture(dir, {96, 48}, Qt::darkCyan);
    const int id = control->objectInsertFixed(0, path, 0, 0, 100, 100, 0, 0, 3, 3, 0, 0, 0, 0);
    QVERIFY(id != 0);
    QCOMPARE(control->objectCurrent(), id);
    QWidget* viewport = control->pageView()->viewport();
    if (action == "type") {
        QTest::keyClicks(viewport, " - Dr. O'Brien.");
    } else if (action == "enter") {
        QTest::keyClick(viewport, Qt::Key_Return);
    } else {
        QApplication::clipboard()->setText(" - pasted");
        QTest::keyClick(viewport, Qt::Key_V, Qt::ControlModifier);
    }
    const QString text = control->plainText();
    QCOMPARE(text.count(QChar::ObjectReplacementCharacter), 1);
    const int image = int(text.indexOf(QChar::ObjectReplacementCharacter));
    const QTextFrame* frame = Objects::placedFrame(control->document(), image);
    QVERIFY(frame);
    QStringList beside;
    for (QTextBlock b = control->document()->findBlock(frame->lastPosition() + 1); b.isValid(); b = b.next())
        beside << b.text();
    QCOMPARE(beside, paragraphs);
}

#include "tst_objects.moc"
