#include "nativeformat.h"

#include "components/textcontrol/document/documentwalk.h"
#include "components/textcontrol/document/objects.h"

#include <QBuffer>
#include <QDataStream>
#include <QTextOption>
#include <algorithm>
#include <QImage>
#include <QSet>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

namespace NativeFormat {
namespace {

enum Tag : quint8 { BlockTag = 'B', TableTag = 'T', FrameTag = 'F', EndTag = 'E' };

// A format stream names each value's type, and a reading program knows Qt's tab stops by name
// only once it has made one: a paragraph's stops are stored as a list of plain numbers
// instead, three for each stop (position, kind, delimiter), under the same property.
QTextFormat storable(QTextBlockFormat format)
{
    if (format.hasProperty(QTextFormat::TabPositions)) {
        QVariantList numbers;
        for (const QTextOption::Tab& tab : format.tabPositions())
            numbers << tab.position << double(tab.type) << double(tab.delimiter.unicode());
        format.setProperty(QTextFormat::TabPositions, numbers);
    }
    return format;
}

QTextBlockFormat restored(const QTextFormat& stored)
{
    QTextBlockFormat format = stored.toBlockFormat();
    const QVariant value = stored.property(QTextFormat::TabPositions);
    const QVariantList numbers = value.toList();
    if (!numbers.isEmpty() && numbers.first().metaType() == QMetaType::fromType<double>()) {
        QList<QTextOption::Tab> tabs;
        for (qsizetype i = 0; i + 2 < numbers.size() && tabs.size() < 64; i += 3)
            tabs << QTextOption::Tab(numbers.at(i).toDouble(), QTextOption::TabType(std::clamp(numbers.at(i + 1).toInt(), 0, 3)),
                                     QChar(char16_t(std::clamp(numbers.at(i + 2).toInt(), 0, 65535))));
        format.setTabPositions(tabs);
    }
    return format;
}

// Limits that keep a damaged file from asking for absurd amounts of memory.
constexpr quint32 MaxCount = 10'000'000;
constexpr int MaxTableCells = 1'000'000;
constexpr int MaxDepth = 64;

class Writer {
public:
    Writer(QDataStream& out, const QTextDocument* document) : m_out(out), m_document(document) {}

    void frame(QTextFrame* frame)
    {
        for (QTextFrame::iterator it = frame->begin(); !it.atEnd(); ++it) {
            if (QTextFrame* child = it.currentFrame()) {
                if (auto* table = qobject_cast<QTextTable*>(child))
                    this->table(table);
                else {
                    m_out << quint8(FrameTag) << QTextFormat(child->frameFormat());
                    this->frame(child);
                }
            } else if (it.currentBlock().isValid()) {
                block(it.currentBlock());
            }
        }
        m_out << quint8(EndTag);
    }

    QStringList images;
    QSet<QString> linked;  // images saved as a link to their file

private:
    void block(const QTextBlock& block)
    {
        QTextBlockFormat format = block.blockFormat();
        format.setObjectIndex(-1);  // the list is written by its number below
        m_out << quint8(BlockTag) << storable(format) << QTextFormat(block.charFormat());
        // Version 2: the paragraph's list (-1 for none), with the list's format.
        qint32 list = -1;
        QTextFormat listFormat;
        if (QTextList* textList = block.textList()) {
            list = qint32(m_lists.indexOf(textList));
            if (list < 0) {
                list = qint32(m_lists.size());
                m_lists << textList;
            }
            listFormat = textList->format();
        }
        m_out << list << listFormat;
        quint32 count = 0;
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it)
            ++count;
        m_out << count;
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (format.isImageFormat()) {
                const QString name = format.toImageFormat().name();
                if (!images.contains(name))
                    images << name;
                if (Objects::isLinked(format))
                    linked << name;
            }
            m_out << fragment.text() << QTextFormat(format);
        }
    }

    void table(QTextTable* table)
    {
        m_out << quint8(TableTag) << QTextFormat(table->format()) << qint32(table->rows())
              << qint32(table->columns());
        for (int r = 0; r < table->rows(); ++r)
            for (int c = 0; c < table->columns(); ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                if (cell.row() != r || cell.column() != c)
                    continue;  // covered by a merged cell
                m_out << qint32(r) << qint32(c) << qint32(cell.rowSpan()) << qint32(cell.columnSpan())
                      << QTextFormat(cell.format());
                DocumentWalk::cell(cell, [this](QTextTable* inner) { this->table(inner); },
                                   [this](const QTextBlock& paragraph) { block(paragraph); });
                m_out << quint8(EndTag);
            }
        m_out << qint32(-1);
    }

    QDataStream& m_out;
    const QTextDocument* m_document;
    QList<QTextList*> m_lists;
};

class Reader {
public:
    Reader(QDataStream& in, QTextDocument* document, quint16 version)
        : m_in(in), m_cursor(document), m_version(version)
    {
    }

    // Reads items up to the end tag into the cursor's position.
    bool items(int depth)
    {
        if (depth > MaxDepth)
            return false;
        while (ok()) {
            quint8 tag = 0;
            m_in >> tag;
            switch (tag) {
            case EndTag: return ok();
            case BlockTag:
                if (!block())
                    return false;
                break;
            case TableTag:
                if (!table(depth))
                    return false;
                break;
            case FrameTag: {
                QTextFormat format;
                m_in >> format;
                QTextFrame* frame = m_cursor.insertFrame(format.toFrameFormat());
                m_first = true;  // the frame's first paragraph is there already
                if (!items(depth + 1))
                    return false;
                m_cursor = frame->lastCursorPosition();
                m_cursor.movePosition(QTextCursor::NextBlock);
                m_first = true;  // and so is the paragraph after it
                break;
            }
            default: return false;
            }
        }
        return false;
    }

private:
    bool ok() const { return m_in.status() == QDataStream::Ok; }

    bool block()
    {
        QTextFormat blockFormat, charFormat, listFormat;
        qint32 list = -1;
        quint32 count = 0;
        m_in >> blockFormat >> charFormat;
        if (m_version >= 2)
            m_in >> list >> listFormat;
        m_in >> count;
        if (!ok() || count > MaxCount)
            return false;
        // A paragraph belongs to no document object but the list this file names for it.
        QTextBlockFormat paragraph = restored(blockFormat);
        paragraph.setObjectIndex(-1);
        if (m_first) {
            m_cursor.setBlockFormat(paragraph);
            m_cursor.setBlockCharFormat(charFormat.toCharFormat());
        } else {
            m_cursor.insertBlock(paragraph, charFormat.toCharFormat());
        }
        m_first = false;
        if (list >= 0 && list < qint32(MaxCount) && listFormat.isListFormat()) {
            if (QTextList* existing = m_lists.value(list))
                existing->add(m_cursor.block());
            else
                m_lists.insert(list, m_cursor.createList(listFormat.toListFormat()));
        }
        for (quint32 i = 0; i < count && ok(); ++i) {
            QString text;
            QTextFormat format;
            m_in >> text >> format;
            text.remove(QChar(QChar::ParagraphSeparator));  // fragments never span paragraphs
            text.remove(QChar(0xFDD0)).remove(QChar(0xFDD1));
            if (format.isImageFormat()) {
                for (qsizetype n = 0; n < std::max<qsizetype>(1, text.size()); ++n)
                    m_cursor.insertImage(format.toImageFormat());
            } else
                m_cursor.insertText(text, format.toCharFormat());
        }
        return ok();
    }

    bool table(int depth)
    {
        QTextFormat format;
        qint32 rows = 0, columns = 0;
        m_in >> format >> rows >> columns;
        if (!ok() || rows < 1 || columns < 1 || qint64(rows) * columns > MaxTableCells)
            return false;
        QTextTable* table = m_cursor.insertTable(rows, columns, format.toTableFormat());
        for (;;) {
            qint32 row = 0, column = 0, rowSpan = 1, columnSpan = 1;
            m_in >> row;
            if (!ok())
                return false;
            if (row < 0)
                break;
            QTextFormat cellFormat;
            m_in >> column >> rowSpan >> columnSpan >> cellFormat;
            if (!ok() || row >= rows || column < 0 || column >= columns || rowSpan < 1
                || columnSpan < 1 || rowSpan > rows - row || columnSpan > columns - column)
                return false;
            if (rowSpan > 1 || columnSpan > 1)
                table->mergeCells(row, column, rowSpan, columnSpan);
            QTextTableCell cell = table->cellAt(row, column);
            cell.setFormat(cellFormat.toCharFormat());
            m_cursor = cell.firstCursorPosition();
            m_first = true;
            if (!items(depth + 1))
                return false;
        }
        m_cursor = table->lastCursorPosition();
        m_cursor.movePosition(QTextCursor::NextBlock);
        m_first = true;  // the paragraph after the table is there already
        return ok();
    }

    QDataStream& m_in;
    QTextCursor m_cursor;
    quint16 m_version;
    bool m_first = true;
    QHash<qint32, QTextList*> m_lists;
};

// One document's item stream; the names of the images it uses are added to `images`, those
// kept as links also to `linked`.
QByteArray items(const QTextDocument* document, QStringList& images, QSet<QString>& linked)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    Writer writer(out, document);
    writer.frame(document->rootFrame());
    for (const QString& name : writer.images)
        if (!images.contains(name))
            images << name;
    linked += writer.linked;
    return bytes;
}

bool readItems(const QByteArray& bytes, QTextDocument* document, quint16 version)
{
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_4);
    Reader reader(in, document, version);
    return reader.items(0);
}

}  // namespace

QByteArray write(const QTextDocument* document, const PageInfo& page, const DocumentParts* parts)
{
    QStringList images;
    QSet<QString> linked;
    const QByteArray body = items(document, images, linked);
    const int present = parts ? parts->present : 0;
    const QByteArray header = present & 1 ? items(parts->header, images, linked) : QByteArray();
    const QByteArray footer = present & 4 ? items(parts->footer, images, linked) : QByteArray();
    const QByteArray firstHeader = present & 2 ? items(parts->firstHeader, images, linked) : QByteArray();
    const QByteArray firstFooter = present & 8 ? items(parts->firstFooter, images, linked) : QByteArray();
    QByteArray bytes(Magic, sizeof Magic);
    QDataStream out(&bytes, QIODevice::Append);
    out.setVersion(QDataStream::Qt_6_4);
    out << Version << qint32(page.width) << qint32(page.height) << qint32(page.marginL)
        << qint32(page.marginT) << qint32(page.marginR) << qint32(page.marginB);
    out << quint32(images.size());
    for (const QString& name : images) {
        QByteArray png;  // empty for a linked image: its run's format names the file
        if (!linked.contains(name))
            png = Objects::png(document->resource(QTextDocument::ImageResource, QUrl(name)).value<QImage>());
        out << name << png;
    }
    out << body << qint32(present) << header << footer << firstHeader << firstFooter;
    return bytes;
}

bool read(const QByteArray& bytes, QTextDocument* document, PageInfo& page, DocumentParts* parts,
          const QString& imageFolder)
{
    if (!bytes.startsWith(QByteArray(Magic, sizeof Magic)))
        return false;
    QDataStream in(bytes.sliced(sizeof Magic));
    in.setVersion(QDataStream::Qt_6_4);
    quint16 version = 0;
    qint32 values[6] = {};
    in >> version;
    if (version < 1 || version > Version)
        return false;
    for (qint32& v : values)
        in >> v;
    page = {values[0], values[1], values[2], values[3], values[4], values[5]};
    quint32 imageCount = 0;
    in >> imageCount;
    if (in.status() != QDataStream::Ok || imageCount > MaxCount)
        return false;
    QStringList names;
    for (quint32 i = 0; i < imageCount && in.status() == QDataStream::Ok; ++i) {
        QString name;
        QByteArray png;
        in >> name >> png;
        if (!png.isEmpty()) {
            QImage image;
            image.loadFromData(png, "PNG");
            document->addResource(QTextDocument::ImageResource, QUrl(name), image);
        }
        names << name;
    }
    document->setProperty(Objects::ImageNamesProperty, names);
    QByteArray body, header, footer, firstHeader, firstFooter;
    qint32 present = 0;
    in >> body >> present >> header >> footer;
    if (version >= 3)
        in >> firstHeader >> firstFooter;
    if (in.status() != QDataStream::Ok || !readItems(body, document, version))
        return false;
    Objects::loadLinks(document, imageFolder);
    if (parts) {
        parts->present = present & (version >= 3 ? 15 : 5);
        const std::pair<int, const QByteArray*> stored[] = {{1, &header}, {4, &footer}, {2, &firstHeader}, {8, &firstFooter}};
        for (const auto& [bit, bytes] : stored)
            if ((parts->present & bit) && parts->part(bit) && !readItems(*bytes, parts->part(bit), version))
                return false;
        for (QTextDocument* part : {parts->header, parts->footer, parts->firstHeader, parts->firstFooter})
            if (part)
                Objects::loadLinks(part, imageFolder);
    }
    return true;
}

}  // namespace NativeFormat
