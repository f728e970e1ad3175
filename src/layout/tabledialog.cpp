#include "tabledialog.h"

#include "dialogbuttons.h"
#include "dialogcommand.h"

#include "components/commondialog/commondialog.h"
#include "components/textcontrol/textcontrol.h"
#include "hosts/documenthost.h"
#include "hosts/editorwindow.h"
#include "layoutstate.h"
#include "texts/programtexts.h"

#include <QComboBox>
#include <QFormLayout>
#include <QPushButton>

TableDialog::TableDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmTableDlg"));
    setWindowTitle(Texts::TableDialogTitle);
    auto* form = new QFormLayout(this);
    auto list = [this](const char* name, int last) {
        auto* box = new QComboBox(this);
        box->setObjectName(QLatin1String(name));
        for (int n = 1; n <= last; ++n)
            box->addItem(QString::number(n));
        box->setCurrentIndex(1);
        return box;
    };
    m_rows = list("cboRows", 100);
    m_columns = list("cboColumns", 12);
    form->addRow(Texts::TableRows, m_rows);
    form->addRow(Texts::TableColumns, m_columns);
    const auto [buttons, ok, cancel] =
        DialogButtons::make(this, Texts::Ok, "btnOK", Texts::Cancel, "btnCancel");
    form->addRow(buttons);
    connect(ok, &QPushButton::clicked, this, [this] {
        insertTable();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TableDialog::insertTable()
{
    const int rows = m_rows->currentText().toInt();
    const int columns = m_columns->currentText().toInt();
    if (rows > 0 && columns > 0 && LayoutState::ActiveTextControl)
        LayoutState::ActiveTextControl->tableInsert(rows, columns);
}

namespace TableCommands {

void showInsertTable(QWidget* parent) { DialogCommand::run<TableDialog>(parent); }

}  // namespace TableCommands
