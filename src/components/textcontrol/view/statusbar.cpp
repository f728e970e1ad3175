#include "statusbar.h"

#include "components/textcontrol/document/controltexts.h"
#include "components/textcontrol/layout/headerfooter.h"
#include "components/textcontrol/document/layoutunits.h"
#include "viewhost.h"

#include <QAbstractTextDocumentLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <set>

namespace {

// The caret's line counted as the page shows it: the distinct lines from the top of the page to
// the caret, wrapped lines included; the cells of a table row share their lines.
int lineOnPage(QAbstractTextDocumentLayout* layout, QTextBlock block, double caretY, double pageTop)
{
    std::set<int> tops;  // whole layout units: lines of one row sit at the same height
    for (; block.isValid(); block = block.previous()) {
        const QRectF rect = layout->blockBoundingRect(block);
        if (rect.bottom() <= pageTop)
            break;
        const QTextLayout* lines = block.layout();
        for (int i = 0; lines && i < lines->lineCount(); ++i) {
            const double top = rect.top() + lines->lineAt(i).y();
            if (top >= pageTop - 0.5 && top < caretY - 0.5)
                tops.insert(qRound(top));
        }
    }
    return int(tops.size()) + 1;
}

}  // namespace

StatusBar::StatusBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("StatusBar1"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 1, 6, 1);
    auto label = [&](const char* name, int width) {
        auto* l = new QLabel(this);
        l->setObjectName(QLatin1String(name));
        l->setFrameShape(QFrame::StyledPanel);
        l->setFrameShadow(QFrame::Sunken);
        l->setMinimumWidth(width);
        layout->addWidget(l);
        return l;
    };
    m_page = label("lblPage", 110);
    m_line = label("lblLine", 70);
    m_column = label("lblColumn", 70);
    layout->addStretch(1);
    m_mode = label("lblMode", 40);
    m_zoom = label("lblZoom", 50);
    setFixedHeight(25);  // 375 twips
}

void StatusBar::setTextControl(ViewHost* control)
{
    if (m_control == control)
        return;
    if (m_control)
        disconnect(m_control.widget(), nullptr, this, nullptr);
    m_control = control;
    if (control) {
        control->follow(this, ViewHost::CaretMoved | ViewHost::PagesChanged | ViewHost::ZoomChanged | ViewHost::ModeChanged,
                        [this] { refresh(); });
    }
    refresh();
}

QString StatusBar::text() const
{
    return QStringList{m_page->text(), m_line->text(), m_column->text(), m_mode->text(),
                       m_zoom->text()}
        .join(QLatin1Char(' '));
}

void StatusBar::refresh()
{
    if (!m_control) {
        for (QLabel* l : {m_page, m_line, m_column, m_zoom, m_mode})
            l->clear();
        return;
    }
    const QTextCursor cursor = m_control->textCursor();
    const QTextBlock block = cursor.block();
    // The caret's own document: the body, or the header or footer being edited on one page.
    QAbstractTextDocumentLayout* layout = cursor.document()->documentLayout();
    double y = layout->blockBoundingRect(block).top();
    if (QTextLayout* lines = block.layout(); lines && lines->lineCount() > 0) {
        const QTextLine line = lines->lineForTextPosition(cursor.positionInBlock());
        if (line.isValid())
            y += line.y();
    }
    int page = 1;
    double pageTop = 0;  // a header or footer counts its lines from its own first
    if (cursor.document() == m_control->document()) {
        const double pitch = LayoutUnits::fromTwips(m_control->pageHeight()) + LayoutUnits::PageGap;
        page = std::clamp(int(y / pitch) + 1, 1, m_control->laidOutPages());
        pageTop = (page - 1) * pitch;
    } else if (const HeaderFooter* parts = m_control->headerFooterParts()) {
        page = parts->editingPage();
    }
    m_page->setText(ControlTexts::statusPage(page, m_control->laidOutPages()));
    m_line->setText(ControlTexts::statusLine(lineOnPage(layout, block, y, pageTop)));
    m_column->setText(ControlTexts::statusColumn(cursor.positionInBlock() + 1));
    m_zoom->setText(ControlTexts::statusZoom(m_control->zoomFactor()));
    m_mode->setText(ControlTexts::statusInsert(m_control->insertionMode()));
}
