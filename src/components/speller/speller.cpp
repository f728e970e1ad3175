#include "speller.h"

#include "components/commondialog/commondialog.h"
#include "components/textcontrol/textcontrol.h"
#include "spellcheckdialog.h"
#include "spellchecksession.h"
#include "spellertexts.h"


Speller::Speller(QObject* parent) : QObject(parent) { setObjectName(QStringLiteral("Speller1")); }

void Speller::setProperty(int id, const QVariant& value)
{
    switch (id) {
    case 1: m_engine.setMainDictionary(value.toString()); break;
    case 7: m_engine.setUserDictionary(value.toString()); break;
    case 26: m_target = value.value<TextControl*>(); break;
    case 4:
        if (value.toInt() == 1 && m_target)
            check(m_target);
        break;
    default: break;
    }
}

void Speller::check(TextControl* control)
{
    SpellCheckSession session(control->document(), m_engine);
    bool completed = !session.next();
    if (!completed) {
        SpellCheckDialog dialog(session, control);
        completed = CommonDialog::provider().exec(&dialog) == QDialog::Accepted;
    }
    if (completed)
        CommonDialog::provider().message(control, CommonDialog::defaultTitle(), SpellerTexts::Complete,
                                         CommonDialog::Buttons::Ok, CommonDialog::Icon::Information);
}
