#pragma once
// The control's own find and replace dialog: non-modal, works on the part of its control being
// edited (the body, or the header or footer).
#include <QDialog>
#include <QTextCursor>
#include <QTextDocument>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class ViewHost;

class FindReplaceDialog : public QDialog {
    Q_OBJECT
public:
    enum Mode { Find, Replace };
    explicit FindReplaceDialog(ViewHost* control);

    void showMode(Mode mode);
    // The commands behind the buttons, usable without showing the dialog.
    bool findNext();
    bool replaceOne();
    int replaceAll();

private:
    QTextDocument::FindFlags flags() const;
    QTextCursor nextMatch(const QTextCursor& from) const;

    ViewHost* m_control;
    QLineEdit* m_findText;
    QLineEdit* m_replaceText;
    QLabel* m_replaceLabel;
    QCheckBox* m_matchCase;
    QCheckBox* m_wholeWord;
    QPushButton* m_replaceButton;
    QPushButton* m_replaceAllButton;
    QLabel* m_status;
};
