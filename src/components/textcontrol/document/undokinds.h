#pragma once
// Remembers what each step of a document's undo stack did (typing, deleting or formatting),
// which QTextDocument itself does not record.
#include <QObject>
#include <QVector>

class QTextDocument;

class UndoKinds : public QObject {
    Q_OBJECT
public:
    enum Kind { None = 0, Input = 1, Deletion = 2, Formatting = 3 };
    static constexpr int RedoOffset = 9;  // redo kinds are 10, 11, 12

    explicit UndoKinds(QTextDocument* document);

    // The kind the next recorded step gets; set by whoever starts an edit.
    void setPending(Kind kind) { m_pending = kind; }
    Kind pending() const { return m_pending; }

    int undoKind() const;
    int redoKind() const;
    void reset();

private:
    void commandAdded();

    QTextDocument* m_document;
    QVector<Kind> m_kinds;  // m_kinds[i] is undo step i, oldest first
    Kind m_pending = Input;
};
