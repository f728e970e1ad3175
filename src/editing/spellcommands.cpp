#include "spellcommands.h"

#include "components/speller/speller.h"
#include "components/textcontrol/view/pageview.h"
#include "components/textcontrol/textcontrol.h"
#include "hosts/documenthost.h"
#include "hosts/editorwindow.h"
#include "texts/programtexts.h"

#include <QAction>
#include <QMenu>

namespace SpellCommands {

void SpellCheck(EditorWindow* window)
{
    Speller* speller = window->host()->speller();
    TextControl* control = window->textControl();
    speller->setProperty(26, QVariant::fromValue(control));
    speller->setProperty(4, 1);
    control->setFocus();
}

void setSpellingAsYouType(EditorWindow* window, bool on)
{
    Speller* speller = window->host()->speller();
    window->textControl()->setSpellingCheck(
        on ? TextControl::WordCheck([speller](const QString& word) { return speller->engine().check(word); })
           : TextControl::WordCheck());
    window->action(QStringLiteral("mnuView_SpellAsYouType"))->setChecked(on);
}

void toggleSpellingAsYouType(EditorWindow* window)
{
    setSpellingAsYouType(window, !window->textControl()->spellingCheck());
}

bool addSuggestions(EditorWindow* window, QMenu* menu, const QPoint& at)
{
    TextControl* control = window->textControl();
    const QTextCursor word = control->wordAt(at);
    if (!control->spellingCheck() || word.isNull() || control->spellingCheck()(word.selectedText()))
        return false;
    SpellEngine& engine = window->host()->speller()->engine();
    const QStringList suggestions = engine.suggest(word.selectedText()).mid(0, 6);
    for (const QString& suggestion : suggestions) {
        QAction* a = menu->addAction(suggestion);
        QObject::connect(a, &QAction::triggered, control, [control, word, suggestion] {
            control->setTextCursor(word);
            control->setSelText(suggestion);
        });
    }
    if (suggestions.isEmpty())
        menu->addAction(Texts::NoSuggestions)->setEnabled(false);
    QAction* add = menu->addAction(Texts::AddToDictionary);
    const QString text = word.selectedText();
    QObject::connect(add, &QAction::triggered, control, [&engine, control, text] {
        engine.add(text);
        control->pageView()->viewport()->update();
    });
    menu->addSeparator();
    return true;
}

}  // namespace SpellCommands
