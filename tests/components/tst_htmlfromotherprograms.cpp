// HTML as LibreOffice and other programs write it: the page of its @page rules (each margin
// on its own, LibreOffice's margins where the rule leaves one out), the body's side margins,
// and paragraph spacing and line heights given in inches or centimetres, which Qt's own HTML
// reader ignores.
#include "components/textcontrol/document/layoutunits.h"
#include "components/textcontrol/textcontrol.h"

#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

namespace {

QString page(const QString& style, const QString& body = QStringLiteral("<body>"))
{
    return QStringLiteral("<!DOCTYPE html><html><head><meta http-equiv=\"content-type\" content=\"text/html; charset=utf-8\"/>"
                          "<style type=\"text/css\">%1</style></head>%2"
                          "<p>Dear Dr. Miller,</p><p>thank you for seeing Mrs. Jones.</p></body></html>")
        .arg(style, body);
}

// Opens `html` as --convert and File > Open do: the page the file gives replaces the control's.
void open(TextControl& control, const QTemporaryDir& dir, const QString& html)
{
    const QString path = dir.filePath(QStringLiteral("letter.html"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(html.toUtf8());
    file.close();
    control.setLoadSaveAttribute(37, 1);
    QVERIFY2(control.load(path, 0, TextControl::FormatHtml), qPrintable(control.lastError()));
    control.applyLoadSaveAttributes();
}

}  // namespace

class HtmlFromOtherProgramsTest : public QObject {
    Q_OBJECT
private slots:
    void pageRules_data();
    void pageRules();
    void paragraphSpacing();
    void bodyMargins_data();
    void bodyMargins();
};

void HtmlFromOtherProgramsTest::pageRules_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<QList<int>>("page");  // width, height, left, top, right, bottom
    QTest::newRow("shorthand") << "@page { size: 8.5in 11in; margin: 1in }" << QList<int>{12240, 15840, 1440, 1440, 1440, 1440};
    QTest::newRow("each side") << "@page { size: 8.27in 11.69in; margin-left: 0.98in; margin-right: 0.5in; margin-top: 0.79in; margin-bottom: 1in }"
                               << QList<int>{11909, 16834, 1411, 1138, 720, 1440};
    QTest::newRow("sides left out") << "@page { size: 13.06in 11in; margin-right: 1.25in; margin-top: 1in; margin-bottom: 1in }"
                                    << QList<int>{18806, 15840, 1134, 1440, 1800, 1440};
    QTest::newRow("centimetres, shorthand then one side") << "@page { size: 21cm 29.7cm; margin: 2cm; margin-left: 3cm }"
                                                           << QList<int>{11906, 16838, 1701, 1134, 1134, 1134};
}

void HtmlFromOtherProgramsTest::pageRules()
{
    QFETCH(QString, style);
    QFETCH(QList<int>, page);
    QTemporaryDir dir;
    TextControl control;
    open(control, dir, ::page(style));
    const QList<int> got{control.pageWidth(), control.pageHeight(), control.pageMarginL(),
                         control.pageMarginT(), control.pageMarginR(), control.pageMarginB()};
    for (int i = 0; i < 6; ++i)
        QVERIFY2(qAbs(got.at(i) - page.at(i)) <= 1, qPrintable(QStringLiteral("value %1: %2, expected %3").arg(i).arg(got.at(i)).arg(page.at(i))));
}

// LibreOffice's paragraphs: no space above unless given, the space below and the line height
// in inches as written.
void HtmlFromOtherProgramsTest::paragraphSpacing()
{
    QTemporaryDir dir;
    TextControl control;
    open(control, dir, page("@page { size: 8.5in 11in; margin: 1in } p { margin-bottom: 0.1in; line-height: 115% }",
                            "<body><p style=\"line-height: 0.25in; margin-bottom: 0.5cm\">Fixed lines</p>"));
    const QTextBlockFormat fixed = control.document()->begin().blockFormat();
    QCOMPARE(fixed.topMargin(), 0.0);
    QVERIFY2(qAbs(fixed.bottomMargin() - LayoutUnits::fromTwips(283)) < 1, qPrintable(QString::number(fixed.bottomMargin())));
    QVERIFY2(qAbs(fixed.lineHeight() - 24) < 0.5, qPrintable(QString::number(fixed.lineHeight())));
    const QTextBlockFormat letter = control.document()->findBlock(control.plainText().indexOf("Dear")).blockFormat();
    QCOMPARE(letter.topMargin(), 0.0);
    QVERIFY2(qAbs(letter.bottomMargin() - LayoutUnits::fromTwips(144)) < 1, qPrintable(QString::number(letter.bottomMargin())));
    QCOMPARE(letter.lineHeightType(), int(QTextBlockFormat::ProportionalHeight));
    QCOMPARE(letter.lineHeight(), 115.0);
}

void HtmlFromOtherProgramsTest::bodyMargins_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<QString>("body");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::newRow("style attribute") << "" << "<body style=\"margin: 0.5in\">" << 720 << 720;
    QTest::newRow("style sheet, one side") << "body { margin-left: 1in }" << "<body>" << 1440 << 0;
    QTest::newRow("none") << "" << "<body lang=\"en-US\">" << 0 << 0;
}

// The body's side margins narrow its paragraphs, as LibreOffice shows them.
void HtmlFromOtherProgramsTest::bodyMargins()
{
    QFETCH(QString, style);
    QFETCH(QString, body);
    QFETCH(int, left);
    QFETCH(int, right);
    QTemporaryDir dir;
    TextControl control;
    open(control, dir, page(style, body));
    const QTextBlockFormat f = control.document()->findBlock(control.plainText().indexOf("thank you")).blockFormat();
    QVERIFY2(qAbs(f.leftMargin() - LayoutUnits::fromTwips(left)) < 0.5, qPrintable(QString::number(f.leftMargin())));
    QVERIFY2(qAbs(f.rightMargin() - LayoutUnits::fromTwips(right)) < 0.5, qPrintable(QString::number(f.rightMargin())));
}

QTEST_MAIN(HtmlFromOtherProgramsTest)
#include "tst_htmlfromotherprograms.moc"
