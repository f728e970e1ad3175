#include "convertcase.h"

#include "components/textcontrol/textcontrol.h"
#include "hosts/documenthost.h"
#include "hosts/editorwindow.h"

#include <QLocale>

namespace CaseConversion {

QString convert(const QString& text, int mode)
{
    const QLocale locale;
    if (mode == Upper)
        return locale.toUpper(text);
    QString result = locale.toLower(text);
    if (mode == Lower)
        return result;
    // Every run of the plain letters a..z starts with a capital; anything else ends a word.
    bool wordStart = true;
    for (QChar& c : result) {
        if (c < QLatin1Char('a') || c > QLatin1Char('z')) {
            wordStart = true;
        } else if (wordStart) {
            c = c.toUpper();
            wordStart = false;
        }
    }
    return result;
}

void ConvertCase(int mode)
{
    DocumentHost* host = DocumentHost::current();
    EditorWindow* window = host ? host->activeDocumentWindow() : nullptr;
    if (!window)
        return;
    TextControl* control = window->textControl();
    control->setSelText(convert(control->selText(), mode));
}

}  // namespace CaseConversion
