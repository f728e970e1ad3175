// Files and text dragged from other programs onto Scrivora: documents open in windows of their
// own, a picture goes into the page where it falls, text goes in at the drop point.
#include "components/textcontrol/view/pageview.h"
#include "components/textcontrol/textcontrol.h"
#include "documents/documentwindow.h"
#include "shell/mainwindow.h"
#include "support/scripteddialogs.h"
#include "support/testworkspace.h"

#include <QGraphicsTextItem>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QtTest>

namespace {

const QByteArray Letter = "{\\rtf1\\ansi Dear Dr. Miller,\\par}";

void type(DocumentWindow* window, const QString& text)
{
    window->textControl()->setFocus();
    QTest::keyClicks(window->textControl()->pageView()->viewport(), text);
}

// Drags `mime` over `target` and drops it at `at`, as the window system delivers a drop.
bool drop(QWidget* target, const QPoint& at, QMimeData* mime)
{
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent dropped(at, Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &dropped);
    return dropped.isAccepted();
}

QMimeData* filesMime(const QStringList& paths)
{
    auto* mime = new QMimeData;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    mime->setUrls(urls);
    return mime;
}

// Where character `position` of the body stands in the page view's viewport.
QPoint viewportPointOf(TextControl* control, int position)
{
    PageView* view = control->pageView();
    QTextBlock block = control->document()->findBlock(position);
    const QTextLine line = block.layout()->lineForTextPosition(position - block.position());
    const QRectF box = control->document()->documentLayout()->blockBoundingRect(block);
    const QPointF inDocument(box.left() + line.cursorToX(position - block.position()),
                             box.top() + line.y() + line.height() / 2);
    for (QGraphicsItem* item : view->scene()->items())
        if (auto* text = qgraphicsitem_cast<QGraphicsTextItem*>(item); text && text->document() == control->document())
            return view->mapFromScene(text->mapToScene(inDocument));
    return {};
}

QString writePicture(const TestWorkspace& ws, const QString& name)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    const QString path = ws.file(name);
    image.save(path);
    return path;
}

int pictures(TextControl* control)
{
    return int(control->plainText().count(QChar::ObjectReplacementCharacter));
}

}  // namespace

class DropsTest : public QObject {
    Q_OBJECT
private slots:
    void filesDroppedBesideThePagesOpen_data();
    void filesDroppedBesideThePagesOpen();
    void pictureDroppedOnAPageGoesIn();
    void documentDroppedOnAPageOpensInItsOwnWindow();
    void textDroppedGoesInAtTheDropPoint();
};

void DropsTest::filesDroppedBesideThePagesOpen_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("windows");
    QTest::addColumn<QString>("message");  // the start of the one message shown, or empty
    QTest::newRow("two documents") << QStringList{"Referral.rtf", "notes.txt"} << 3 << QString();
    QTest::newRow("one already open comes to the front") << QStringList{"Referral.rtf", "Referral.rtf"} << 2
                                                          << QString();
    QTest::newRow("a damaged one: the Open message") << QStringList{"broken.docx"} << 1
                                                     << "Can't load file: ";
}

void DropsTest::filesDroppedBesideThePagesOpen()
{
    QFETCH(QStringList, names);
    QFETCH(int, windows);
    QFETCH(QString, message);
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    MainWindow& main = ws.start();
    ws.writeFile("Referral.rtf", Letter);
    ws.writeFile("notes.txt", "Call Mrs. O'Brien at 3 p.m.\n");
    ws.writeFile("broken.docx", "not a zip at all");
    QStringList paths;
    for (const QString& name : names)
        paths << ws.file(name);
    QVERIFY(drop(&main, QPoint(5, 5), filesMime(paths)));
    QCOMPARE(int(main.mdiArea()->subWindowList().size()), windows);
    QCOMPARE(dialogs.messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QVERIFY(dialogs.messages.first().text.startsWith(message + ws.file(names.first())));
    if (windows > 1)
        QCOMPARE(ws.active()->filePath(), paths.last());
}

void DropsTest::pictureDroppedOnAPageGoesIn()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    MainWindow& main = ws.start();
    DocumentWindow* window = ws.active();
    type(window, "Wound, day 3:");
    const QString picture = writePicture(ws, "wound.png");
    QWidget* page = window->textControl()->pageView()->viewport();
    QVERIFY(drop(page, viewportPointOf(window->textControl(), 3), filesMime({picture})));
    QCOMPARE(pictures(window->textControl()), 1);
    QCOMPARE(int(main.mdiArea()->subWindowList().size()), 1);
    QVERIFY(dialogs.messages.isEmpty());
    QVERIFY(window->textControl()->plainText().contains("Wound, day 3:"));
}

void DropsTest::documentDroppedOnAPageOpensInItsOwnWindow()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    MainWindow& main = ws.start();
    DocumentWindow* window = ws.active();
    type(window, "Hello");
    const QString path = ws.writeFile("Referral.rtf", Letter);
    QVERIFY(drop(window->textControl()->pageView()->viewport(), viewportPointOf(window->textControl(), 2),
                 filesMime({path})));
    QCOMPARE(window->textControl()->plainText().trimmed(), QString("Hello"));  // no path typed in
    QCOMPARE(int(main.mdiArea()->subWindowList().size()), 2);
    QCOMPARE(ws.active()->caption(), path);
}

void DropsTest::textDroppedGoesInAtTheDropPoint()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    DocumentWindow* window = ws.active();
    type(window, "Dear Miller,");
    TextControl* control = window->textControl();
    auto* mime = new QMimeData;
    mime->setText(QStringLiteral("Dr. "));
    QVERIFY(drop(control->pageView()->viewport(), viewportPointOf(control, 5), mime));
    QCOMPARE(control->plainText().trimmed(), QString("Dear Dr. Miller,"));
}

QTEST_MAIN(DropsTest)
#include "tst_drops.moc"
