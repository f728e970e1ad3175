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
#include <algorithm>
#include <cmath>

HeaderFooter::HeaderFooter(QObject* parent, const PageSource* page, QGraphicsScene* scene, const QFont& font,
                           const std::function<QGraphicsTextItem*()>& makeEditor)
    : QObject(parent), m_page(page)
{
    for (int i = 0; i < 4; ++i) {
        auto* document = new QTextDocument(this);
        document->setDocumentMargin(0);
        document->documentLayout()->setPaintDevice(LayoutDevice::get());
        document->setDefaultFont(font);
        m_items[i] = makeEditor();
        m_items[i]->setDocument(document);
        m_items[i]->setVisible(false);
        scene->addItem(m_items[i]);
        connect(document, &QTextDocument::contentsChanged, this, &HeaderFooter::changed);
        // A footer grows upwards from its place above the bottom edge.
        connect(document->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
                &HeaderFooter::updateGeometry);
        m_documents[i] = document;
    }
    updateGeometry();
}

int HeaderFooter::slot(int part)
{
    switch (part) {
    case FirstHeader: return 1;
    case Footer: return 2;
    case FirstFooter: return 3;
    default: return 0;
    }
}

QTextDocument* HeaderFooter::document(int part) const { return m_documents[slot(part)]; }
QGraphicsTextItem* HeaderFooter::item(int part) const { return m_items[slot(part)]; }

void HeaderFooter::setParts(int parts)
{
    m_parts = parts & AllParts;
    if (m_editing && !(m_parts & m_editing))
        setEditing(0);
    emit changed();
    emit geometryChanged();
}

int HeaderFooter::shownOn(int page, bool header) const
{
    const int first = header ? FirstHeader : FirstFooter;
    const int every = header ? Header : Footer;
    if (page == 1 && (m_parts & first))
        return first;
    return m_parts & every ? every : 0;
}

void HeaderFooter::setEditing(int part, int page)
{
    m_editing = std::find(std::begin(Parts), std::end(Parts), part) != std::end(Parts) && (m_parts & part) ? part : 0;
    if (m_editing && page <= 0) {
        // The first page that shows the part: page 1 shows the first page's own where it has one.
        page = m_editing == FirstHeader || m_editing == FirstFooter || shownOn(1, isHeader(m_editing)) == m_editing ? 1 : 2;
    }
    m_editingPage = m_editing ? std::clamp(page, 1, std::max(1, m_page->laidOutPages())) : 1;
    for (int part : Parts)
        item(part)->setVisible(m_editing == part);
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

double HeaderFooter::height(int part) const { return document(part)->size().height(); }

QPointF HeaderFooter::position(int part) const
{
    using namespace LayoutUnits;
    const PageInfo page = m_page->pageInfo();
    const double x = fromTwips(page.marginL);
    if (isHeader(part))
        return {x, fromTwips(page.headerY)};
    return {x, fromTwips(page.height - page.footerY) - height(part)};
}

double HeaderFooter::topReach(bool first) const
{
    const int part = shownOn(first ? 1 : 2, true);
    return part && !document(part)->isEmpty() ? position(part).y() + height(part) : 0.0;
}

double HeaderFooter::bottomReach(bool first) const
{
    const int part = shownOn(first ? 1 : 2, false);
    if (!part || document(part)->isEmpty())
        return 0.0;
    return LayoutUnits::fromTwips(m_page->pageInfo().height) - position(part).y();
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
    const int header = shownOn(number, true), footer = shownOn(number, false);
    if (header && on.y() < std::max(fromTwips(pageInfo.marginT), position(header).y() + this->height(header)))
        return header;
    if (footer && on.y() > std::min(height - fromTwips(pageInfo.marginB), position(footer).y()))
        return footer;
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
    const QPointF origin = pageOrigin(m_editingPage);
    for (int part : Parts) {
        item(part)->setTextWidth(std::max(10.0, width));
        item(part)->setPos(origin + position(part));
    }
    emit geometryChanged();
}

void HeaderFooter::paint(QPainter* painter, int page, int pages, QPointF origin, bool onScreen) const
{
    for (bool header : {true, false}) {
        const int part = shownOn(page, header);
        if (!part || (onScreen && page == m_editingPage && m_editing == part))
            continue;  // none, or its editor shows it
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
    part = shownOn(page, isHeader(part));
    if (!part)
        return {};
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
