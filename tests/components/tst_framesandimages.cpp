// Paragraph frames and images in the engine: flags, mixed selections, drawing, the file
// formats, placed images with text flowing round them, and the mouse handles.
#include "components/textcontrol/view/objecthandles.h"
#include "components/textcontrol/document/objects.h"
#include "components/textcontrol/document/paragraphframes.h"
#include "components/textcontrol/textcontrol.h"
#include "support/testfiles.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QtTest>

namespace {

QImage render(const TextControl& control)
{
    QImage image(816, 1056, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    control.paintPage(&painter, 1);
    return image;
}

// The dark runs met walking down column x from y1 to y2.
int darkRunsDown(const QImage& image, int x, int y1, int y2)
{
    int runs = 0;
    bool inside = false;
    for (int y = y1; y < y2; ++y) {
        const bool dark = qGray(image.pixel(x, y)) < 128;
        runs += dark && !inside;
        inside = dark;
    }
    return runs;
}

QRectF blockRect(const TextControl& control, int block)
{
    const QTextDocument* document = control.document();
    return document->documentLayout()->blockBoundingRect(document->findBlockByNumber(block));
}

void selectAll(TextControl& control)
{
    control.setSelStart(0);
    control.setSelLength(-1);
}

}  // namespace

class FramesAndImagesTest : public QObject {
    Q_OBJECT
private slots:
    void applyStyle_data();
    void applyStyle();
    void mixedParagraphs();
    void framesAreDrawn_data();
    void framesAreDrawn();
    void bordersInFiles_data();
    void bordersInFiles();
    void bordersFromOtherWriters_data();
    void bordersFromOtherWriters();
    void placedImageHasTextBesideIt_data();
    void placedImageHasTextBesideIt();
    void placedImageSurvivesFiles_data();
    void placedImageSurvivesFiles();
    void linkedImages_data();
    void linkedImages();
    void handles_data();
    void handles();
    void mouseSelectsAndResizes();
};

void FramesAndImagesTest::applyStyle_data()
{
    QTest::addColumn<int>("kept");
    QTest::addColumn<int>("written");
    QTest::addColumn<int>("result");
    QTest::newRow("left and top") << 0 << 5 << 5;
    QTest::newRow("left off") << 15 << 256 << 14;
    QTest::newRow("single lines") << 79 << 32 << 15;
    QTest::newRow("all sides off drops the rest") << 207 << (256 | 512 | 1024 | 2048) << 0;
    QTest::newRow("double without a side") << 0 << 64 << 0;
    QTest::newRow("connected") << 15 << 128 << 143;
    QTest::newRow("zero changes nothing") << 143 << 0 << 143;
    QTest::newRow("tab lines on and off") << 31 << 4096 << 15;
}

void FramesAndImagesTest::applyStyle()
{
    QFETCH(int, kept);
    QFETCH(int, written);
    QFETCH(int, result);
    QCOMPARE(ParagraphFrames::applyStyle(kept, written), result);
}

void FramesAndImagesTest::mixedParagraphs()
{
    TextControl control;
    control.setPlainText("one\ntwo");
    QCOMPARE(control.frameStyle(), 0);
    QCOMPARE(control.frameLineWidth(), 20);
    control.setSelStart(0);
    control.setFrameStyle(15 | 64);
    control.setFrameDistance(40);
    selectAll(control);
    QCOMPARE(control.frameStyle(), 0);  // only flags that every paragraph has
    QCOMPARE(control.frameDistance(), -1);
    QCOMPARE(control.frameLineWidth(), 20);
    control.setFrameStyle(4);
    QCOMPARE(control.frameStyle(), 4);
    control.undo();  // one step for the whole selection
    QCOMPARE(control.frameStyle(), 0);
    control.setSelStart(0);
    QCOMPARE(control.frameStyle(), 79);
}

void FramesAndImagesTest::framesAreDrawn_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("linesBetween");  // dark runs in the gap between the two paragraphs
    QTest::addColumn<int>("leftRuns");      // dark runs across the left line, walking right
    QTest::newRow("unframed") << 0 << 0 << 0;
    QTest::newRow("boxed, separate") << 15 << 2 << 1;
    QTest::newRow("boxed, connected") << 15 + 128 << 0 << 1;
    QTest::newRow("double lines") << 15 + 64 << 4 << 2;
}

void FramesAndImagesTest::framesAreDrawn()
{
    QFETCH(int, style);
    QFETCH(int, linesBetween);
    QFETCH(int, leftRuns);
    TextControl control;
    control.setPlainText("First framed paragraph\nSecond framed paragraph");
    selectAll(control);
    QTextBlockFormat spaced;
    spaced.setBottomMargin(30);
    control.textCursor().mergeBlockFormat(spaced);
    if (style) {
        control.setFrameStyle(style);
        control.setFrameLineWidth(60);
        control.setFrameDistance(60);
    }
    const QImage page = render(control);
    const QRectF first = blockRect(control, 0);
    const QRectF second = blockRect(control, 1);
    const int x = int(first.left()) + 200;  // a column with no text in the gap
    QCOMPARE(darkRunsDown(page, x, int(first.bottom()) + 1, int(second.top()) - 1), linesBetween);
    int runs = 0;
    bool inside = false;
    for (int px = int(first.left()) - 12; px < int(first.left()); ++px) {
        const bool dark = qGray(page.pixel(px, int(first.center().y()))) < 128;
        runs += dark && !inside;
        inside = dark;
    }
    QCOMPARE(runs, leftRuns);
}

void FramesAndImagesTest::bordersInFiles_data()
{
    QTest::addColumn<int>("format");
    QTest::newRow("RTF") << int(TextControl::FormatRtf);
    QTest::newRow("native") << int(TextControl::FormatNative);
}

void FramesAndImagesTest::bordersInFiles()
{
    QFETCH(int, format);
    QTemporaryDir dir;
    TextControl control;
    control.setPlainText("plain\nframed\nalso framed");
    control.setSelStart(7);
    control.setSelLength(10);
    control.setFrameStyle(1 + 2 + 4 + 8 + 64 + 128);
    control.setFrameLineWidth(40);
    control.setFrameDistance(100);
    QVERIFY(control.save(dir.filePath("f"), 0, format));
    TextControl copy;
    QVERIFY(copy.load(dir.filePath("f"), 0, format));
    QCOMPARE(copy.plainText(), control.plainText());
    copy.setSelStart(0);
    QCOMPARE(copy.frameStyle(), 0);
    copy.setSelStart(7);
    copy.setSelLength(10);
    QCOMPARE(copy.frameStyle(), 207);
    QCOMPARE(copy.frameLineWidth(), 40);
    QCOMPARE(copy.frameDistance(), 100);
}

void FramesAndImagesTest::bordersFromOtherWriters_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("distance");
    QTest::newRow("box, double") << QByteArray("\\pard\\box\\brdrdb\\brdrw30\\brsp40 Text\\par") << 15 + 64 + 128 << 30 << 40;
    QTest::newRow("bottom only") << QByteArray("\\pard\\brdrb\\brdrs Text\\par") << 8 + 128 << 20 << 0;
    QTest::newRow("cell borders are not the paragraph's")
        << QByteArray("\\trowd\\clbrdrt\\brdrs\\brdrw10\\cellx3000\\pard\\intbl Text\\cell\\row") << 0 << 20 << 0;
    QTest::newRow("pard ends the border") << QByteArray("\\pard\\box\\brdrs Boxed\\par\\pard Text\\par") << 0 << 20 << 0;
}

void FramesAndImagesTest::bordersFromOtherWriters()
{
    QFETCH(QByteArray, rtf);
    QFETCH(int, style);
    QFETCH(int, width);
    QFETCH(int, distance);
    QTemporaryDir dir;
    QFile file(dir.filePath("b.rtf"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("{\\rtf1\\ansi " + rtf + "}");
    file.close();
    TextControl control;
    QVERIFY(control.load(file.fileName(), 0, TextControl::FormatRtf));
    control.setSelStart(control.plainText().indexOf("Text"));
    QCOMPARE(control.frameStyle(), style);
    QCOMPARE(control.frameLineWidth(), width);
    QCOMPARE(control.frameDistance(), distance);
}

void FramesAndImagesTest::placedImageHasTextBesideIt_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<bool>("right");
    QTest::newRow("left half floats left") << 1000 << false;
    QTest::newRow("right half floats right") << 10000 << true;
}

void FramesAndImagesTest::placedImageHasTextBesideIt()
{
    QFETCH(int, x);
    QFETCH(bool, right);
    QTemporaryDir dir;
    TextControl control;
    control.setPlainText("Opening line\n" + QString("Text that flows round the picture. ").repeated(20));
    const int id = control.objectInsertFixed(0, TestFiles::picture(dir, {120, 80}, Qt::darkBlue), x, 1440 + 400, 100, 100, 0, 0, 3, 3, 60, 0, 60, 0);
    QVERIFY(id > 0);
    QCOMPARE(control.objectCurrent(), id);
    QCOMPARE(control.objectTextflow(), 3);
    QCOMPARE(control.objectDistance(1), 60);
    control.setObjectDistance(2, 144);
    QCOMPARE(control.objectDistance(2), 144);
    const QTextFrame* frame = Objects::placedFrame(control.document(), control.selStart());
    QVERIFY(frame);
    QCOMPARE(frame->frameFormat().position(),
             right ? QTextFrameFormat::FloatRight : QTextFrameFormat::FloatLeft);
    // The paragraph after the picture starts beside it, not below it.
    const QRectF image = Objects::rect(control.document(), control.selStart());
    const QTextBlock flowing = control.document()->findBlock(frame->lastPosition() + 1);
    const QTextLine line = flowing.layout()->lineAt(0);
    const QRectF box = control.document()->documentLayout()->blockBoundingRect(flowing);
    QVERIFY2(box.top() + line.y() < image.bottom(), "the text starts beside the picture");
    if (right)
        QVERIFY(box.left() + line.x() + line.width() <= image.left());
    else
        QVERIFY(box.left() + line.x() >= image.right());
    control.undo();
    QCOMPARE(control.objectCurrent(), 0);
}

void FramesAndImagesTest::placedImageSurvivesFiles_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("y");  // twips from the top: the first or the third paragraph
    for (const int y : {1500, 1440 + 2 * 280})
        for (const auto& [name, format] : {std::pair{"RTF", TextControl::FormatRtf}, {"native", TextControl::FormatNative}})
            QTest::addRow("%s, at %d", name, y) << int(format) << y;
}

void FramesAndImagesTest::placedImageSurvivesFiles()
{
    QFETCH(int, format);
    QFETCH(int, y);
    QTemporaryDir dir;
    TextControl control;
    control.setPlainText("Letter text\nMore text\nLast words\nEnd");
    QVERIFY(control.objectInsertFixed(0, TestFiles::picture(dir, {120, 80}, Qt::darkBlue), 10000, y, 50, 50, 0, 0, 3, 3, 120, 0, 120, 0));
    QVERIFY(control.save(dir.filePath("p"), 0, format));
    TextControl copy;
    QVERIFY(copy.load(dir.filePath("p"), 0, format));
    QCOMPARE(copy.plainText(), control.plainText());
    const int image = copy.plainText().indexOf(QChar::ObjectReplacementCharacter);
    QVERIFY(image >= 0);
    const QTextFrame* frame = Objects::placedFrame(copy.document(), image);
    QVERIFY(frame);
    QCOMPARE(frame->frameFormat().position(), QTextFrameFormat::FloatRight);
    copy.setSelStart(image);
    copy.setSelLength(1);
    QCOMPARE(copy.objectTextflow(), 3);
    QCOMPARE(copy.objectDistance(1), 120);
    QCOMPARE(Objects::rect(copy.document(), image).size().toSize(), QSize(60, 40));
}

void FramesAndImagesTest::linkedImages_data()
{
    QTest::addColumn<QString>("where");  // where the picture's file is when the template opens
    QTest::addColumn<QRgb>("colour");    // the picture's colour after opening
    QTest::newRow("in place") << "in place" << QColor(Qt::darkBlue).rgb();
    QTest::newRow("moved to the image folder") << "image folder" << QColor(Qt::darkBlue).rgb();
    QTest::newRow("gone") << "gone" << QColor(0xc0, 0xc0, 0xc0).rgb();
}

void FramesAndImagesTest::linkedImages()
{
    QFETCH(QString, where);
    QFETCH(QRgb, colour);
    QTemporaryDir dir;
    const QString path = TestFiles::picture(dir, {120, 80}, Qt::darkBlue);
    TextControl control;
    control.setPlainText("Letterhead");
    control.objectInsertAsChar(0, path, 0, 100, 100, 0, 0);
    control.setSelStart(0);
    control.setSelLength(1);
    QCOMPARE(control.imageSaveMode(), 1);
    QVERIFY(control.save(dir.filePath("embedded.tx"), 0, TextControl::FormatNative));
    control.setImageSaveMode(0);
    QVERIFY(control.save(dir.filePath("linked.tx"), 0, TextControl::FormatNative));
    QVERIFY(QFileInfo(dir.filePath("linked.tx")).size() < QFileInfo(dir.filePath("embedded.tx")).size());

    QDir(dir.path()).mkdir("images");
    if (where != "in place")
        QFile::rename(path, dir.filePath(where == "gone" ? "elsewhere.png" : "images/pic.png"));
    TextControl copy;
    copy.setViewImagePath(dir.filePath("images"));
    QVERIFY(copy.load(dir.filePath("linked.tx"), 0, TextControl::FormatNative));
    const QTextImageFormat image = copy.document()->begin().begin().fragment().charFormat().toImageFormat();
    const QImage shown = copy.document()->resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>();
    QVERIFY(!shown.isNull());
    QCOMPARE(shown.pixel(5, 5), colour);
    QCOMPARE(copy.plainText(), control.plainText());
}

void FramesAndImagesTest::handles_data()
{
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<int>("handle");
    QTest::addColumn<QSizeF>("dragged");  // size after dragging that handle to (150, 150)
    QTest::newRow("corner") << QPointF(110, 60) << int(ObjectHandles::Corner) << QSizeF(140, 140);
    QTest::newRow("right edge") << QPointF(111, 35) << int(ObjectHandles::RightEdge) << QSizeF(140, 50);
    QTest::newRow("bottom edge") << QPointF(60, 59) << int(ObjectHandles::BottomEdge) << QSizeF(100, 140);
    QTest::newRow("inside") << QPointF(50, 30) << int(ObjectHandles::None) << QSizeF(100, 50);
}

void FramesAndImagesTest::handles()
{
    QFETCH(QPointF, point);
    QFETCH(int, handle);
    QFETCH(QSizeF, dragged);
    const QRectF image(10, 10, 100, 50);
    QCOMPARE(int(ObjectHandles::handleAt(image, point)), handle);
    QCOMPARE(ObjectHandles::resized(image, ObjectHandles::Handle(handle), QPointF(150, 150)).size(), dragged);
    // Dragging past the image's own corner never turns it inside out.
    QVERIFY(ObjectHandles::resized(image, ObjectHandles::Corner, QPointF(0, 0)).width() >= 4);
}

void FramesAndImagesTest::mouseSelectsAndResizes()
{
    QTemporaryDir dir;
    TextControl control;
    control.setPlainText("ab");
    control.objectInsertAsChar(0, TestFiles::picture(dir, {120, 80}, Qt::darkBlue), 1, 100, 100, 0, 0);
    control.setSelStart(0);
    QCOMPARE(control.objectCurrent(), 0);
    QRectF image = Objects::rect(control.document(), 1);
    QCOMPARE(image.size().toSize(), QSize(120, 80));
    ObjectHandles* handles = control.objectHandles();
    QVERIFY(handles->press(image.center()));
    QVERIFY(control.objectCurrent() != 0);
    QVERIFY(handles->press(image.bottomRight()));
    QVERIFY(handles->dragging());
    handles->move(image.bottomRight() + QPointF(30, 20));
    handles->release(image.bottomRight() + QPointF(30, 20));
    QCOMPARE(Objects::rect(control.document(), 1).size().toSize(), QSize(150, 100));
    control.undo();
    QCOMPARE(Objects::rect(control.document(), 1).size().toSize(), QSize(120, 80));
    QVERIFY(!handles->press(QPointF(700, 900)));  // empty paper: left to the text
}

QTEST_MAIN(FramesAndImagesTest)
#include "tst_framesandimages.moc"
