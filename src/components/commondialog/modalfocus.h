#pragma once
// Gives the keyboard focus back to where it was when a modal window (a dialog, a message box, a
// file dialog) closes. Left to itself the platform hands the activation to whichever window it
// likes, or to none, and what the user types next goes nowhere.
#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;

class ModalFocus : public QObject {
    Q_OBJECT
public:
    // Watches every modal window of the application from now on; once per application.
    static void install();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ModalFocus(QObject* parent);
    static void restore(QWidget* before);

    struct Opened {
        QPointer<QWidget> modal;
        QPointer<QWidget> before;  // the widget that had the focus when it opened
    };
    QList<Opened> m_opened;
};
