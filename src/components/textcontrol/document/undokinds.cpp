#include "undokinds.h"

#include <QTextDocument>

UndoKinds::UndoKinds(QTextDocument* document) : QObject(document), m_document(document)
{
    connect(document, &QTextDocument::undoCommandAdded, this, &UndoKinds::commandAdded);
}

void UndoKinds::commandAdded()
{
    const int steps = m_document->availableUndoSteps();
    m_kinds.resize(steps);  // a new step drops whatever could have been redone
    if (steps > 0)
        m_kinds[steps - 1] = m_pending;
}

int UndoKinds::undoKind() const
{
    const int steps = m_document->availableUndoSteps();
    return steps > 0 && steps <= m_kinds.size() ? m_kinds.at(steps - 1) : None;
}

int UndoKinds::redoKind() const
{
    // availableRedoSteps() reports 0 in Qt 6.4 even with redo steps waiting; ask this instead.
    if (!m_document->isRedoAvailable())
        return None;
    const int next = m_document->availableUndoSteps();
    return next < m_kinds.size() ? m_kinds.at(next) + RedoOffset : None;
}

void UndoKinds::reset()
{
    m_kinds.clear();
    m_pending = Input;
}
