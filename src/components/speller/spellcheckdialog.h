#pragma once
// The spelling dialog: the unknown word in its paragraph, suggestions and the answers Change,
// Change All, Ignore, Ignore All, Add to Dictionary and Close. It walks the whole session and
// closes itself (accepted) at the end; Close rejects.
#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class SpellCheckSession;

class SpellCheckDialog : public QDialog {
    Q_OBJECT
public:
    SpellCheckDialog(SpellCheckSession& session, QWidget* parent = nullptr);
    // Shows the session's current word.
    void showWord();

private:
    void answered();

    SpellCheckSession& m_session;
    QLabel* m_context;
    QLineEdit* m_changeTo;
    QListWidget* m_suggestions;
};
