#pragma once
// "Find Record": finds, in the active document window's record source, the first and then
// each further record whose chosen column begins with a text (case ignored), and shows it
// merged. It does not block the program's windows and stays above them; a search that finds
// nothing says so in the dialog and leaves the window on the record it shows. It closes with the
// window it was opened for.
#include <QDialog>
#include <optional>

class EditorWindow;
class QComboBox;
class QLabel;
class Recordset;
class QLineEdit;
class QPushButton;
class WindowMerge;

class FindRecordDialog : public QDialog {
    Q_OBJECT
public:
    // Opens the dialog for the field list of `window` (or raises the one that is open).
    static FindRecordDialog* showFor(EditorWindow* window);
    static FindRecordDialog* current();

    void findFirst();
    void findNext();
    QString criterion() const;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    explicit FindRecordDialog(EditorWindow* window);
    void textChanged(const QString& text);
    // The active window's merge when it shows merged data; otherwise says so and gives none.
    WindowMerge* mergedWindow();
    // Shows the record the search stopped at in the active window.
    void showFound();
    void notFound(Recordset& records, int shown);

    QComboBox* m_fields;
    QLineEdit* m_text;
    QPushButton* m_first;
    QPushButton* m_next;
    QLabel* m_status;
    std::optional<int> m_lastmark;
};
