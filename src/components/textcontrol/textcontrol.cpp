#include "textcontrol.h"

#include "components/commondialog/commondialog.h"
#include "components/savefile.h"
#include "components/textcontrol/dialogs/findreplacedialog.h"
#include "components/textcontrol/dialogs/formatdialogs.h"
#include "components/textcontrol/dialogs/listdialog.h"
#include "components/textcontrol/document/controltexts.h"
#include "components/textcontrol/document/fields.h"
#include "components/textcontrol/document/layoutunits.h"
#include "components/textcontrol/document/listediting.h"
#include "components/textcontrol/document/objects.h"
#include "components/textcontrol/document/pageinfo.h"
#include "components/textcontrol/document/paragraphframes.h"
#include "components/textcontrol/document/tablegrid.h"
#include "components/textcontrol/document/undokinds.h"
#include "components/textcontrol/formats/clipboard.h"
#include "components/textcontrol/formats/formatregistry.h"
#include "components/textcontrol/formats/text/plaintext.h"
#include "components/textcontrol/layout/fontsubstitutes.h"
#include "components/textcontrol/layout/headerfooter.h"
#include "components/textcontrol/layout/layoutdevice.h"
#include "components/textcontrol/layout/pagelayout.h"
#include "components/textcontrol/layout/listmarkers.h"
#include "components/textcontrol/view/bodyitem.h"
#include "components/textcontrol/view/buttonbar.h"
#include "components/textcontrol/view/objecthandles.h"
#include "components/textcontrol/view/pageview.h"
#include "components/textcontrol/view/ruler.h"
#include "components/textcontrol/view/statusbar.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QPainter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextTable>
#include <QVBoxLayout>

namespace {
constexpr int DefaultMargin = 1440;
}

QPaintDevice* TextControl::layoutDevice() { return LayoutDevice::get(); }

namespace {

enum Side { Left, Top, Right, Bottom };

}  // namespace

TextControl::TextControl(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TextControl1"));
    FontSubstitutes::install();
    m_handles = std::make_unique<ObjectHandles>(this);
    m_body = new BodyItem(this);
    m_view = new PageView(this, m_body, this);
    auto* first = new QTextDocument(this);
    first->setDefaultFont(QFont(QStringLiteral("Times New Roman"), 10));
    attachDocument(first);
    // The header's and footer's editors are body items like the body's.
    m_parts = new HeaderFooter(this, this, m_view->scene(), document()->defaultFont(),
                               [this]() -> QGraphicsTextItem* { return new BodyItem(this); });
    connect(m_parts, &HeaderFooter::changed, this, [this] {
        m_view->viewport()->update();
        emitChanged();
    });
    connect(m_parts, &HeaderFooter::geometryChanged, this, &TextControl::keepBodyClear);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    setFocusProxy(m_view);
    m_body->setFocus();  // the scene gives the focus back to this item whenever the view gets it

    withoutUndo([this] {
        for (int side : {Left, Top, Right, Bottom})
            setRootMargin(side, DefaultMargin);
        applyPageGeometry();
    });

    // The items' inner editors report caret moves (the header's and footer's too, for the status
    // bar); the items themselves have no signal for them.
    QList<QGraphicsTextItem*> items{m_body};
    for (int part : HeaderFooter::Parts)
        items << m_parts->item(part);
    for (QGraphicsTextItem* item : items)
        for (QObject* inner : item->children())
            if (qstrcmp(inner->metaObject()->className(), "QWidgetTextControl") == 0) {
                connect(inner, SIGNAL(cursorPositionChanged()), this, SIGNAL(cursorMoved()));
                connect(inner, SIGNAL(selectionChanged()), this, SIGNAL(cursorMoved()));
            }
}

// Makes `document` the one this control shows and edits; the previous one is deleted. The
// page (and the margins in `frame`) are given to the document before the page view sees it,
// so that a long document is laid out once.
void TextControl::attachDocument(QTextDocument* document, const QTextFrameFormat* frame)
{
    QTextDocument* old = m_document;
    document->setParent(this);
    document->setDocumentMargin(0);
    ListLevels::prepare(document);
    if (frame)
        document->rootFrame()->setFrameFormat(*frame);
    document->setPageSize(pageSizeUnits());
    installPageLayout(document, layoutDevice(), true);
    if (m_parts)
        keepBodyClear();
    document->setUndoRedoEnabled(true);
    m_body->setDocument(document);
    m_document = document;
    m_undoKinds = new UndoKinds(document);
    connect(document, &QTextDocument::contentsChanged, this, &TextControl::emitChanged);
    connect(document, &QTextDocument::contentsChanged, this, &TextControl::cursorMoved);
    connect(document->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
            [this] {
                m_view->updatePages();
                const int pages = laidOutPages();
                if (pages != m_lastPages) {
                    m_lastPages = pages;
                    emit pagesChanged(pages);
                }
            });
    delete old;
}

// The view and its items call the control while they go: they go while it is still whole.
TextControl::~TextControl() { delete m_view; }

QTextDocument* TextControl::document() const { return m_document; }
// The item being edited: the body, or the header or footer when it is the editing target.
static BodyItem* activeItem(BodyItem* body, HeaderFooter* parts)
{
    return parts && parts->editing() ? static_cast<BodyItem*>(parts->item(parts->editing())) : body;
}

QTextCursor TextControl::textCursor() const { return activeItem(m_body, m_parts)->textCursor(); }

void TextControl::setTextCursor(const QTextCursor& cursor)
{
    BodyItem* item = activeItem(m_body, m_parts);
    item->setTextCursor(cursor);
    if (m_batchDepth > 0)
        return;
    if (item == m_body)
        m_body->ensureVisible(m_document->documentLayout()->blockBoundingRect(cursor.block()), 0, 0);
    emit cursorMoved();
}

void TextControl::setSpellingCheck(WordCheck check)
{
    m_spellingCheck = std::move(check);
    m_view->viewport()->update();
}

QTextCursor TextControl::wordAt(const QPoint& point) const
{
    const QPointF scenePoint = m_view->mapToScene(m_view->viewport()->mapFrom(this, point));
    const int position = m_document->documentLayout()->hitTest(scenePoint, Qt::FuzzyHit);
    if (position < 0)
        return {};
    QTextCursor cursor(m_document);
    cursor.setPosition(position);
    cursor.select(QTextCursor::WordUnderCursor);
    return cursor.hasSelection() ? cursor : QTextCursor();
}

void TextControl::beginBatch()
{
    if (m_batchDepth++ > 0)
        return;
    m_batch = QTextCursor(m_document);
    m_batch.beginEditBlock();
}

void TextControl::endBatch()
{
    if (m_batchDepth == 0 || --m_batchDepth > 0)
        return;
    m_batch.endEditBlock();
    m_batch = QTextCursor();
    setTextCursor(textCursor());
}

QTextDocument* TextControl::targetDocument() const { return activeItem(m_body, m_parts)->document(); }

int TextControl::headerFooter() const { return m_parts->parts(); }

void TextControl::setHeaderFooter(int parts)
{
    m_parts->setParts(parts);
    m_view->viewport()->update();
}

int TextControl::editingTarget() const { return m_parts->editing(); }

void TextControl::headerFooterSelect(int part)
{
    m_parts->setEditing(part);
    activeItem(m_body, m_parts)->setFocus();
    m_view->viewport()->update();
    emit cursorMoved();
}

BodyItem* TextControl::editingItem() const { return activeItem(m_body, m_parts); }

void TextControl::selectPartAt(QPointF scenePoint)
{
    int page = 1;
    const int part = m_parts->partAt(scenePoint, &page);
    if (part == m_parts->editing() && (part == 0 || page == m_parts->editingPage()))
        return;
    m_parts->setEditing(part, page);
    activeItem(m_body, m_parts)->setFocus();
    m_view->viewport()->update();
    emit cursorMoved();
}

void TextControl::placeCaretNear(QPointF scenePoint)
{
    BodyItem* item = activeItem(m_body, m_parts);
    QTextDocument* document = item->document();
    const QSizeF size = document->size();
    QPointF at = item->mapFromScene(scenePoint);
    at.setX(std::clamp(at.x(), 0.0, std::max(0.0, size.width() - 1)));
    at.setY(std::clamp(at.y(), 0.0, std::max(0.0, size.height() - 1)));
    int position = document->documentLayout()->hitTest(at, Qt::FuzzyHit);
    if (position < 0)
        position = at.y() > 0 ? document->characterCount() - 1 : 0;
    QTextCursor cursor(document);
    cursor.setPosition(std::clamp(position, 0, document->characterCount() - 1));
    item->setTextCursor(cursor);
    m_view->setFocus(Qt::MouseFocusReason);
    item->setFocus(Qt::MouseFocusReason);
    emit cursorMoved();
}

void TextControl::showPart(int part)
{
    if (!(headerFooter() & part))
        return;
    const QPointF at = m_parts->position(part);
    m_view->ensureVisible(QRectF(at, QSizeF(10, m_parts->document(part)->size().height() + 10)));
}

// ---- objects --------------------------------------------------------------------------

int TextControl::objectInsertAsChar(int, const QString& path, int position, int scaleX, int scaleY, int, int)
{
    QTextDocument* document = targetDocument();
    const std::optional<QTextImageFormat> loaded = Objects::load(document, path, scaleX, scaleY, &m_lastError);
    if (!loaded)
        return 0;
    const QTextImageFormat& format = *loaded;
    QTextCursor cursor = textCursor();
    if (position >= 0)
        cursor.setPosition(std::min(position, document->characterCount() - 1));
    cursor.clearSelection();
    m_undoKinds->setPending(UndoKinds::Input);
    cursor.insertImage(format);
    setTextCursor(cursor);
    return format.intProperty(Objects::IdProperty);
}

int TextControl::objectInsertFixed(int, const QString& path, int x, int y, int scaleX, int scaleY, int width,
                                   int height, int textflow, int, int distanceL, int distanceT, int distanceR,
                                   int distanceB)
{
    using LayoutUnits::fromTwips;
    QTextDocument* document = targetDocument();
    const std::optional<QTextImageFormat> loaded = Objects::load(document, path, scaleX, scaleY, &m_lastError);
    if (!loaded)
        return 0;
    QTextImageFormat image = *loaded;
    if (width > 0)
        image.setWidth(fromTwips(width));
    if (height > 0)
        image.setHeight(fromTwips(height));
    const QPointF at(fromTwips(x), fromTwips(y));
    int position = document->documentLayout()->hitTest(at, Qt::FuzzyHit);
    if (position < 0)
        position = textCursor().position();
    QTextCursor cursor(document);
    cursor.setPosition(document->findBlock(position).position());
    m_undoKinds->setPending(UndoKinds::Input);
    if (textflow == 0 || cursor.currentTable() || Objects::placedFrame(document, cursor.position())) {
        cursor.insertImage(image);  // in a table cell or another placed object it stands in the text
        cursor.setPosition(cursor.position() - 1, QTextCursor::KeepAnchor);
        setTextCursor(cursor);
        return image.intProperty(Objects::IdProperty);
    }
    const QMarginsF distances(fromTwips(distanceL), fromTwips(distanceT), fromTwips(distanceR), fromTwips(distanceB));
    Objects::place(cursor, image, at.x() > fromTwips(m_pageWidth) / 2, distances, textflow);
    setTextCursor(cursor);
    return image.intProperty(Objects::IdProperty);
}

int TextControl::objectCurrent() const
{
    const int position = Objects::selectedImage(textCursor());
    return position < 0 ? 0 : Objects::idAt(textCursor().document(), position);
}

int TextControl::objectTextflow() const
{
    const QTextCursor cursor = textCursor();
    const int position = Objects::selectedImage(cursor);
    const QTextFrame* frame = position < 0 ? nullptr : Objects::placedFrame(cursor.document(), position);
    return frame ? std::max(1, frame->frameFormat().intProperty(Objects::TextflowProperty)) : 0;
}

int TextControl::objectDistance(int index) const { return Objects::distance(textCursor(), index); }

void TextControl::setObjectDistance(int index, int twips)
{
    const QTextCursor cursor = textCursor();
    if (Objects::selectedImage(cursor) < 0 || index < 1 || index > 4)
        return;
    m_undoKinds->setPending(UndoKinds::Formatting);
    if (!Objects::setPlacedDistance(cursor, index, twips))
        setImageProperty(Objects::DistanceProperty + index - 1, twips);
}

int TextControl::imageDisplayMode() const
{
    return objectCurrent() ? textCursor().charFormat().intProperty(Objects::DisplayModeProperty) : 0;
}

int TextControl::imageSaveMode() const
{
    if (!objectCurrent())
        return 0;
    const QTextCharFormat format = textCursor().charFormat();
    return format.hasProperty(Objects::SaveModeProperty) ? format.intProperty(Objects::SaveModeProperty) : 1;
}

// Sets an attribute that the selected image keeps in its format; one undo step.
void TextControl::setImageProperty(int property, int value)
{
    if (!objectCurrent())
        return;
    QTextCharFormat format;
    format.setProperty(property, value);
    m_undoKinds->setPending(UndoKinds::Formatting);
    textCursor().mergeCharFormat(format);
}

void TextControl::setImageDisplayMode(int mode) { setImageProperty(Objects::DisplayModeProperty, mode ? 1 : 0); }
void TextControl::setImageSaveMode(int mode) { setImageProperty(Objects::SaveModeProperty, mode ? 1 : 0); }

void TextControl::setObjectSize(QSizeF size)
{
    const QTextCursor cursor = textCursor();
    if (Objects::selectedImage(cursor) < 0 || size.width() < 4 || size.height() < 4)
        return;
    m_undoKinds->setPending(UndoKinds::Formatting);
    Objects::resize(cursor, size);
}

QString TextControl::imageFilters() { return Objects::filters(); }

int TextControl::scrollPosY() const
{
    return LayoutUnits::toTwips(std::max(0.0, m_view->mapToScene(QPoint(0, 0)).y()));
}

QPoint TextControl::caretPos() const
{
    const QTextCursor cursor = textCursor();
    const QTextBlock block = cursor.block();
    const QRectF box = cursor.document()->documentLayout()->blockBoundingRect(block);
    QPointF at = box.topLeft();
    if (block.layout()) {
        const QTextLine line = block.layout()->lineForTextPosition(cursor.positionInBlock());
        if (line.isValid())
            at += QPointF(line.cursorToX(cursor.positionInBlock()), line.y());
    }
    const double top = std::max(0.0, m_view->mapToScene(QPoint(0, 0)).y());
    return QPoint(qRound(at.x()), qRound(at.y() - top));
}

// ---- fields ---------------------------------------------------------------------------

int TextControl::fieldInsert(const QString& text)
{
    QTextCursor cursor = textCursor();
    cursor.clearSelection();
    if (const int inside = Fields::inside(cursor.document(), cursor.position()))
        cursor.setPosition(Fields::find(cursor.document(), inside).end);  // never inside another
    m_nextFieldId = std::max(m_nextFieldId, Fields::highestId(m_document) + 1);
    const int id = m_nextFieldId++;
    QTextCharFormat format = Fields::withoutField(cursor.charFormat());
    format.setProperty(Fields::IdProperty, id);
    format.setProperty(Fields::DataProperty, QString());
    format.setProperty(Fields::TypeProperty, int(Fields::TextField));
    m_undoKinds->setPending(UndoKinds::Input);
    // An empty field still needs a character to exist: it holds a zero-width space.
    cursor.insertText(text.isEmpty() ? QString(QChar(0x200B)) : text, format);
    setTextCursor(cursor);
    return id;
}

int TextControl::fieldCurrent() const { return Fields::at(textCursor()); }

void TextControl::setFieldCurrent(int id)
{
    const Fields::Span span = Fields::find(targetDocument(), id);
    if (span.id == 0)
        return;
    QTextCursor cursor(targetDocument());
    cursor.setPosition(span.end);
    setTextCursor(cursor);
}

QString TextControl::fieldText() const
{
    const Fields::Span span = Fields::find(targetDocument(), fieldCurrent());
    QTextCursor c(targetDocument());
    c.setPosition(span.start);
    c.setPosition(span.end, QTextCursor::KeepAnchor);
    return span.id ? c.selectedText().remove(QChar(0x200B)) : QString();
}

void TextControl::setFieldText(const QString& text, bool closeGap)
{
    QTextDocument* document = targetDocument();
    const Fields::Span span = Fields::find(document, fieldCurrent());
    if (span.id == 0)
        return;
    m_undoKinds->setPending(UndoKinds::Input);
    QTextCursor caret(document);
    caret.setPosition(Fields::setText(document, span, text, closeGap));
    setTextCursor(caret);
}

namespace {
QTextCharFormat fieldFormat(QTextDocument* document, int id)
{
    const Fields::Span span = Fields::find(document, id);
    if (span.id == 0)
        return {};
    QTextCursor c(document);
    c.setPosition(span.start + 1);
    return c.charFormat();
}
}  // namespace

QString TextControl::fieldData(int id) const
{
    return fieldFormat(targetDocument(), id).property(Fields::DataProperty).toString();
}

void TextControl::mergeFieldFormat(int id, const QTextCharFormat& format)
{
    const Fields::Span span = Fields::find(targetDocument(), id);
    if (span.id == 0)
        return;
    QTextCursor c(targetDocument());
    c.setPosition(span.start);
    c.setPosition(span.end, QTextCursor::KeepAnchor);
    ++m_quiet;
    c.mergeCharFormat(format);
    --m_quiet;
}

void TextControl::setFieldData(int id, const QString& data)
{
    QTextCharFormat f;
    f.setProperty(Fields::DataProperty, data);
    mergeFieldFormat(id, f);
}

int TextControl::fieldType(int id) const
{
    return fieldFormat(targetDocument(), id).property(Fields::TypeProperty).toInt();
}

void TextControl::setFieldType(int id, int type)
{
    QTextCharFormat f;
    f.setProperty(Fields::TypeProperty, type);
    mergeFieldFormat(id, f);
    m_view->viewport()->update();
}

void TextControl::setFieldEditable(bool editable)
{
    QTextCharFormat f;
    f.setProperty(Fields::EditableProperty, editable);
    mergeFieldFormat(fieldCurrent(), f);
}

int TextControl::fieldNext(int id) const
{
    const QList<Fields::Span> spans = Fields::spans(targetDocument());
    if (id == 0)
        return spans.isEmpty() ? 0 : spans.first().id;
    for (int i = 0; i + 1 < spans.size(); ++i)
        if (spans.at(i).id == id)
            return spans.at(i + 1).id;
    return 0;
}

bool TextControl::fieldDelete(bool)
{
    const Fields::Span span = Fields::find(targetDocument(), fieldCurrent());
    if (span.id == 0)
        return false;
    QTextCursor c(targetDocument());
    c.setPosition(span.start);
    c.setPosition(span.end, QTextCursor::KeepAnchor);
    m_undoKinds->setPending(UndoKinds::Deletion);
    c.removeSelectedText();
    setTextCursor(c);
    return true;
}

template <typename Edit> void TextControl::withoutUndo(Edit edit)
{
    ++m_quiet;
    const bool undo = m_document->isUndoRedoEnabled();
    m_document->setUndoRedoEnabled(false);
    edit();
    m_document->setUndoRedoEnabled(undo);
    m_undoKinds->reset();
    m_transient.historyCleared();
    --m_quiet;
}

void TextControl::showTransient(const std::function<void()>& edit)
{
    ++m_quiet;
    m_transient.show(targetDocument(), edit);
    --m_quiet;
}

void TextControl::withdrawTransient(const std::function<void()>& restore)
{
    ++m_quiet;
    if (!m_transient.withdraw(restore))
        m_undoKinds->reset();
    --m_quiet;
}

void TextControl::emitChanged()
{
    if (m_quiet == 0)
        emit changed();
}

// ---- pages ----------------------------------------------------------------------------

int TextControl::pageMarginL() const
{
    return LayoutUnits::toTwips(m_document->rootFrame()->frameFormat().leftMargin());
}
int TextControl::pageMarginT() const
{
    return LayoutUnits::toTwips(m_document->rootFrame()->frameFormat().topMargin());
}
int TextControl::pageMarginR() const
{
    return LayoutUnits::toTwips(m_document->rootFrame()->frameFormat().rightMargin());
}
int TextControl::pageMarginB() const
{
    // The bottom margin of the layout includes the gap between pages.
    return LayoutUnits::toTwips(m_document->rootFrame()->frameFormat().bottomMargin()
                                - LayoutUnits::PageGap);
}

void TextControl::setRootMargin(int side, int twips)
{
    QTextFrameFormat format = m_document->rootFrame()->frameFormat();
    const double units = LayoutUnits::fromTwips(std::max(0, twips));
    switch (side) {
    case Left: format.setLeftMargin(units); break;
    case Top: format.setTopMargin(units); break;
    case Right: format.setRightMargin(units); break;
    case Bottom: format.setBottomMargin(units + LayoutUnits::PageGap); break;
    }
    if (format == m_document->rootFrame()->frameFormat())
        return;
    ++m_quiet;
    m_undoKinds->setPending(UndoKinds::Formatting);
    m_document->rootFrame()->setFrameFormat(format);
    --m_quiet;
    m_view->updatePages();
    if (m_parts)
        m_parts->updateGeometry();
}

void TextControl::setPageMarginL(int twips) { setRootMargin(Left, twips); }
void TextControl::setPageMarginT(int twips) { setRootMargin(Top, twips); }
void TextControl::setPageMarginR(int twips) { setRootMargin(Right, twips); }
void TextControl::setPageMarginB(int twips) { setRootMargin(Bottom, twips); }

void TextControl::setHeaderDistances(int header, int footer)
{
    m_headerDistance = header > 0 ? header : DefaultHeaderDistance;
    m_footerDistance = footer > 0 ? footer : DefaultHeaderDistance;
    if (m_parts)
        m_parts->updateGeometry();
}

// Each page change lays the whole document out again, so a value it already has changes nothing.
void TextControl::setPageWidth(int twips)
{
    if (std::max(1, twips) == m_pageWidth)
        return;
    m_pageWidth = std::max(1, twips);
    applyPageGeometry();
}

void TextControl::setPageHeight(int twips)
{
    if (std::max(1, twips) == m_pageHeight)
        return;
    m_pageHeight = std::max(1, twips);
    applyPageGeometry();
}

// The layout's page: the paper, with the gap to the next page below its bottom margin.
QSizeF TextControl::pageSizeUnits() const
{
    using namespace LayoutUnits;
    return QSizeF(fromTwips(m_pageWidth), fromTwips(m_pageHeight) + PageGap);
}

void TextControl::applyPageGeometry()
{
    ++m_quiet;
    m_body->setTextWidth(pageSizeUnits().width());  // resets the page height, so the page size comes after it
    m_document->setPageSize(pageSizeUnits());
    --m_quiet;
    updatePageBars();
}

void TextControl::updatePageBars()
{
    m_view->updatePages();
    if (m_parts)
        m_parts->updateGeometry();
    if (m_ruler)
        m_ruler->update();
}

// The body ends above a footer that reaches past the bottom margin and starts below a header
// that reaches past the top margin, as Word lays them out.
void TextControl::keepBodyClear()
{
    if (auto* layout = qobject_cast<PageLayout*>(m_document->documentLayout()))
        layout->setClearBands({m_parts->topReach(false), m_parts->bottomReach(false) + LayoutUnits::PageGap,
                               m_parts->topReach(true), m_parts->bottomReach(true) + LayoutUnits::PageGap});
}

int TextControl::currentPages() const
{
    if (auto* layout = qobject_cast<PageLayout*>(m_document->documentLayout()))
        layout->layOutAll();
    return laidOutPages();
}

int TextControl::laidOutPages() const { return std::max(1, m_document->pageCount()); }

void TextControl::setZoomFactor(int percent)
{
    m_zoom = percent;
    m_view->setZoom(percent);
    emit zoomChanged(percent);
}

// ---- selection ------------------------------------------------------------------------

namespace {
int lastPosition(const QTextDocument* document) { return document->characterCount() - 1; }
}

int TextControl::selStart() const { return textCursor().selectionStart(); }

void TextControl::setSelStart(int start)
{
    QTextCursor cursor = textCursor();
    cursor.setPosition(std::clamp(start, 0, lastPosition(m_document)));
    setTextCursor(cursor);
}

int TextControl::selLength() const
{
    const QTextCursor cursor = textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void TextControl::setSelLength(int length)
{
    const int start = selStart();
    const int end = length < 0 ? lastPosition(m_document)
                               : std::min(start + length, lastPosition(m_document));
    QTextCursor cursor = textCursor();
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

QString TextControl::selText() const
{
    return PlainText::normaliseLineEnds(textCursor().selectedText());
}

// Text of the same length replaces the selection character by character, so that every
// character keeps its own formatting; other text takes the format of the selection's start.
void TextControl::setSelText(const QString& text)
{
    QTextCursor cursor = textCursor();
    const QString replacement = PlainText::normaliseLineEnds(text);
    m_undoKinds->setPending(UndoKinds::Input);
    cursor.beginEditBlock();
    const int start = cursor.selectionStart();
    if (cursor.hasSelection() && selText().size() == replacement.size()) {
        const QString old = selText();
        QTextCursor piece(cursor.document());
        for (int i = 0; i < replacement.size(); ++i) {
            if (old.at(i) == replacement.at(i) || old.at(i) == QLatin1Char('\n'))
                continue;
            piece.setPosition(start + i);
            piece.setPosition(start + i + 1, QTextCursor::KeepAnchor);
            const QTextCharFormat format = piece.charFormat();
            piece.insertText(replacement.at(i), format);
        }
        cursor.setPosition(start);
        cursor.setPosition(start + replacement.size(), QTextCursor::KeepAnchor);
    } else if (cursor.hasSelection()) {
        QTextCursor first(cursor.document());
        first.setPosition(start + 1);  // the format of the first selected character
        cursor.insertText(replacement, first.charFormat());
    } else {
        // Text put beside a field is not part of it.
        QTextCharFormat format = cursor.charFormat();
        if (!Fields::inside(cursor.document(), cursor.position()))
            format = Fields::withoutField(format);
        cursor.insertText(replacement, format);
    }
    cursor.endEditBlock();
    setTextCursor(cursor);
}

void TextControl::clip(int operation)
{
    QTextCursor cursor = textCursor();
    switch (operation) {
    case ClipCut:
    case ClipCopy:
        if (!cursor.hasSelection())
            return;
        {
            QTextDocument selection;
            QTextCursor(&selection).insertFragment(cursor.selection());
            QApplication::clipboard()->setMimeData(Clipboard::mimeData(&selection));
        }
        if (operation == ClipCut) {
            m_undoKinds->setPending(UndoKinds::Deletion);
            cursor.removeSelectedText();
        }
        break;
    case ClipPaste: {
        const QMimeData* mime = QApplication::clipboard()->mimeData();
        if (!mime)
            return;
        m_undoKinds->setPending(UndoKinds::Input);
        QTextDocument own;
        if (Clipboard::readNative(mime, &own)) {
            // Pasted fields are new fields: they get identifiers of their own.
            m_nextFieldId = std::max(m_nextFieldId, Fields::highestId(targetDocument()) + 1);
            m_nextFieldId = Fields::renumber(&own, 0, own.characterCount(), m_nextFieldId);
            const int start = cursor.selectionStart();
            cursor.beginEditBlock();
            cursor.insertFragment(QTextDocumentFragment(&own));
            ListEditing::joinRuns(cursor.document(), start, cursor.position());
            cursor.endEditBlock();
        } else if (mime->hasHtml())
            cursor.insertFragment(QTextDocumentFragment::fromHtml(mime->html(), m_document));
        else if (mime->hasText())
            cursor.insertText(PlainText::normaliseLineEnds(mime->text()));
        break;
    }
    case ClipDelete:
        if (!cursor.hasSelection())
            return;
        m_undoKinds->setPending(UndoKinds::Deletion);
        cursor.removeSelectedText();
        break;
    default: return;
    }
    setTextCursor(cursor);
}

// ---- undo -----------------------------------------------------------------------------

int TextControl::undoKind() const
{
    return m_transient.blocksUndo(m_document) ? UndoKinds::None : m_undoKinds->undoKind();
}
int TextControl::redoKind() const { return m_undoKinds->redoKind(); }

void TextControl::undo()
{
    if (m_transient.blocksUndo(m_document))
        return;
    QTextCursor cursor = textCursor();
    m_document->undo(&cursor);
    setTextCursor(cursor);
}

void TextControl::redo()
{
    QTextCursor cursor = textCursor();
    m_document->redo(&cursor);
    setTextCursor(cursor);
}

// ---- formatting -----------------------------------------------------------------------

void TextControl::setInsertionMode(bool inserting)
{
    m_insertionMode = inserting;
    emit insertionModeChanged(inserting);
}

QString TextControl::fontName() const { return textCursor().charFormat().font().family(); }

int TextControl::fontSize() const { return qRound(textCursor().charFormat().font().pointSizeF()); }

// The font of a new document: the default of the document and of the text already there.
void TextControl::setFontName(const QString& family)
{
    QFont font = m_document->defaultFont();
    font.setFamily(family);
    m_document->setDefaultFont(font);
    QTextCharFormat format;
    format.setFontFamilies({family});
    mergeCharFormat(format);
}

void TextControl::setFontSize(int points)
{
    if (points <= 0)
        return;
    QFont font = m_document->defaultFont();
    font.setPointSize(points);
    m_document->setDefaultFont(font);
    QTextCharFormat format;
    format.setFontPointSize(points);
    mergeCharFormat(format);
}

void TextControl::mergeCharFormat(const QTextCharFormat& format)
{
    // The part being edited (body, header or footer) takes the format, and keeps its own caret.
    QTextCursor cursor = textCursor();
    m_undoKinds->setPending(UndoKinds::Formatting);
    if (!cursor.hasSelection() && cursor.document()->isEmpty()) {
        // An empty document: its one paragraph mark carries the format of what is typed.
        QTextCursor all(cursor.document());
        all.mergeBlockCharFormat(format);
    }
    cursor.mergeCharFormat(format);  // without a selection: the format typing will use
    setTextCursor(cursor);
    emit cursorMoved();
}

void TextControl::setAlignment(Qt::Alignment alignment)
{
    QTextBlockFormat format;
    format.setAlignment(alignment);
    mergeBlockFormat(format);
}

void TextControl::mergeBlockFormat(const QTextBlockFormat& format)
{
    QTextCursor cursor = textCursor();
    m_undoKinds->setPending(UndoKinds::Formatting);
    cursor.mergeBlockFormat(format);
    emit cursorMoved();
}

int TextControl::frameStyle() const { return ParagraphFrames::selectionStyle(textCursor()); }
int TextControl::frameLineWidth() const { return ParagraphFrames::selectionLineWidth(textCursor()); }
int TextControl::frameDistance() const { return ParagraphFrames::selectionDistance(textCursor()); }

void TextControl::setFrameStyle(int flags)
{
    m_undoKinds->setPending(UndoKinds::Formatting);
    ParagraphFrames::setSelectionStyle(textCursor(), flags);
}

void TextControl::setFrameLineWidth(int twips)
{
    m_undoKinds->setPending(UndoKinds::Formatting);
    ParagraphFrames::setSelectionLineWidth(textCursor(), twips);
}

void TextControl::setFrameDistance(int twips)
{
    m_undoKinds->setPending(UndoKinds::Formatting);
    ParagraphFrames::setSelectionDistance(textCursor(), twips);
}

int TextControl::toBgr(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

QColor TextControl::fromBgr(int bgr) { return QColor(bgr & 0xff, (bgr >> 8) & 0xff, (bgr >> 16) & 0xff); }

namespace {

// The one colour of a property over the selection (or at the caret), or -1 when they differ.
int selectionColour(const QTextCursor& cursor, int property, int unset)
{
    auto colourOf = [&](const QTextCharFormat& f) {
        const QBrush brush = f.brushProperty(property);
        return f.hasProperty(property) && brush.style() != Qt::NoBrush ? TextControl::toBgr(brush.color()) : unset;
    };
    if (!cursor.hasSelection())
        return colourOf(cursor.charFormat());
    int found = -2;
    const int start = cursor.selectionStart(), end = cursor.selectionEnd();
    for (QTextBlock b = cursor.document()->findBlock(start); b.isValid() && b.position() < end; b = b.next())
        for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (f.position() + f.length() <= start || f.position() >= end)
                continue;
            const int c = colourOf(f.charFormat());
            if (found == -2)
                found = c;
            else if (found != c)
                return -1;
        }
    return found == -2 ? unset : found;
}

}  // namespace

int TextControl::foreColor() const { return selectionColour(textCursor(), QTextFormat::ForegroundBrush, 0); }

void TextControl::setForeColor(int bgr)
{
    QTextCharFormat f;
    f.setForeground(fromBgr(bgr));
    mergeCharFormat(f);
}

int TextControl::textBkColor() const
{
    return selectionColour(textCursor(), QTextFormat::BackgroundBrush, 0xFFFFFF);
}

void TextControl::setTextBkColor(int bgr)
{
    QTextCharFormat f;
    f.setBackground(fromBgr(bgr));
    mergeCharFormat(f);
}

bool TextControl::tableCanInsert() const { return textCursor().currentTable() == nullptr; }

void TextControl::tableInsert(int rows, int columns)
{
    if (rows < 1 || columns < 1 || !tableCanInsert())
        return;
    QTextTableFormat format;
    TableGrid::setBorderTwips(format, TableGrid::DefaultBorder);
    format.setCellSpacing(0);
    format.setCellPadding(LayoutUnits::fromTwips(108));
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    QList<QTextLength> widths;
    for (int c = 0; c < columns; ++c)
        widths << QTextLength(QTextLength::PercentageLength, 100.0 / columns);
    format.setColumnWidthConstraints(widths);
    QTextCursor cursor = textCursor();
    cursor.clearSelection();
    m_undoKinds->setPending(UndoKinds::Input);
    QTextTable* table = cursor.insertTable(rows, columns, format);
    setTextCursor(table->cellAt(0, 0).firstCursorPosition());
}

void TextControl::tableInsertLines(int where, int count)
{
    QTextTable* table = textCursor().currentTable();
    if (!table || count < 1)
        return;
    const int row = table->cellAt(textCursor()).row();
    m_undoKinds->setPending(UndoKinds::Input);
    table->insertRows(where == 2 ? row + 1 : row, count);
}

void TextControl::tableDeleteLines()
{
    const QTextCursor cursor = textCursor();
    QTextTable* table = cursor.currentTable();
    if (!table)
        return;
    int first = table->cellAt(cursor.selectionStart()).row();
    int last = table->cellAt(cursor.selectionEnd()).row();
    if (first < 0 || last < 0)
        first = last = table->cellAt(cursor).row();
    m_undoKinds->setPending(UndoKinds::Deletion);
    if (first == 0 && last == table->rows() - 1) {
        // Every row goes: the table goes with them.
        QTextCursor whole(cursor.document());
        whole.setPosition(table->firstPosition() - 1);
        whole.setPosition(table->lastPosition() + 1, QTextCursor::KeepAnchor);
        whole.removeSelectedText();
        setTextCursor(whole);
        return;
    }
    table->removeRows(first, last - first + 1);
}

bool TextControl::tableCanInsertLines() const { return textCursor().currentTable() != nullptr; }
bool TextControl::tableCanDeleteLines() const { return textCursor().currentTable() != nullptr; }
bool TextControl::tableCanChangeAttr() const { return textCursor().currentTable() != nullptr; }

void TextControl::setTableGridLines(bool on)
{
    m_tableGridLines = on;
    m_view->viewport()->update();
}

void TextControl::setMousePointer(int pointer)
{
    m_mousePointer = pointer;
    if (pointer == PointerHourglass)
        m_view->viewport()->setCursor(Qt::WaitCursor);
    else
        m_view->viewport()->unsetCursor();
}

void TextControl::findReplace(int mode)
{
    if (!m_findDialog)
        m_findDialog = new FindReplaceDialog(this);
    m_findDialog->showMode(mode == 2 ? FindReplaceDialog::Replace : FindReplaceDialog::Find);
}

int TextControl::fontDialog()
{
    FontDialog dialog(textCursor().charFormat(), window());
    if (CommonDialog::provider().exec(&dialog) != QDialog::Accepted)
        return 0;
    mergeCharFormat(dialog.format());
    return 1;
}

int TextControl::paragraphDialog()
{
    ParagraphDialog dialog(textCursor().blockFormat(), window());
    if (CommonDialog::provider().exec(&dialog) != QDialog::Accepted)
        return 0;
    QTextCursor cursor = textCursor();
    m_undoKinds->setPending(UndoKinds::Formatting);
    cursor.mergeBlockFormat(dialog.format());
    emit cursorMoved();
    return 1;
}

int TextControl::listStyle() const { return ListEditing::currentStyle(textCursor()); }

void TextControl::setListStyle(int style)
{
    m_undoKinds->setPending(UndoKinds::Formatting);
    if (style >= 0 && style < ListLevels::StyleCount)
        ListEditing::apply(textCursor(), ListLevels::Style(style));
    else
        ListEditing::remove(textCursor());
    emit cursorMoved();
}

void TextControl::toggleList(bool numbered)
{
    m_undoKinds->setPending(UndoKinds::Formatting);
    ListEditing::toggle(textCursor(), numbered ? ListLevels::Kind::Number : ListLevels::Kind::Bullet);
    emit cursorMoved();
}

bool TextControl::changeListLevel(int delta)
{
    m_undoKinds->setPending(UndoKinds::Formatting);
    const bool changed = ListEditing::changeLevel(textCursor(), delta);
    emit cursorMoved();
    return changed;
}

int TextControl::listDialog()
{
    const ListLevels::Item item = ListLevels::item(textCursor().block());
    ListDialog dialog(item.inList ? item.style : ListLevels::Disc, item.start,
                      item.inList ? item.leftTwips : ListLevels::defaultLeftTwips(0), item.inList, window());
    if (CommonDialog::provider().exec(&dialog) != QDialog::Accepted)
        return 0;
    m_undoKinds->setPending(UndoKinds::Formatting);
    if (dialog.style() < 0)
        ListEditing::remove(textCursor());
    else
        ListEditing::applyLevel(textCursor(), ListLevels::Style(dialog.style()), dialog.start(), dialog.leftTwips());
    emit cursorMoved();
    return 1;
}

int TextControl::tableAttrDialog()
{
    QTextCursor cursor = textCursor();
    QTextTable* table = cursor.currentTable();
    if (!table)
        return 0;
    // The selected cells, or the caret's.
    const QTextTableCell caret = table->cellAt(cursor);
    int firstRow = caret.row(), rows = 1, firstColumn = caret.column(), columns = 1;
    if (cursor.hasComplexSelection())
        cursor.selectedTableCells(&firstRow, &rows, &firstColumn, &columns);
    const QBrush background = caret.format().background();
    TableAttributesDialog dialog(table->format(), caret.column(),
                                 background.style() == Qt::NoBrush ? QColor() : background.color(), window());
    if (CommonDialog::provider().exec(&dialog) != QDialog::Accepted)
        return 0;
    m_undoKinds->setPending(UndoKinds::Formatting);
    cursor.beginEditBlock();
    table->setFormat(dialog.format());
    for (int r = firstRow; r < firstRow + rows; ++r)
        for (int c = firstColumn; c < firstColumn + columns; ++c) {
            QTextTableCell cell = table->cellAt(r, c);
            QTextCharFormat format = cell.format();
            if (dialog.shading().isValid())
                format.setBackground(dialog.shading());
            else
                format.clearBackground();
            cell.setFormat(format);
        }
    cursor.endEditBlock();
    return 1;
}

void TextControl::insertPageBreak()
{
    QTextCursor cursor = textCursor();
    m_undoKinds->setPending(UndoKinds::Input);
    cursor.beginEditBlock();
    cursor.insertBlock();
    QTextBlockFormat format = cursor.blockFormat();
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    cursor.setBlockFormat(format);
    cursor.endEditBlock();
    setTextCursor(cursor);
}

// ---- files ----------------------------------------------------------------------------

namespace {

bool readFile(const QString& path, qint64 offset, QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || (offset > 0 && !file.seek(offset)))
        return false;
    bytes = file.readAll();
    return file.error() == QFile::NoError;
}

}  // namespace

// Reads `bytes` of `format` into `target`, a fresh document; false when the format is unknown
// or the data are not a document of that format.
bool TextControl::decode(const QByteArray& bytes, int format, QTextDocument* target,
                         PageInfo& page, DocumentParts* parts) const
{
    const FormatRegistry::Format* reader = FormatRegistry::find(format);
    if (!reader)
        return false;
    target->setDefaultFont(m_document->defaultFont());
    ListLevels::prepare(target);
    const bool read = reader->read(bytes, target, page, parts, {m_viewImagePath});
    if (read)
        ListLevels::normalize(target);
    return read;
}

QByteArray TextControl::encode(const QTextDocument* source, int format, const PageInfo& page,
                               const DocumentParts* parts) const
{
    const FormatRegistry::Format* writer = FormatRegistry::find(format);
    return writer ? writer->write(source, page, parts, {m_viewImagePath}) : QByteArray();
}

QByteArray TextControl::nativeForm() const
{
    const DocumentParts parts = documentParts();
    return encode(m_document, FormatNative, pageInfo(), &parts);
}

PageInfo TextControl::pageInfo() const
{
    return {m_pageWidth, m_pageHeight, pageMarginL(), pageMarginT(), pageMarginR(), pageMarginB(),
            m_headerDistance, m_footerDistance};
}

DocumentParts TextControl::documentParts() const
{
    return {m_parts->document(HeaderFooter::Header), m_parts->document(HeaderFooter::Footer), headerFooter(),
            m_parts->document(HeaderFooter::FirstHeader), m_parts->document(HeaderFooter::FirstFooter)};
}

bool TextControl::fileFailed(FileFailure failure, const QString& message)
{
    m_lastFileFailure = failure;
    m_lastError = message;
    return false;
}

bool TextControl::load(const QString& path, qint64 offset, int format, bool selectionOnly)
{
    m_lastError.clear();
    m_lastFileFailure = FileFailure::None;
    if (!isKnownFormat(format))
        return fileFailed(FileFailure::UnknownFormat, ControlTexts::unsupportedFormat(format));
    QByteArray bytes;
    if (!readFile(path, offset, bytes))
        return fileFailed(FileFailure::Unreadable, ControlTexts::cannotReadFile(path));
    PageInfo page;
    if (selectionOnly) {
        QTextDocument incoming;
        incoming.setUndoRedoEnabled(false);
        if (!decode(bytes, format, &incoming, page))
            return fileFailed(FileFailure::NotADocument, ControlTexts::notADocument(path));
        insertDocument(incoming);
        return true;
    }
    // A whole document is read into a fresh one, which nothing lays out or records for undo
    // while it is built, and which then takes the old one's place.
    auto* incoming = new QTextDocument(this);
    incoming->setUndoRedoEnabled(false);
    QTextDocument header, footer, firstHeader, firstFooter;
    DocumentParts parts{&header, &footer, 0, &firstHeader, &firstFooter};
    if (!decode(bytes, format, incoming, page, &parts)) {
        delete incoming;
        return fileFailed(FileFailure::NotADocument, ControlTexts::notADocument(path));
    }
    ++m_quiet;
    adoptDocument(incoming);
    for (int part : HeaderFooter::Parts)
        m_parts->setContent(part, parts.part(part));
    m_parts->setParts(parts.present);
    setHeaderDistances(page.headerY, page.footerY);
    --m_quiet;
    const int values[6] = {page.width, page.height, page.marginL, page.marginT, page.marginR, page.marginB};
    for (int i = 0; i < 6; ++i)
        m_loadSaveAttributes.insert(i, values[i]);
    if (FormatRegistry::find(format)->keepsPage)
        applyPage(page);  // the control's own format keeps its page with it
    // The load's change notification comes once the caller has finished setting up.
    QMetaObject::invokeMethod(this, &TextControl::emitChanged, Qt::QueuedConnection);
    return true;
}

bool TextControl::save(const QString& path, qint64 offset, int format, bool selectionOnly)
{
    m_lastError.clear();
    m_lastFileFailure = FileFailure::None;
    if (!isKnownFormat(format))
        return fileFailed(FileFailure::UnknownFormat, ControlTexts::unsupportedFormat(format));
    PageInfo page = pageInfo();
    if (FormatRegistry::find(format)->takesPageValues) {
        // The page values given for the save, where the caller set them.
        int* fields[6] = {&page.width, &page.height, &page.marginL, &page.marginT, &page.marginR, &page.marginB};
        for (int i = 0; i < 6; ++i)
            if (m_loadSaveAttributes.value(i) > 0)
                *fields[i] = m_loadSaveAttributes.value(i);
    }
    QByteArray bytes;
    if (selectionOnly) {
        QTextDocument selection;
        QTextCursor(&selection).insertFragment(textCursor().selection());
        bytes = encode(&selection, format, page);
    } else {
        const DocumentParts parts = documentParts();
        bytes = encode(m_document, format, page, &parts);
    }
    QByteArray head;
    if (offset > 0) {  // keep the header the caller wrote in front of the document
        QFile old(path);
        if (old.open(QIODevice::ReadOnly))
            head = old.read(offset);
        head.resize(offset, '\0');
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(head) != head.size()
        || file.write(bytes) != bytes.size() || !SaveFile::commit(file)) {
        // Qt reports a full disk (ENOSPC) as a resource error.
        return fileFailed(file.error() == QFileDevice::ResourceError ? FileFailure::DiskFull : FileFailure::Unwritable,
                          ControlTexts::cannotWriteFile(path));
    }
    return true;
}

bool TextControl::isKnownFormat(int format)
{
    return FormatRegistry::find(format) != nullptr;
}

bool TextControl::RTFImport(const QString& path) { return load(path, 0, FormatRtf, true); }
bool TextControl::TextImport(const QString& path) { return load(path, 0, FormatText, true); }

QByteArray TextControl::selectionRTF() const
{
    QTextDocument selection;
    selection.setDefaultFont(m_document->defaultFont());
    ListLevels::prepare(&selection);
    QTextCursor(&selection).insertFragment(textCursor().selection());
    return encode(&selection, FormatRtf, pageInfo());
}

void TextControl::insertDocument(const QTextDocument& incoming)
{
    QTextCursor cursor = textCursor();
    m_undoKinds->setPending(UndoKinds::Input);
    cursor.insertFragment(QTextDocumentFragment(&incoming));
    setTextCursor(cursor);
}

void TextControl::applyPage(const PageInfo& page)
{
    if (page.width > 0)
        setPageWidth(page.width);
    if (page.height > 0)
        setPageHeight(page.height);
    if (page.marginL > 0)
        setRootMargin(0, page.marginL);
    if (page.marginT > 0)
        setRootMargin(1, page.marginT);
    if (page.marginR > 0)
        setRootMargin(2, page.marginR);
    if (page.marginB > 0)
        setRootMargin(3, page.marginB);
    clearUndo();
}

void TextControl::applyLoadSaveAttributes()
{
    const PageInfo page{m_loadSaveAttributes.value(0), m_loadSaveAttributes.value(1),
                        m_loadSaveAttributes.value(2), m_loadSaveAttributes.value(3),
                        m_loadSaveAttributes.value(4), m_loadSaveAttributes.value(5)};
    applyPage(page);
}

void TextControl::clearUndo()
{
    withoutUndo([] {});
}

// A document built apart takes the old one's place: same page margins, nothing to undo,
// the caret at its start.
void TextControl::adoptDocument(QTextDocument* incoming)
{
    const QTextFrameFormat frame = m_document->rootFrame()->frameFormat();
    incoming->setUndoRedoEnabled(false);  // the margins are no step to undo
    attachDocument(incoming, &frame);
    updatePageBars();
    m_body->setTextCursor(QTextCursor(m_document));
}

void TextControl::setPlainText(const QString& text)
{
    // Built apart and then put in place, so that nothing is laid out while the text goes in.
    auto* incoming = new QTextDocument(this);
    incoming->setUndoRedoEnabled(false);
    incoming->setDefaultFont(m_document->defaultFont());
    incoming->setPlainText(text);
    ++m_quiet;
    adoptDocument(incoming);
    --m_quiet;
    emitChanged();  // one notification for the whole text
}

QString TextControl::plainText() const { return m_document->toPlainText(); }

// ---- bars -----------------------------------------------------------------------------

void TextControl::setRulerHandle(Ruler* ruler)
{
    m_ruler = ruler;
    if (ruler)
        ruler->setTextControl(this);
}

Ruler* TextControl::ruler() const { return m_ruler.data(); }

void TextControl::setButtonBarHandle(ButtonBar* bar) { m_buttonBar = bar; }
void TextControl::setStatusBarHandle(StatusBar* bar) { m_statusBar = bar; }

void TextControl::bindBars()
{
    if (m_buttonBar)
        m_buttonBar->setTextControl(this);
    if (m_statusBar)
        m_statusBar->setTextControl(this);
}

void TextControl::notifyFocus(BodyItem* item)
{
    // A click into the header or footer makes it the editing target.
    if (item != m_body)
        for (int part : HeaderFooter::Parts)
            if (item == m_parts->item(part) && m_parts->editing() != part)
                m_parts->setEditing(part);
    bindBars();
    emit focusReceived(this);
}

void TextControl::notifyKey(int keyCode, int shift) { emit keyDown(keyCode, shift); }

void TextControl::follow(QObject* receiver, int changes, const std::function<void()>& refresh)
{
    if (changes & CaretMoved)
        connect(this, &TextControl::cursorMoved, receiver, refresh);
    if (changes & PagesChanged)
        connect(this, &TextControl::pagesChanged, receiver, refresh);
    if (changes & ZoomChanged)
        connect(this, &TextControl::zoomChanged, receiver, refresh);
    if (changes & ModeChanged)
        connect(this, &TextControl::insertionModeChanged, receiver, refresh);
}

void TextControl::notifyMouse(int buttons, int shift, QPoint at)
{
    emit mouseDown(buttons, shift, at.x(), at.y());
}

// ---- rendering ------------------------------------------------------------------------

void TextControl::paintPage(QPainter* painter, int page) const
{
    using namespace LayoutUnits;
    const double width = fromTwips(m_pageWidth);
    const double height = fromTwips(m_pageHeight);
    const double top = (page - 1) * (height + PageGap);
    painter->save();
    painter->setClipRect(QRectF(0, 0, width, height), Qt::IntersectClip);
    painter->translate(0, -top);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0, top, width, height);
    context.palette.setColor(QPalette::Text, Qt::black);
    m_document->documentLayout()->draw(painter, context);
    ParagraphFrames::draw(painter, context.clip, m_document);
    ListMarkers::draw(painter, context.clip, m_document);
    painter->restore();
    paintPageDecorations(painter, page, QPointF(0, 0), false);
}

void TextControl::paintPageDecorations(QPainter* painter, int page, QPointF origin, bool onScreen) const
{
    if (m_parts)
        m_parts->paint(painter, page, laidOutPages(), origin, onScreen);
}
