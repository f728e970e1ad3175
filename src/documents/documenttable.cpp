#include "documenttable.h"

#include "documentwindow.h"

DocumentTable& DocumentTable::shared()
{
    static DocumentTable table;
    return table;
}

void DocumentTable::reset()
{
    m_windows = {nullptr, nullptr};
    m_states = {DocumentState{}, DocumentState{}};
}

int DocumentTable::FindFreeDocumentSlot()
{
    for (int i = 1; i <= upperBound(); ++i) {
        if (m_states[i].Deleted) {
            m_states[i] = DocumentState{};
            return i;
        }
    }
    m_states.append(DocumentState{});
    m_windows.append(nullptr);
    return upperBound();
}

bool DocumentTable::AnyDocumentOpen() const
{
    for (int i = 1; i <= upperBound(); ++i)
        if (!m_states[i].Deleted)
            return true;
    return false;
}

DocumentState* DocumentTable::stateForTag(const QString& tag)
{
    bool ok = false;
    const int slot = tag.toInt(&ok);
    if (!ok || slot < 1 || slot > upperBound())
        return nullptr;
    return &m_states[slot];
}

QList<DocumentWindow*> DocumentTable::openWindows() const
{
    QList<DocumentWindow*> result;
    for (int i = 1; i <= upperBound(); ++i)
        if (!m_states[i].Deleted && m_windows[i])
            result << m_windows[i].data();
    return result;
}
