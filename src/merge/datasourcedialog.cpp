#include "datasourcedialog.h"

#include "components/commondialog/mousepointer.h"
#include "layout/dialogbuttons.h"
#include "texts/mergetexts.h"
#include "texts/programtexts.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

DataSourceDialog::DataSourceDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmdatasrc"));
    setWindowTitle(Texts::DataSourceTitle);
    auto* label = new QLabel(Texts::DataSourcePrompt, this);
    label->setObjectName(QStringLiteral("Label1"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->addItems(Texts::DataSourceEntries);
    m_list->setCurrentRow(0);
    const DialogButtons::Pair buttons =
        DialogButtons::make(this, Texts::Ok, "cmdOk", Texts::CancelWithKey, "cmdCancel");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list);
    layout->addLayout(buttons.row);
    connect(buttons.ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(buttons.cancel, &QPushButton::clicked, this, &QDialog::reject);
    MousePointer::set(MousePointer::Default);
}

int DataSourceDialog::listIndex() const
{
    return m_list->currentRow();
}

void DataSourceDialog::reject()
{
    m_list->setCurrentRow(-1);
    QDialog::reject();
}
