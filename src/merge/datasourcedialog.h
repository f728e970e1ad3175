#pragma once
// "Select Data Source": which practice table a document merges with. The caller reads the
// list position after the dialog closed (-1 when it was cancelled).
#include <QDialog>

class QListWidget;

class DataSourceDialog : public QDialog {
    Q_OBJECT
public:
    explicit DataSourceDialog(QWidget* parent = nullptr);
    int listIndex() const;
    // Cancel, Escape and the window's close button all clear the choice.
    void reject() override;

private:
    QListWidget* m_list;
};
