#pragma once
// A letter with everything a Word file must keep: bold, italic, underlined Arial 14 in colour
// on a highlight, a centred and indented paragraph with a frame, a 3 x 3 table with a shaded
// cell, a picture, a merge field, a header and a page-number footer, page size and margin.
#include "components/textcontrol/layout/headerfooter.h"
#include "components/textcontrol/document/paragraphframes.h"
#include "support/testfiles.h"

#include <QTextBlock>
#include <QTextTable>

namespace RichLetter {

// The character format at the first occurrence of `text`.
inline QTextCharFormat formatOf(QTextDocument* document, const QString& text)
{
    QTextCursor found = document->find(text);
    QTextCursor probe(document);
    probe.setPosition(found.selectionStart() + 1);
    return probe.charFormat();
}


inline void build(TextControl& control, const QTemporaryDir& dir, int width, int height)
{
    control.setPageWidth(width);
    control.setPageHeight(height);
    control.setPageMarginL(1080);
    control.setPlainText("Plain start\nBold words here\nCentred and indented\nLast line");
    QTextCursor c(control.document());
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bold.setFontItalic(true);
    bold.setFontUnderline(true);
    bold.setFontFamilies({"Arial"});
    bold.setFontPointSize(14);
    bold.setForeground(QColor(0xc0, 0x10, 0x20));
    bold.setBackground(QColor(0xff, 0xff, 0x00));
    c = control.document()->find("Bold words");
    c.mergeCharFormat(bold);
    c = control.document()->find("Centred");
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    centred.setLeftMargin(48);
    centred.setTextIndent(24);
    c.mergeBlockFormat(centred);
    control.setSelStart(c.selectionStart());
    control.setFrameStyle(15 + 64);
    control.setSelStart(control.plainText().indexOf("Last"));
    control.setSelLength(0);
    const int field = control.fieldInsert("[patient_info.last_name]");
    control.setFieldData(field, "patient_info.last_name");
    control.objectInsertAsChar(0, TestFiles::picture(dir, {60, 30}, Qt::darkRed), -1, 100, 100, 0, 0);
    control.setSelStart(11);
    control.setSelLength(0);
    control.tableInsert(3, 3);
    QTextTable* table = control.textCursor().currentTable();
    for (int i = 0; i < 9; ++i)
        table->cellAt(i / 3, i % 3).firstCursorPosition().insertText(QString("cell %1").arg(i));
    QTextTableCell shaded = table->cellAt(1, 1);
    QTextCharFormat shade = shaded.format();
    shade.setBackground(QColor(0xe0, 0xe0, 0xe0));
    shaded.setFormat(shade);
    TestFiles::addHeaderAndPageFooter(control, "Clinic letterhead");

}

// Checks with QCOMPARE that `copy` holds the letter; the caller returns when the test failed.
inline void verify(TextControl& copy, int width, int height)
{
    QCOMPARE(copy.pageWidth(), width);
    QCOMPARE(copy.pageHeight(), height);
    QCOMPARE(copy.pageMarginL(), 1080);

    const QTextCharFormat f = formatOf(copy.document(), "Bold words");
    QVERIFY(f.fontWeight() >= QFont::Bold);
    QVERIFY(f.fontItalic());
    QVERIFY(f.fontUnderline());
    QCOMPARE(f.fontFamilies().toStringList().value(0), QString("Arial"));
    QCOMPARE(f.fontPointSize(), 14.0);
    QCOMPARE(f.foreground().color(), QColor(0xc0, 0x10, 0x20));
    QCOMPARE(f.background().color(), QColor(0xff, 0xff, 0x00));
    const QTextBlockFormat b = copy.document()->find("Centred").blockFormat();
    QCOMPARE(b.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(qRound(b.leftMargin()), 48);
    QCOMPARE(qRound(b.textIndent()), 24);
    QCOMPARE(ParagraphFrames::style(b) & (15 | 64), 15 | 64);

    QTextTable* read = nullptr;
    for (QTextFrame* child : copy.document()->rootFrame()->childFrames())
        if ((read = qobject_cast<QTextTable*>(child)))
            break;
    QVERIFY(read);
    QCOMPARE(read->rows(), 3);
    QCOMPARE(read->columns(), 3);
    QCOMPARE(read->cellAt(2, 2).firstCursorPosition().block().text(), QString("cell 8"));
    QCOMPARE(read->cellAt(1, 1).format().background().color(), QColor(0xe0, 0xe0, 0xe0));

    QCOMPARE(copy.fieldData(copy.fieldNext(0)), QString("patient_info.last_name"));
    QVERIFY(copy.plainText().contains(QChar::ObjectReplacementCharacter));
    QCOMPARE(copy.headerFooter(), 5);
    QCOMPARE(copy.headerFooterParts()->textOnPage(1, 1, 1), QString("Clinic letterhead"));
    QCOMPARE(copy.headerFooterParts()->textOnPage(4, 7, 9), QString("7"));
}

}  // namespace RichLetter
