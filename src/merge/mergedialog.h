#pragma once
// "Merge": which records of the window's table a merge to a new document takes, all of them
// or those whose column compares with a value. It leaves the statement in
// MergeState::mergesql once the database confirmed that records meet it.
#include <QDialog>

class EditorWindow;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class MergeDialog : public QDialog {
    Q_OBJECT
public:
    explicit MergeDialog(EditorWindow* window);
    // The statement Ok builds from the dialog's current choices.
    QString statement() const;
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void optionClicked(int index);
    void ok();

    QRadioButton* m_options[2];
    QComboBox* m_fields;
    QComboBox* m_compare;
    QLineEdit* m_value;
    QPushButton* m_ok;
    QString m_table;  // the Tag of cbofield
};
