#pragma once
// The Ok and Cancel buttons of the program's small dialogs, right-aligned, Ok the default.
#include <QHBoxLayout>
#include <QPushButton>

namespace DialogButtons {

struct Pair {
    QHBoxLayout* row;
    QPushButton* ok;
    QPushButton* cancel;
};

inline Pair make(QWidget* dialog, const QString& okText, const char* okName, const QString& cancelText,
                 const char* cancelName)
{
    auto* ok = new QPushButton(okText, dialog);
    ok->setObjectName(QLatin1String(okName));
    ok->setDefault(true);
    auto* cancel = new QPushButton(cancelText, dialog);
    cancel->setObjectName(QLatin1String(cancelName));
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(ok);
    row->addWidget(cancel);
    return {row, ok, cancel};
}

}  // namespace DialogButtons
