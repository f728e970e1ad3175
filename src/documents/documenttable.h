#pragma once
// The table of document windows: slots numbered from 1, reused after their window closed,
// with each slot's state. A window's tag is its slot number as text.
#include <QPointer>
#include <QVector>

class DocumentWindow;

struct DocumentState {
    bool Deleted = false;  // the slot is free
    bool Dirty = false;    // changed since created, loaded or saved
    bool IgnoreNextChange = false;  // the next change notification is the load's own
};

class DocumentTable {
public:
    static DocumentTable& shared();

    // Start-up: one slot, index 1.
    void reset();
    int upperBound() const { return int(m_states.size()) - 1; }

    int FindFreeDocumentSlot();
    bool AnyDocumentOpen() const;

    DocumentState& state(int slot) { return m_states[slot]; }
    // The record of the slot named by a window tag; nullptr for a tag that names none.
    DocumentState* stateForTag(const QString& tag);
    DocumentWindow* window(int slot) const { return m_windows.value(slot); }
    void setWindow(int slot, DocumentWindow* window) { m_windows[slot] = window; }
    // The windows in use, in slot order.
    QList<DocumentWindow*> openWindows() const;

private:
    QVector<QPointer<DocumentWindow>> m_windows{nullptr, nullptr};  // index 0 unused
    QVector<DocumentState> m_states{DocumentState{}, DocumentState{}};
};
