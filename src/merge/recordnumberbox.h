#pragma once
// The record number on the merge tool bar. It shows the number of the record the letter
// shows; in merged view the user can type another number and press Enter to go there. Escape,
// leaving the box, or a number the receiver refuses puts the shown number back, so the box
// never disagrees with the letter for longer than the typing takes.
#include <QLineEdit>

class RecordNumberBox : public QLineEdit {
    Q_OBJECT
public:
    explicit RecordNumberBox(QWidget* parent);

    // The number of the record shown, as digits (what the box shows when nobody types).
    QString shown() const { return m_shown; }
    void setShown(const QString& digits);
    // Drops what was typed and shows the shown number again.
    void restore();
    // Merged view lets the user type; field view only shows the number.
    void setTypingAllowed(bool allowed);

signals:
    // Enter with a whole number typed; the receiver goes there or calls restore().
    void numberEntered(int number);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void enterPressed();

    QString m_shown;
};
