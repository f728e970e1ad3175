#include "findreplacedialog.h"

#include "components/textcontrol/document/fields.h"

#include "components/textcontrol/document/controltexts.h"
#include "components/textcontrol/view/viewhost.h"
#include "components/textcontrol/document/undokinds.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>

FindReplaceDialog::FindReplaceDialog(ViewHost* control)
    : QDialog(control->widget()->window()), m_control(control)
{
    setObjectName(QStringLiteral("dlgFindReplace"));
    setModal(false);
    auto* grid = new QGridLayout(this);
    m_findText = new QLineEdit(this);
    m_findText->setObjectName(QStringLiteral("txtFind"));
    m_replaceText = new QLineEdit(this);
    m_replaceText->setObjectName(QStringLiteral("txtReplace"));
    auto* findLabel = new QLabel(ControlTexts::findWhat(), this);
    findLabel->setBuddy(m_findText);
    m_replaceLabel = new QLabel(ControlTexts::replaceWith(), this);
    m_replaceLabel->setBuddy(m_replaceText);
    m_matchCase = new QCheckBox(ControlTexts::matchCase(), this);
    m_matchCase->setObjectName(QStringLiteral("chkMatchCase"));
    m_wholeWord = new QCheckBox(ControlTexts::wholeWord(), this);
    m_wholeWord->setObjectName(QStringLiteral("chkWholeWord"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lblStatus"));

    auto* findButton = new QPushButton(ControlTexts::findNext(), this);
    findButton->setObjectName(QStringLiteral("cmdFindNext"));
    findButton->setDefault(true);
    m_replaceButton = new QPushButton(ControlTexts::replace(), this);
    m_replaceButton->setObjectName(QStringLiteral("cmdReplace"));
    m_replaceAllButton = new QPushButton(ControlTexts::replaceAll(), this);
    m_replaceAllButton->setObjectName(QStringLiteral("cmdReplaceAll"));
    auto* closeButton = new QPushButton(ControlTexts::close(), this);
    closeButton->setObjectName(QStringLiteral("cmdClose"));

    grid->addWidget(findLabel, 0, 0);
    grid->addWidget(m_findText, 0, 1);
    grid->addWidget(findButton, 0, 2);
    grid->addWidget(m_replaceLabel, 1, 0);
    grid->addWidget(m_replaceText, 1, 1);
    grid->addWidget(m_replaceButton, 1, 2);
    grid->addWidget(m_matchCase, 2, 0, 1, 2);
    grid->addWidget(m_replaceAllButton, 2, 2);
    grid->addWidget(m_wholeWord, 3, 0, 1, 2);
    grid->addWidget(closeButton, 3, 2);
    grid->addWidget(m_status, 4, 0, 1, 3);

    connect(findButton, &QPushButton::clicked, this, &FindReplaceDialog::findNext);
    connect(m_replaceButton, &QPushButton::clicked, this, &FindReplaceDialog::replaceOne);
    connect(m_replaceAllButton, &QPushButton::clicked, this, &FindReplaceDialog::replaceAll);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
}

void FindReplaceDialog::showMode(Mode mode)
{
    const bool replacing = mode == Replace;
    setWindowTitle(replacing ? ControlTexts::replaceTitle() : ControlTexts::findTitle());
    for (QWidget* w : {static_cast<QWidget*>(m_replaceText), static_cast<QWidget*>(m_replaceLabel),
                       static_cast<QWidget*>(m_replaceButton),
                       static_cast<QWidget*>(m_replaceAllButton)})
        w->setVisible(replacing);
    const QString selected = m_control->selText();
    if (!selected.isEmpty() && !selected.contains(QLatin1Char('\n')))
        m_findText->setText(selected);
    m_status->clear();
    show();
    raise();
    activateWindow();
    m_findText->setFocus();
    m_findText->selectAll();
}

QTextDocument::FindFlags FindReplaceDialog::flags() const
{
    QTextDocument::FindFlags result;
    if (m_matchCase->isChecked())
        result |= QTextDocument::FindCaseSensitively;
    if (m_wholeWord->isChecked())
        result |= QTextDocument::FindWholeWords;
    return result;
}

// The next match from `from` on in the part being edited, passing over the shown text of fields
// the user may not edit (a merge field's "[table.column]" or a record's value).
QTextCursor FindReplaceDialog::nextMatch(const QTextCursor& from) const
{
    QTextCursor found = from.document()->find(m_findText->text(), from, flags());
    while (!found.isNull() && Fields::lockedAt(found.document(), found.selectionStart()))
        found = found.document()->find(m_findText->text(), found, flags());
    return found;
}

// Searches from the caret to the end, then once more from the start.
bool FindReplaceDialog::findNext()
{
    const QString what = m_findText->text();
    if (what.isEmpty())
        return false;
    const QTextCursor caret = m_control->textCursor();
    QTextCursor found = nextMatch(caret);
    if (found.isNull())
        found = nextMatch(QTextCursor(caret.document()));
    if (found.isNull()) {
        m_status->setText(ControlTexts::notFound(what));
        return false;
    }
    m_status->clear();
    m_control->setTextCursor(found);
    return true;
}

bool FindReplaceDialog::replaceOne()
{
    const QString what = m_findText->text();
    QTextCursor cursor = m_control->textCursor();
    const Qt::CaseSensitivity cs =
        m_matchCase->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (cursor.hasSelection() && cursor.selectedText().compare(what, cs) == 0
        && !Fields::lockedAt(cursor.document(), cursor.selectionStart())) {
        m_control->undoKinds()->setPending(UndoKinds::Input);
        cursor.insertText(m_replaceText->text());
        m_control->setTextCursor(cursor);
    }
    return findNext();
}

int FindReplaceDialog::replaceAll()
{
    const QString what = m_findText->text();
    if (what.isEmpty())
        return 0;
    QTextCursor edit(m_control->textCursor().document());
    int count = 0;
    m_control->undoKinds()->setPending(UndoKinds::Input);
    edit.beginEditBlock();
    for (QTextCursor found = nextMatch(QTextCursor(edit.document())); !found.isNull(); found = nextMatch(found)) {
        found.insertText(m_replaceText->text());
        ++count;
    }
    edit.endEditBlock();
    m_status->setText(ControlTexts::replacedCount(count));
    return count;
}
