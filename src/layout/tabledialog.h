#pragma once
// The Insert Table dialog: rows 1 to 100 and columns 1 to 12, a 2 x 2 table by default.
#include <QDialog>

class QComboBox;

class TableDialog : public QDialog {
    Q_OBJECT
public:
    explicit TableDialog(QWidget* parent = nullptr);
    // Inserts the chosen table into the active text control (the Ok button).
    void insertTable();

private:
    QComboBox* m_rows;
    QComboBox* m_columns;
};

namespace TableCommands {
void showInsertTable(QWidget* parent);
}
