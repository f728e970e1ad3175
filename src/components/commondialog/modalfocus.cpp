#include "modalfocus.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

ModalFocus::ModalFocus(QObject* parent) : QObject(parent) {}

void ModalFocus::install()
{
    if (qApp->findChild<ModalFocus*>(QString(), Qt::FindDirectChildrenOnly))
        return;
    qApp->installEventFilter(new ModalFocus(qApp));
}

bool ModalFocus::eventFilter(QObject* watched, QEvent* event)
{
    if ((event->type() != QEvent::Show && event->type() != QEvent::Hide) || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (!widget->isWindow() || !widget->isModal())
        return false;
    m_opened.removeIf([](const Opened& o) { return !o.modal; });
    const auto it = std::find_if(m_opened.begin(), m_opened.end(), [&](const Opened& o) { return o.modal == widget; });
    if (event->type() == QEvent::Show) {
        if (it == m_opened.end()) {
            QWidget* before = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
            m_opened.append(Opened{widget, before});
        }
    } else if (it != m_opened.end()) {
        const QPointer<QWidget> before = it->before;
        m_opened.erase(it);
        // After the code that opened the window has finished with what it was asked.
        QTimer::singleShot(0, this, [before] { restore(before); });
    }
    return false;
}

void ModalFocus::restore(QWidget* before)
{
    if (!before || !before->isVisible() || QApplication::activeModalWidget())
        return;
    QWidget* window = before->window();
    QWidget* active = QApplication::activeWindow();
    if (active && active != window && active->isVisible())
        return;  // a window that came up after the dialog keeps the focus it took
    if (!window->isActiveWindow())
        window->activateWindow();
    QWidget* focus = window->focusWidget();
    if (!focus || !focus->isVisible())
        before->setFocus(Qt::ActiveWindowFocusReason);
}
