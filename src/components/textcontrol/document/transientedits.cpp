#include "transientedits.h"

#include <QTextCursor>

bool TransientEdits::blocksUndo(const QTextDocument* document) const
{
    return shown() && m_document == document && document->availableUndoSteps() <= m_floor;
}

void TransientEdits::takeBack(QTextDocument* document)
{
    document->undo();
    document->clearUndoRedoStacks(QTextDocument::RedoStack);
}

void TransientEdits::show(QTextDocument* document, const std::function<void()>& edit)
{
    if (m_document && m_document != document) {
        m_mixed = true;
    } else if (m_document) {
        const int steps = document->availableUndoSteps();
        if (steps == m_floor && m_step)
            takeBack(document);
        else if (steps != m_floor)
            m_mixed = true;
    }
    m_document = document;
    const int before = document->availableUndoSteps();
    QTextCursor block(document);
    block.beginEditBlock();
    edit();
    block.endEditBlock();
    m_floor = document->availableUndoSteps();
    m_step = m_floor > before;
}

bool TransientEdits::withdraw(const std::function<void()>& restore)
{
    QTextDocument* document = m_document;
    if (!document)
        return true;
    const bool exact = !m_mixed && document->availableUndoSteps() == m_floor;
    if (exact) {
        if (m_step)
            takeBack(document);
    } else {
        const bool undo = document->isUndoRedoEnabled();
        document->setUndoRedoEnabled(false);  // also forgets the history
        restore();
        document->setUndoRedoEnabled(undo);
    }
    m_document = nullptr;
    m_floor = 0;
    m_step = false;
    m_mixed = false;
    return exact;
}
