#include "headerfooter.h"

#include "components/textcontrol/document/fields.h"
#include "components/textcontrol/document/layoutunits.h"
#include "layoutdevice.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <cmath>

HeaderFooter::HeaderFooter(QObject* parent, const PageSource* page, QGraphicsScene* scene, const QFont& font,
                           const std::function<QGraphicsTextItem*()>& makeEditor)
    : QObject(parent), m_page(page)
{
    auto make = [&](QGraphicsTextItem*& item) {
        auto* document = new QTextDocument(this);
        document->setDocumentMargin(0);
        document->documentLayout()->setPaintDevice(LayoutDevice::get());
        document->setDefaultFont(font);
        item = makeEditor();
        item->setDocument(document);
        item->setVisible(false);
        scene->addItem(item);
        connect(document, &QTextDocument::contentsChanged, this, &HeaderFooter::changed);
        // A footer grows upwards from its place above the bottom edge.
        connect(document->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
                &HeaderFooter::updateGeometry);
        return document;
    };
    m_header = make(m_headerItem);
    m_footer = make(m_footerItem);
    updateGeometry();
}

QTextDocument* HeaderFooter::document(int part) const { return part == Footer ? m_footer : m_header; }
QGraphicsTextItem* HeaderFooter::item(int part) const { return part == Footer ? m_footerItem : m_headerItem; }

void HeaderFooter::setParts(int parts)
{
    m_parts = parts & (Header | Footer);
    if (m_editing && !(m_parts & m_editing))
        setEditing(0);
    emit changed();
    emit geometryChanged();
}

void HeaderFooter::setEditing(int part, int page)
{
    m_editing = (part == Header || part == Footer) && (m_parts & part) ? part : 0;
    m_editingPage = m_editing ? std::clamp(page, 1, std::max(1, m_page->laidOutPages())) : 1;
    m_headerItem->setVisible(m_editing == Header);
    m_footerItem->setVisible(m_editing == Footer);
    updateGeometry();
}

void HeaderFooter::setContent(int part, const QTextDocument* from)
{
    QTextDocument* target = document(part);
    const QSignalBlocker blocker(target);
    target->setUndoRedoEnabled(false);
    target->clear();
    QTextCursor cursor(target);
    cursor.insertFragment(QTextDocumentFragment(from));
    QTextCursor first(target);
    first.setBlockFormat(from->begin().blockFormat());
    target->setUndoRedoEnabled(true);
    updateGeometry();
}

QPointF HeaderFooter::position(int part) const
{
    using namespace LayoutUnits;
    const PageInfo page = m_page->pageInfo();
    const double x = fromTwips(page.marginL);
    if (part == Header)
        return {x, fromTwips(page.headerY)};
    const double height = m_footer->size().height();
    return {x, fromTwips(page.height - page.footerY) - height};
}

double HeaderFooter::topReach() const
{
    return (m_parts & Header) && !m_header->isEmpty() ? position(Header).y() + m_header->size().height() : 0.0;
}

double HeaderFooter::bottomReach() const
{
    if (!(m_parts & Footer) || m_footer->isEmpty())
        return 0.0;
    return LayoutUnits::fromTwips(m_page->pageInfo().height) - position(Footer).y();
}

QPointF HeaderFooter::pageOrigin(int page) const
{
    using namespace LayoutUnits;
    return {0, (page - 1) * (fromTwips(m_page->pageInfo().height) + PageGap)};
}

int HeaderFooter::partAt(QPointF scenePoint, int* page) const
{
    using namespace LayoutUnits;
    const PageInfo pageInfo = m_page->pageInfo();
    const double width = fromTwips(pageInfo.width);
    const double height = fromTwips(pageInfo.height);
    const int number = int(std::floor(scenePoint.y() / (height + PageGap))) + 1;
    const QPointF on = scenePoint - pageOrigin(number);
    if (number < 1 || number > std::max(1, m_page->laidOutPages()) || on.x() < 0 || on.x() > width
        || on.y() > height)
        return 0;
    if (page)
        *page = number;
    // A part taller than its margin reaches into the body's area; its own text stays its own.
    const double headerEnd = std::max(fromTwips(pageInfo.marginT), position(Header).y() + m_header->size().height());
    const double footerStart = std::min(height - fromTwips(pageInfo.marginB), position(Footer).y());
    if ((m_parts & Header) && on.y() < headerEnd)
        return Header;
    if ((m_parts & Footer) && on.y() > footerStart)
        return Footer;
    return 0;
}

QRectF HeaderFooter::editingFrame() const
{
    if (!m_editing)
        return {};
    const QGraphicsTextItem* item = this->item(m_editing);
    const double pad = 3;
    const double lineHeight = QFontMetricsF(document(m_editing)->defaultFont(), LayoutDevice::get()).height();
    QRectF frame(item->pos(), QSizeF(item->textWidth(), std::max(document(m_editing)->size().height(), lineHeight)));
    return frame.adjusted(-pad, -pad, pad, pad);
}

void HeaderFooter::updateGeometry()
{
    using namespace LayoutUnits;
    const PageInfo page = m_page->pageInfo();
    const double width = fromTwips(page.width - page.marginL - page.marginR);
    for (QGraphicsTextItem* item : {m_headerItem, m_footerItem})
        item->setTextWidth(std::max(10.0, width));
    const QPointF origin = pageOrigin(m_editingPage);
    m_headerItem->setPos(origin + position(Header));
    m_footerItem->setPos(origin + position(Footer));
    emit geometryChanged();
}

void HeaderFooter::paint(QPainter* painter, int page, int pages, QPointF origin, bool onScreen) const
{
    for (int part : {Header, Footer}) {
        if (!(m_parts & part))
            continue;
        if (onScreen && page == m_editingPage && m_editing == part)
            continue;  // its editor shows it
        paintPart(painter, part, page, pages, origin + position(part));
    }
}

std::unique_ptr<QTextDocument> HeaderFooter::pageCopy(int part, int page, int pages) const
{
    QTextDocument* source = document(part);
    QList<Fields::Span> numbers;
    for (const Fields::Span& span : Fields::spans(source)) {
        QTextCursor probe(source);
        probe.setPosition(span.start + 1);
        const int type = probe.charFormat().property(Fields::TypeProperty).toInt();
        if (type == Fields::PageNumber || type == Fields::PageCount)
            numbers << span;
    }
    if (numbers.isEmpty())
        return nullptr;
    std::unique_ptr<QTextDocument> copy(source->clone());
    copy->setDocumentMargin(0);
    copy->documentLayout()->setPaintDevice(LayoutDevice::get());
    copy->setTextWidth(source->textWidth());
    for (auto it = numbers.crbegin(); it != numbers.crend(); ++it) {
        QTextCursor c(copy.get());
        c.setPosition(it->start + 1);
        const QTextCharFormat format = c.charFormat();
        c.setPosition(it->start);
        c.setPosition(it->end, QTextCursor::KeepAnchor);
        const int type = format.property(Fields::TypeProperty).toInt();
        c.insertText(QString::number(type == Fields::PageNumber ? page : pages), format);
    }
    return copy;
}

QString HeaderFooter::textOnPage(int part, int page, int pages) const
{
    const std::unique_ptr<QTextDocument> copy = pageCopy(part, page, pages);
    return (copy ? copy.get() : document(part))->toPlainText().remove(QChar(0x200B));
}

// Page-number fields show the page drawn.
void HeaderFooter::paintPart(QPainter* painter, int part, int page, int pages, QPointF at) const
{
    const std::unique_ptr<QTextDocument> copy = pageCopy(part, page, pages);
    QTextDocument* shown = copy ? copy.get() : document(part);
    painter->save();
    painter->translate(at);
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    shown->documentLayout()->draw(painter, context);
    painter->restore();
}
