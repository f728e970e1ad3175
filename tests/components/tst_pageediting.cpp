// Working on the page with mouse and keyboard: the header and footer edited where they are
// drawn, clicks beside the text, the focus after dialogs, Tab in tables, paragraph frames
// round indented text, and the lines of tables in every file format.
#include "components/textcontrol/view/bodyitem.h"
#include "components/textcontrol/layout/headerfooter.h"
#include "components/textcontrol/document/layoutunits.h"
#include "components/textcontrol/view/pageview.h"
#include "components/textcontrol/document/paragraphframes.h"
#include "components/textcontrol/document/tablegrid.h"
#include "components/textcontrol/textcontrol.h"
#include "documents/documentwindow.h"
#include "shell/mainwindow.h"
#include "support/scripteddialogs.h"
#include "support/testworkspace.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGraphicsScene>
#include <QMenu>
#include <QPushButton>
#include <QTextTable>
#include <QtTest>

namespace {

using LayoutUnits::fromTwips;

TextControl* control(TestWorkspace& ws) { return ws.active()->textControl(); }
QWidget* viewport(TestWorkspace& ws) { return control(ws)->pageView()->viewport(); }

// Where a point of page `page` (layout units from the page's corner) is on the screen; the view
// scrolls there first.
QPoint onScreen(TestWorkspace& ws, int page, QPointF onPage)
{
    PageView* view = control(ws)->pageView();
    const QPointF scene = control(ws)->headerFooterParts()->pageOrigin(page) + onPage;
    view->centerOn(scene);
    return view->mapFromScene(scene);
}

void click(TestWorkspace& ws, int page, QPointF onPage)
{
    QTest::mouseClick(viewport(ws), Qt::LeftButton, {}, onScreen(ws, page, onPage));
}

void type(TestWorkspace& ws, const QString& text) { QTest::keyClicks(viewport(ws), text); }

QString partText(TestWorkspace& ws, int part)
{
    return control(ws)->headerFooterParts()->document(part)->toPlainText();
}

QTextTable* firstTable(const QTextDocument* document)
{
    for (QTextFrame* frame : document->rootFrame()->childFrames())
        if (auto* table = qobject_cast<QTextTable*>(frame))
            return table;
    return nullptr;
}

QString cellText(QTextTable* table, int row, int column)
{
    const QTextTableCell cell = table->cellAt(row, column);
    QTextCursor cursor = cell.firstCursorPosition();
    cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    return cursor.selectedText();
}

// A two-page letter with a header and a footer, as the Insert menu leaves them.
void letterWithParts(TestWorkspace& ws)
{
    type(ws, "Dear Dr. Smith,");
    QTest::keyClick(viewport(ws), Qt::Key_Return, Qt::ControlModifier);  // page break
    type(ws, "Yours sincerely");
    ws.active()->action("mnuIHeader")->trigger();
    ws.active()->action("mnuIFooter")->trigger();
    QCOMPARE(control(ws)->currentPages(), 2);
}

}  // namespace

class PageEditingTest : public QObject {
    Q_OBJECT
private slots:
    void clickIntoHeaderOrFooter_data();
    void clickIntoHeaderOrFooter();
    void headerAndFooterAreSaved();
    void clickBesideTheText_data();
    void clickBesideTheText();
    void focusReturnsAfterDialogs_data();
    void focusReturnsAfterDialogs();
    void focusOnTheViewIsFocusOnTheText();
    void tabMovesThroughCells();
    void frameSurroundsIndentedText_data();
    void frameSurroundsIndentedText();
    void frameAfterTableStaysWithItsParagraph();
    void newTableHasHalfPointLines();
    void tableLinesRoundTrip_data();
    void tableLinesRoundTrip();
};

// A click into a part's area on any page edits that part; Esc or a click into the body returns.
void PageEditingTest::clickIntoHeaderOrFooter_data()
{
    QTest::addColumn<int>("part");
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("escape");  // leave with Esc, else with a click into the body
    QTest::newRow("header, page 1") << 1 << 1 << true;
    QTest::newRow("footer, page 1") << 4 << 1 << false;
    QTest::newRow("header, page 2") << 1 << 2 << false;
    QTest::newRow("footer, page 2") << 4 << 2 << true;
}

void PageEditingTest::clickIntoHeaderOrFooter()
{
    QFETCH(int, part);
    QFETCH(int, page);
    QFETCH(bool, escape);
    TestWorkspace ws;
    ws.start();
    letterWithParts(ws);
    const QString body = control(ws)->plainText();
    TextControl* tc = control(ws);
    // Inside the margin, a little beside the part's first line.
    const double height = fromTwips(tc->pageHeight());
    const double y = part == 1 ? fromTwips(tc->pageMarginT()) - 20 : height - fromTwips(tc->pageMarginB()) + 20;
    click(ws, page, QPointF(fromTwips(tc->pageMarginL()) + 30, y));
    QCOMPARE(tc->editingTarget(), part);
    QCOMPARE(tc->headerFooterParts()->editingPage(), page);
    QVERIFY(!tc->headerFooterParts()->editingFrame().isNull());
    type(ws, "Clinic: 1 Main St. - Tel. (555) 010-2030");
    QCOMPARE(partText(ws, part), QString("Clinic: 1 Main St. - Tel. (555) 010-2030"));
    QCOMPARE(partText(ws, part == 1 ? 4 : 1), QString());
    QCOMPARE(tc->plainText(), body);

    if (escape)
        QTest::keyClick(viewport(ws), Qt::Key_Escape);
    else
        click(ws, 1, QPointF(fromTwips(tc->pageMarginL()) + 1, fromTwips(tc->pageMarginT()) + 5));
    QCOMPARE(tc->editingTarget(), 0);
    QVERIFY(tc->headerFooterParts()->editingFrame().isNull());
    type(ws, "!");
    QCOMPARE(partText(ws, part), QString("Clinic: 1 Main St. - Tel. (555) 010-2030"));
    QCOMPARE(tc->plainText().count('!'), 1);
}

// What is typed into the parts is in the saved file and comes back when it is opened.
void PageEditingTest::headerAndFooterAreSaved()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    letterWithParts(ws);
    TextControl* tc = control(ws);
    click(ws, 2, QPointF(200, fromTwips(tc->pageMarginT()) - 30));
    type(ws, "Family Practice");
    click(ws, 1, QPointF(200, fromTwips(tc->pageHeight() - tc->pageMarginB()) + 30));
    type(ws, "Confidential");
    const QString path = ws.file("Documents/letter.rtf");
    dialogs.fileAnswers << path;
    ws.active()->action("mnuFile_SaveAs")->trigger();
    QVERIFY(QFile::exists(path));

    TextControl reopened;
    QVERIFY(reopened.load(path, 0, TextControl::FormatRtf));
    QCOMPARE(reopened.headerFooter(), 1 + 4);
    QCOMPARE(reopened.headerFooterParts()->textOnPage(1, 1, 2), QString("Family Practice"));
    QCOMPARE(reopened.headerFooterParts()->textOnPage(4, 2, 2), QString("Confidential"));
    QCOMPARE(reopened.plainText(), tc->plainText());
}

// A click where there is no text (below the last line, on the desk, between the pages) puts the
// caret at the nearest position, and typing goes on there.
void PageEditingTest::clickBesideTheText_data()
{
    QTest::addColumn<QPointF>("onPage");  // layout units from the corner of page 1
    QTest::addColumn<QString>("expected");
    QTest::newRow("below the text") << QPointF(300, 700) << "Dear Dr. Smith,\nThank you.X";
    QTest::newRow("left of the page") << QPointF(-10, 100) << "XDear Dr. Smith,\nThank you.";
    QTest::newRow("right of the first line") << QPointF(790, 98) << "Dear Dr. Smith,X\nThank you.";
    QTest::newRow("between the pages") << QPointF(300, 1060) << "Dear Dr. Smith,\nThank you.X";
}

void PageEditingTest::clickBesideTheText()
{
    QFETCH(QPointF, onPage);
    QFETCH(QString, expected);
    TestWorkspace ws;
    ws.start();
    type(ws, "Dear Dr. Smith,\rThank you.");
    click(ws, 1, QPointF(110, 100));  // into the first line
    click(ws, 1, onPage);
    QCOMPARE(control(ws)->pageView()->scene()->focusItem(), control(ws)->editingItem());
    type(ws, "X");
    QCOMPARE(control(ws)->plainText(), expected);
}

// After any modal dialog the document has the keyboard focus again: what the user types next
// goes into it.
void PageEditingTest::focusReturnsAfterDialogs_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("button");  // the button the user presses
    QTest::newRow("Character OK") << "mnuFormat_Character" << "btnOK";
    QTest::newRow("Paragraph OK") << "mnuFormat_Paragraph" << "btnOK";
    QTest::newRow("Table Cancel") << "mnuInsert_Table" << "btnCancel";
    QTest::newRow("About OK") << "mnuabout" << "btnOK";
}

void PageEditingTest::focusReturnsAfterDialogs()
{
    QFETCH(QString, action);
    QFETCH(QString, button);
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    QVERIFY(QTest::qWaitForWindowActive(&ws.main()));
    control(ws)->setFocus();
    type(ws, "Dear ");
    QString pressed;
    dialogs.dialogScripts << [&](QDialog* dialog) {
        dialog->setWindowModality(Qt::ApplicationModal);  // shown as a modal run shows it
        dialog->show();
        if (!QTest::qWaitForWindowActive(dialog))
            return int(QDialog::Rejected);
        QAbstractButton* press = dialog->findChild<QPushButton*>(button);
        if (auto* box = dialog->findChild<QDialogButtonBox*>(); !press && box)
            press = box->button(button == "btnOK" ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
        if (!press) {
            const QList<QPushButton*> buttons = dialog->findChildren<QPushButton*>();
            press = buttons.size() == 1 ? buttons.first() : nullptr;  // a lone OK
        }
        if (press) {
            pressed = press->text();
            QTest::mouseClick(press, Qt::LeftButton);
        }
        dialog->hide();
        return dialog->result();
    };
    // The command is chosen from its menu with the keyboard, as the user does.
    QAction* command = ws.active()->action(action);
    QMenu* menu = nullptr;
    for (QObject* owner : command->associatedObjects())
        if (auto* candidate = qobject_cast<QMenu*>(owner); candidate && !menu)
            menu = candidate;
    QVERIFY(menu);
    emit menu->aboutToShow();
    menu->popup(control(ws)->mapToGlobal(QPoint(20, 20)));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    menu->setActiveAction(command);
    QTest::keyClick(menu, Qt::Key_Return);
    QVERIFY(dialogs.dialogScripts.isEmpty());
    QVERIFY(!pressed.isEmpty());
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(control(ws)->pageView()));
    QTest::keyClicks(QApplication::focusWidget(), "Dr. Smith");
    QVERIFY2(control(ws)->plainText().contains("Dear Dr. Smith"), qPrintable(control(ws)->plainText()));
}

// When the view gets the keyboard focus back, the text being edited has it, even where the
// scene had let go of its focus item (as it does when a menu and a dialog follow each other).
void PageEditingTest::focusOnTheViewIsFocusOnTheText()
{
    TestWorkspace ws;
    ws.start();
    QVERIFY(QTest::qWaitForWindowActive(&ws.main()));
    control(ws)->setFocus();
    type(ws, "Dear ");
    control(ws)->pageView()->scene()->setFocusItem(nullptr);
    control(ws)->pageView()->clearFocus();
    control(ws)->setFocus();
    QTest::keyClicks(QApplication::focusWidget(), "Dr. Smith");
    QCOMPARE(control(ws)->plainText(), QString("Dear Dr. Smith"));
}

// Tab goes to the next cell and past the last one into a new row, Shift+Tab back, Ctrl+Tab
// types a tab. Tab keys go to the page view, which has the keyboard focus, as the user's do.
void PageEditingTest::tabMovesThroughCells()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    dialogs.dialogScripts << [](QDialog* dialog) {  // 2 x 2, as the dialog offers
        dialog->findChild<QPushButton*>("btnOK")->click();
        return dialog->result();
    };
    QVERIFY(QTest::qWaitForWindowActive(&ws.main()));
    ws.active()->action("mnuInsert_Table")->trigger();
    QTRY_VERIFY(control(ws)->pageView()->hasFocus());
    QTextTable* table = firstTable(control(ws)->document());
    QVERIFY(table);
    QCOMPARE(table->rows(), 2);
    type(ws, "Name");
    QTest::keyClick(control(ws)->pageView(), Qt::Key_Tab);
    type(ws, "Dr. Smith");
    QTest::keyClick(control(ws)->pageView(), Qt::Key_Tab);
    type(ws, "Date");
    QTest::keyClick(control(ws)->pageView(), Qt::Key_Tab);
    type(ws, "12/06");
    QTest::keyClick(control(ws)->pageView(), Qt::Key_Tab);  // past the last cell: a new row
    QCOMPARE(table->rows(), 3);
    type(ws, "Ward");
    QTest::keyClick(control(ws)->pageView(), Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::keyClick(control(ws)->pageView(), Qt::Key_Tab, Qt::ControlModifier);
    type(ws, "x");
    QCOMPARE(cellText(table, 0, 0), QString("Name"));
    QCOMPARE(cellText(table, 0, 1), QString("Dr. Smith"));
    QCOMPARE(cellText(table, 1, 0), QString("Date"));
    QCOMPARE(cellText(table, 1, 1), QString("\tx12/06"));
    QCOMPARE(cellText(table, 2, 0), QString("Ward"));
    // Shift+Tab in the first cell stays there.
    control(ws)->setTextCursor(table->cellAt(0, 0).firstCursorPosition());
    QTest::keyClick(control(ws)->pageView(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(table->cellAt(control(ws)->textCursor()).row(), 0);
    QCOMPARE(table->cellAt(control(ws)->textCursor()).column(), 0);
    QCOMPARE(table->rows(), 3);
    // Outside a table Tab still types a tab.
    control(ws)->setTextCursor(QTextCursor(control(ws)->document()));
    QTest::keyClick(control(ws)->pageView(), Qt::Key_Tab);
    QCOMPARE(control(ws)->plainText().left(1), QString("\t"));
}

// The frame of an indented paragraph surrounds its text area: the indents, then the distance.
void PageEditingTest::frameSurroundsIndentedText_data()
{
    QTest::addColumn<double>("left");   // indents, inches
    QTest::addColumn<double>("right");
    QTest::addColumn<double>("first");
    QTest::newRow("no indent") << 0.0 << 0.0 << 0.0;
    QTest::newRow("left 0.5") << 0.5 << 0.0 << 0.0;
    QTest::newRow("both") << 0.5 << 1.0 << 0.0;
    QTest::newRow("first line 0.25") << 0.5 << 0.0 << 0.25;
    QTest::newRow("hanging 0.25") << 0.5 << 0.0 << -0.25;
}

void PageEditingTest::frameSurroundsIndentedText()
{
    QFETCH(double, left);
    QFETCH(double, right);
    QFETCH(double, first);
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    TextControl* tc = control(ws);
    type(ws, "The patient was seen today for a follow-up of the X-ray findings; the results were "
             "discussed with her and a further appointment was made.");
    dialogs.dialogScripts << [&](QDialog* d) {
        d->findChild<QDoubleSpinBox*>("txtLeft")->setValue(left);
        d->findChild<QDoubleSpinBox*>("txtRight")->setValue(right);
        d->findChild<QDoubleSpinBox*>("txtFirst")->setValue(first);
        return int(QDialog::Accepted);
    };
    ws.active()->action("mnuFormat_Paragraph")->trigger();
    QCOMPARE(qRound(tc->textCursor().blockFormat().leftMargin()), qRound(left * 96));
    tc->setFrameDistance(60);  // 3 pt
    tc->setFrameLineWidth(20);
    tc->setFrameStyle(ParagraphFrames::Sides);

    QImage page(816, 1056, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    tc->paintPage(&painter, 1);
    painter.end();
    // The frame's sides: columns dark over the whole height of the box.
    const QRectF box = tc->document()->documentLayout()->blockBoundingRect(tc->document()->begin());
    const int top = qRound(box.top()) + 2, bottom = qRound(box.bottom()) - 2;
    QList<int> sides;
    for (int x = 0; x < page.width(); ++x) {
        bool line = true;
        for (int y = top; y <= bottom && line; ++y)
            line = qGray(page.pixel(x, y)) < 160;
        if (line && (sides.isEmpty() || x > sides.last() + 1))
            sides << x;
    }
    QCOMPARE(sides.size(), 2);
    const double gap = fromTwips(60) + fromTwips(20) / 2;
    const double textLeft = 96 + 96 * (left + std::min(0.0, first));
    const double textRight = 816 - 96 - 96 * right;
    QVERIFY2(qAbs(sides.at(0) - (textLeft - gap)) <= 2, qPrintable(QString::number(sides.at(0))));
    QVERIFY2(qAbs(sides.at(1) - (textRight + gap)) <= 2, qPrintable(QString::number(sides.at(1))));
}

// A framed paragraph right after a table, saved and opened again: the frame surrounds that
// paragraph only, nothing is drawn across the table's first row.
void PageEditingTest::frameAfterTableStaysWithItsParagraph()
{
    QTemporaryDir dir;
    TextControl control;
    control.setPlainText("Results\nKind regards");
    control.setSelStart(8);
    control.tableInsert(1, 2);
    control.setSelStart(control.plainText().indexOf("Kind"));
    QTextBlockFormat indent;
    indent.setLeftMargin(48);
    control.mergeBlockFormat(indent);
    control.setFrameStyle(ParagraphFrames::Sides);
    const QString path = dir.filePath("framed.rtf");
    QVERIFY(control.save(path, 0, TextControl::FormatRtf));
    TextControl reopened;
    QVERIFY(reopened.load(path, 0, TextControl::FormatRtf));
    QTextTable* table = firstTable(reopened.document());
    QVERIFY(table);
    QImage page(816, 1056, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    reopened.paintPage(&painter, 1);
    painter.end();
    const QRectF cell = reopened.document()->documentLayout()->blockBoundingRect(table->cellAt(0, 0).firstCursorPosition().block());
    const int y = qRound(cell.top()) - 3;  // just above the first cell's text, inside the row
    QList<int> lines;
    for (int x = 0; x < page.width(); ++x)
        if (qGray(page.pixel(x, y)) < 160 && (lines.isEmpty() || x > lines.last() + 1))
            lines << x;
    QCOMPARE(lines.size(), 3);  // the table's own: left, middle, right
}

// Insert > Table gives single 0.5 pt lines round every cell.
void PageEditingTest::newTableHasHalfPointLines()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    dialogs.dialogScripts << [](QDialog* dialog) {
        dialog->findChild<QPushButton*>("btnOK")->click();
        return dialog->result();
    };
    ws.active()->action("mnuInsert_Table")->trigger();
    QTextTable* table = firstTable(control(ws)->document());
    QVERIFY(table);
    QCOMPARE(TableGrid::borderTwips(table->format()), 10);
    QCOMPARE(table->format().borderStyle(), QTextFrameFormat::BorderStyle_Solid);
    // The lines show on the page: across each row, dark at the left margin, between the two
    // columns and at the right margin.
    QImage page(816, 1056, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    control(ws)->paintPage(&painter, 1);
    painter.end();
    QAbstractTextDocumentLayout* layout = control(ws)->document()->documentLayout();
    for (int row = 0; row < table->rows(); ++row) {
        const int y = qRound(layout->blockBoundingRect(table->cellAt(row, 0).firstCursorPosition().block()).center().y());
        QList<int> lines;
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 160 && (lines.isEmpty() || x > lines.last() + 1))
                lines << x;
        QCOMPARE(lines.size(), 3);
        QVERIFY(qAbs(lines.at(0) - 96) <= 2);
        QVERIFY(qAbs(lines.at(1) - 408) <= 2);
        QVERIFY(qAbs(lines.at(2) - 720) <= 4);
    }
}

// Each format writes the lines a table has, and none when it has none, and reads them back.
void PageEditingTest::tableLinesRoundTrip_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("border");  // twips
    const QList<std::pair<const char*, int>> formats = {
        {"RTF", TextControl::FormatRtf}, {"Word 97", TextControl::FormatWord},
        {"Word 2007", TextControl::FormatDocx}, {"template", TextControl::FormatNative},
        {"HTML", TextControl::FormatHtml}};
    for (const auto& [name, format] : formats)
        for (int border : {0, 10, 30})
            QTest::addRow("%s, %d twips", name, border) << format << border;
}

void PageEditingTest::tableLinesRoundTrip()
{
    QFETCH(int, format);
    QFETCH(int, border);
    QTemporaryDir dir;
    TextControl control;
    control.setPlainText("Results");
    control.setSelStart(control.plainText().size());
    control.tableInsert(2, 3);
    control.setSelText("Hb");
    QTextTable* table = firstTable(control.document());
    QTextTableFormat lines = table->format();
    TableGrid::setBorderTwips(lines, border);
    table->setFormat(lines);
    const QString path = dir.filePath("table");
    QVERIFY(control.save(path, 0, format));

    TextControl reopened;
    QVERIFY(reopened.load(path, 0, format));
    QTextTable* read = firstTable(reopened.document());
    QVERIFY(read);
    QCOMPARE(read->columns(), 3);
    // HTML keeps the width in whole pixels: a thinner line comes back one pixel wide.
    const int expected = format == TextControl::FormatHtml && border > 0 ? std::max(border, 15) : border;
    QCOMPARE(TableGrid::borderTwips(read->format()), expected);
}

QTEST_MAIN(PageEditingTest)
#include "tst_pageediting.moc"
