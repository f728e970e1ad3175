#pragma once
// How every writer walks a document: its frames in order (tables, the floating frames of
// placed pictures, paragraphs), and a paragraph's runs with where each merge field opens and
// closes and each picture it holds. The writers differ only in what they write at each step.
#include "fields.h"

#include <QTextBlock>
#include <QTextFrame>
#include <QTextTable>
#include <type_traits>

namespace DocumentWalk {

// The letters a paragraph's mark is written with: its last run's where it has text (Word and
// LibreOffice set the mark in the last line, whose height it joins), its own where it is empty.
inline QTextCharFormat markFormat(const QTextBlock& block)
{
    QTextCharFormat mark = block.charFormat();
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it)
        if (!it.fragment().charFormat().isImageFormat())
            mark = it.fragment().charFormat();
    return Fields::withoutField(mark);
}

// table(QTextTable*) for each table and paragraph(const QTextBlock&) for each paragraph of
// `frame` in document order, inside the frames that are no tables too.
template <typename Table, typename Paragraph>
void frames(QTextFrame* frame, Table&& table, Paragraph&& paragraph)
{
    for (QTextFrame::iterator it = frame->begin(); !it.atEnd(); ++it) {
        if (auto* inner = qobject_cast<QTextTable*>(it.currentFrame()))
            table(inner);
        else if (QTextFrame* child = it.currentFrame())
            frames(child, table, paragraph);
        else if (it.currentBlock().isValid())
            paragraph(it.currentBlock());
    }
}

// The same for the content of a table cell, whose frames are only tables.
template <typename Table, typename Paragraph>
void cell(const QTextTableCell& cell, Table&& table, Paragraph&& paragraph)
{
    for (QTextFrame::iterator it = cell.begin(); !it.atEnd(); ++it) {
        if (auto* inner = qobject_cast<QTextTable*>(it.currentFrame()))
            table(inner);
        else if (it.currentBlock().isValid())
            paragraph(it.currentBlock());
    }
}

// The runs of `block` in order: fieldBegin(format) where a merge field opens, fieldEnd(the
// format it opened with) where it closes or the paragraph ends, picture(QTextImageFormat) once
// for each character a picture stands for, and text(QString, format) for every other run; a
// writer that takes text(QStringView, format, index) is shown the run within the paragraph's
// text, and where its format is in the document's list of formats.
template <typename FieldBegin, typename FieldEnd, typename Picture, typename Text>
void runs(const QTextBlock& block, FieldBegin&& fieldBegin, FieldEnd&& fieldEnd, Picture&& picture, Text&& text)
{
    constexpr bool viewsText = std::is_invocable_v<Text&, QStringView, const QTextCharFormat&, int>;
    QString paragraph;
    if constexpr (viewsText)
        paragraph = block.text();
    int openField = 0;
    QTextCharFormat fieldFormat;
    int offset = 0;  // where the run starts in the paragraph
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat f = fragment.charFormat();
        const int field = f.intProperty(Fields::IdProperty);
        if (field != openField) {
            if (openField)
                fieldEnd(fieldFormat);
            if (field)
                fieldBegin(f);
            openField = field;
            fieldFormat = f;
        }
        const int length = fragment.length();
        if (f.isImageFormat()) {
            for (int n = 0; n < length; ++n)
                picture(f.toImageFormat());
        } else if constexpr (viewsText) {
            text(QStringView(paragraph).mid(offset, length), f, fragment.charFormatIndex());
        } else {
            text(fragment.text(), f);
        }
        offset += length;
    }
    if (openField)
        fieldEnd(fieldFormat);
}

}  // namespace DocumentWalk
