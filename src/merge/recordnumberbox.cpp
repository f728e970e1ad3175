#include "recordnumberbox.h"

#include <QKeyEvent>

RecordNumberBox::RecordNumberBox(QWidget* parent) : QLineEdit(parent)
{
    setAlignment(Qt::AlignCenter);
    setMaxLength(9);
    connect(this, &QLineEdit::returnPressed, this, &RecordNumberBox::enterPressed);
    setTypingAllowed(false);
}

void RecordNumberBox::setShown(const QString& digits)
{
    m_shown = digits;
    setText(digits);
}

void RecordNumberBox::restore() { setText(m_shown); }

void RecordNumberBox::setTypingAllowed(bool allowed)
{
    setReadOnly(!allowed);
    setFocusPolicy(allowed ? Qt::StrongFocus : Qt::NoFocus);
    if (!allowed)
        restore();
}

void RecordNumberBox::enterPressed()
{
    bool number = false;
    const int typed = text().trimmed().toInt(&number);
    if (!number || isReadOnly()) {
        restore();
        return;
    }
    emit numberEntered(typed);
}

void RecordNumberBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        restore();
        selectAll();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void RecordNumberBox::focusOutEvent(QFocusEvent* event)
{
    restore();
    QLineEdit::focusOutEvent(event);
}
