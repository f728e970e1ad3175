#pragma once
// Program edits that show something for a while and are taken back later (a record's values
// in the merge fields). They are no step the user can undo or redo: undo stops where the
// latest one ends, and taking them back restores the document exactly when nothing was typed
// after them. When something was, the caller's restore puts the text right and the undo
// history is forgotten, because its steps would no longer fit the text.
#include <QPointer>
#include <QTextDocument>
#include <functional>

class TransientEdits {
public:
    bool shown() const { return !m_document.isNull(); }
    // Whether undo on `document` would reach into the shown edit.
    bool blocksUndo(const QTextDocument* document) const;
    // Runs `edit` as one step in place of the edit shown before (which is undone first when
    // nothing was typed after it).
    void show(QTextDocument* document, const std::function<void()>& edit);
    // Takes the shown edit back; nothing when none is shown. False when `restore` had to do it
    // and the undo history is gone.
    bool withdraw(const std::function<void()>& restore);
    // The undo history was cleared under the shown edit: only `restore` can take it back.
    void historyCleared() { m_mixed = shown(); }

private:
    // Undoes the shown step and drops it from the redo stack, so that redo never brings it back.
    static void takeBack(QTextDocument* document);

    QPointer<QTextDocument> m_document;
    int m_floor = 0;       // undo steps up to and including the shown edit
    bool m_step = false;   // the shown edit changed the text, so it is the step at m_floor
    bool m_mixed = false;  // other steps lie under or between shown edits
};
