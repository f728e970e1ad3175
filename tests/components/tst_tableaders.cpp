// A form's signature and contents lines: the leaders that fill a tab's room before its stop
// ("Signed ________", "Chapter 1 ........ 3"), read from each format, written back and drawn.
#include "components/textcontrol/document/layoutunits.h"
#include "components/textcontrol/document/tableaders.h"
#include "components/textcontrol/layout/pagelayout.h"
#include "support/formatroundtrip.h"

#include <QImage>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

namespace {

using LayoutUnits::fromTwips;
// "Signed" with a line to a right stop at 4", and a dotted leader to a left stop at 5".
void form(QTextDocument& document)
{
    QTextCursor cursor(&document);
    QTextBlockFormat format;
    format.setTabPositions({QTextOption::Tab(fromTwips(5760), QTextOption::RightTab), QTextOption::Tab(fromTwips(7200), QTextOption::LeftTab)});
    TabLeaders::set(format, fromTwips(5760), TabLeaders::Line);
    TabLeaders::set(format, fromTwips(7200), TabLeaders::Dots);
    cursor.setBlockFormat(format);
    cursor.insertText(QStringLiteral("Signed\t\tPage 3"));
}

}  // namespace

class TabLeadersTest : public QObject {
    Q_OBJECT
private slots:
    void readFromOtherPrograms_data();
    void readFromOtherPrograms();
    void writtenAndReadAgain_data();
    void writtenAndReadAgain();
    void lineIsDrawnInTheTabsRoom();
};

void TabLeadersTest::readFromOtherPrograms_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("leaders");  // of the stops at 4" and 5"
    QTest::newRow("line and dots") << QByteArray("\\tlul\\tqr\\tx5760\\tldot\\tx7200") << QStringLiteral("_.");
    QTest::newRow("hyphens, none") << QByteArray("\\tlhyph\\tx5760\\tx7200") << QStringLiteral("- ");
    QTest::newRow("thick line, middle dots") << QByteArray("\\tlth\\tx5760\\tlmdot\\tx7200") << QStringLiteral("=\u00B7");
}

void TabLeadersTest::readFromOtherPrograms()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, leaders);
    QTextDocument document;
    PageInfo page;
    QVERIFY(RtfReader::read("{\\rtf1\\ansi\\pard" + rtf + " Signed\\tab Date\\par}", &document, page));
    const QTextBlockFormat format = document.begin().blockFormat();
    QCOMPARE(QString(TabLeaders::at(format, fromTwips(5760))) + TabLeaders::at(format, fromTwips(7200)), leaders);
}

void TabLeadersTest::writtenAndReadAgain_data() { FormatRoundTrip::addRows(); }

void TabLeadersTest::writtenAndReadAgain()
{
    QFETCH(FormatRoundTrip::Trip, roundTrip);
    QTextDocument source, again;
    form(source);
    QVERIFY(roundTrip(source, again));
    const QTextBlockFormat format = again.begin().blockFormat();
    QCOMPARE(format.tabPositions().size(), 2);
    QCOMPARE(TabLeaders::at(format, fromTwips(5760)), TabLeaders::Line);
    QCOMPARE(TabLeaders::at(format, fromTwips(7200)), TabLeaders::Dots);
    QCOMPARE(again.begin().text(), source.begin().text());
}

// The line runs from "Signed" to the stop; nothing is drawn beyond it before the dots start.
void TabLeadersTest::lineIsDrawnInTheTabsRoom()
{
    QTextDocument document;
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(3780);
    device.setDotsPerMeterY(3780);
    document.setPageSize(QSizeF(816, 1056));
    PageLayout* layout = installPageLayout(&document, &device, false);
    form(document);
    layout->layOutAll();
    QImage page(816, 200, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        QAbstractTextDocumentLayout::PaintContext context;
        context.palette.setColor(QPalette::Text, Qt::black);
        layout->draw(&painter, context);
    }
    const QTextLine line = document.begin().layout()->lineAt(0);
    const QPointF origin = document.begin().layout()->position();
    const double signedEnd = line.cursorToX(6), stop = fromTwips(5760);
    // Darkness in the column of each x from the baseline down to the line's bottom.
    auto inked = [&](double x) {
        for (int y = int(origin.y() + line.y() + line.ascent()) - 1; y < int(origin.y() + line.y() + line.height()) + 1; ++y)
            if (qGray(page.pixel(int(origin.x() + x), y)) < 128)
                return true;
        return false;
    };
    int drawn = 0, columns = 0;
    for (double x = signedEnd + 4; x < stop - 4; x += 2, ++columns)
        drawn += inked(x) ? 1 : 0;
    QVERIFY2(drawn > columns * 9 / 10, qPrintable(QStringLiteral("%1 of %2").arg(drawn).arg(columns)));
    QVERIFY(!inked(stop + 3));
}

QTEST_MAIN(TabLeadersTest)
#include "tst_tableaders.moc"
