#include "latchbutton.h"

LatchButton::LatchButton(QWidget* parent) : QToolButton(parent)
{
    setCheckable(true);
    setAutoRaise(true);
    connect(this, &QToolButton::clicked, this, [this](bool checked) { emit valueClicked(checked); });
}
