#pragma once
// A push button that latches down when clicked and reports its new value; the program
// releases it again by setting the value back, as the tool bars of the program expect.
#include <QToolButton>

class LatchButton : public QToolButton {
    Q_OBJECT
public:
    explicit LatchButton(QWidget* parent = nullptr);
    bool value() const { return isChecked(); }
    void setValue(bool down) { setChecked(down); }

signals:
    // Emitted on every click with the value the click gave the button.
    void valueClicked(bool value);
};
