// Signature capture: the signature text, the picture the tablet control draws from it, and
// Insert > Signature putting it at the caret.
#include "components/signature/sigcapture.h"
#include "components/signature/sigtablet.h"
#include "components/signature/signaturetext.h"
#include "components/textcontrol/textcontrol.h"
#include "documents/documentwindow.h"
#include "editing/signaturecommands.h"
#include "shell/mainwindow.h"
#include "support/scripteddialogs.h"
#include "support/testworkspace.h"

#include <QLabel>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

namespace {

// Signs with the mouse: one stroke through the given points of the pad.
std::function<int(QDialog*)> sign(const QList<QPoint>& points, QStringList* shown = nullptr)
{
    return [points, shown](QDialog* d) {
        if (shown)
            *shown << d->windowTitle() << d->findChild<QLabel*>(QStringLiteral("lblPrompt"))->text();
        auto* pad = d->findChild<SigningPad*>();
        pad->resize(400, 140);
        QTest::mousePress(pad, Qt::LeftButton, {}, points.first());
        for (const QPoint& p : points.mid(1))
            QTest::mouseMove(pad, p);
        QTest::mouseRelease(pad, Qt::LeftButton, {}, points.last());
        d->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        return d->result();
    };
}

QList<QImage> documentImages(TextControl* control)
{
    QList<QImage> images;
    for (QTextBlock b = control->document()->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                images << control->document()
                              ->resource(QTextDocument::ImageResource, QUrl(it.fragment().charFormat().toImageFormat().name()))
                              .value<QImage>();
    return images;
}

int darkPixels(const QImage& image, const QRect& area)
{
    int dark = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    return dark;
}

}  // namespace

class SignatureTest : public QObject {
    Q_OBJECT
private slots:
    void signatureText_data();
    void signatureText();
    void tabletDrawsTheStrokes();
    void insertSignature();
    void cancelOrNothingSigned_data();
    void cancelOrNothingSigned();
};

void SignatureTest::signatureText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("strokes");
    QTest::addColumn<int>("points");
    QTest::newRow("two strokes") << "SIG1 400 140;10 20 128,5 0 255,5 -3 255;100 100 0" << 2 << 4;
    QTest::newRow("not a signature") << "hello" << 0 << 0;
    QTest::newRow("broken point") << "SIG1 400 140;10 20" << 0 << 0;
    QTest::newRow("huge numbers are clamped") << "SIG1 99999999 1;99999999 1 999" << 1 << 1;
    QTest::newRow("far steps round-trip") << "SIG1 10 10;-99999 0 1,900000 0 1,-900000 5 1" << 1 << 3;
}

void SignatureTest::signatureText()
{
    QFETCH(QString, text);
    const Signature s = Signature::fromText(text);
    QTEST(int(s.strokes.size()), "strokes");
    int points = 0;
    for (const SignatureStroke& stroke : s.strokes)
        points += int(stroke.size());
    QTEST(points, "points");
    if (!s.isEmpty())
        QCOMPARE(Signature::fromText(s.toText()).toText(), s.toText());  // round trip
}

void SignatureTest::tabletDrawsTheStrokes()
{
    // A horizontal stroke in the top half of a large area: fitted, it crosses the middle.
    SigTablet tablet;
    tablet.setProperty(49, QStringLiteral("SIG1 400 140;50 30 200,300 0 200"));
    tablet.setProperty(2, 200);
    tablet.setProperty(3, 70);
    tablet.setProperty(1, 4);
    tablet.setProperty(32, 4);
    QTemporaryDir dir;
    const QString path = dir.filePath("sig.jpg");
    QVERIFY(tablet.writeImage(path));
    const QImage image(path);
    QCOMPARE(image.size(), QSize(200, 70));
    QVERIFY(darkPixels(image, QRect(10, 33, 180, 4)) > 100);  // the stroke, across the image
    QCOMPARE(darkPixels(image, QRect(0, 0, 200, 20)), 0);     // white above it
    QCOMPARE(darkPixels(image, QRect(0, 50, 200, 20)), 0);    // and below
}

void SignatureTest::insertSignature()
{
    TestWorkspace ws;
    ScriptedDialogs dialogs;
    ws.start();
    TextControl* control = ws.active()->textControl();
    control->setSelText(QStringLiteral("Yours sincerely,  Dr. Park"));
    control->setSelStart(17);
    QStringList shown;
    dialogs.dialogScripts << sign({{20, 100}, {120, 40}, {220, 100}, {320, 40}}, &shown);
    ws.active()->action(QStringLiteral("mnuSig"))->trigger();
    QCOMPARE(shown, QStringList({"Signature Capture", "Please Sign on the Signature Capture Tablet."}));
    // The picture goes through a file in the private directory, removed once the letter holds it.
    const QString path = SignatureCommands::signatureImagePath();
    QVERIFY(path.startsWith(ws.tempPath()));
    QVERIFY(!QFile::exists(path));
    QCOMPARE(documentImages(control).size(), 1);
    const QImage first = documentImages(control).at(0);
    QCOMPARE(first.size(), QSize(200, 70));
    QCOMPARE(control->plainText().indexOf(QChar(QChar::ObjectReplacementCharacter)), 17);

    // A second signature is a picture of its own; the first in the letter stays as it was.
    dialogs.dialogScripts << sign({{20, 70}, {380, 70}});
    ws.active()->action(QStringLiteral("mnuSig"))->trigger();
    QVERIFY(!QFile::exists(path));
    const QList<QImage> images = documentImages(control);
    QCOMPARE(images.size(), 2);
    QCOMPARE(images.at(0), first);
    QVERIFY(images.at(1) != first);
    QCOMPARE(images.at(1).size(), QSize(200, 70));
    QVERIFY(dialogs.messages.isEmpty());
}

void SignatureTest::cancelOrNothingSigned_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("cancel") << "cmdCancel";
    QTest::newRow("ok without strokes") << "cmdOK";
}

void SignatureTest::cancelOrNothingSigned()
{
    QFETCH(QString, button);
    TestWorkspace ws;
    ScriptedDialogs dialogs;
    ws.start();
    TextControl* control = ws.active()->textControl();
    control->setSelText(QStringLiteral("Letter"));
    dialogs.dialogScripts << [button](QDialog* d) {
        d->findChild<QPushButton*>(button)->click();
        return d->result();
    };
    ws.active()->action(QStringLiteral("mnuSig"))->trigger();
    QCOMPARE(control->plainText(), QStringLiteral("Letter"));
    QVERIFY(documentImages(control).isEmpty());
    QVERIFY(!QFile::exists(SignatureCommands::signatureImagePath()));
}

QTEST_MAIN(SignatureTest)
#include "tst_signature.moc"
