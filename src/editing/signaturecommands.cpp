#include "signaturecommands.h"

#include "components/signature/sigcapture.h"
#include "components/signature/sigtablet.h"
#include "components/textcontrol/textcontrol.h"
#include "hosts/documenthost.h"
#include "hosts/editorwindow.h"
#include "settings/apppaths.h"
#include "texts/programtexts.h"

#include <QFile>

namespace SignatureCommands {

QString signatureImagePath() { return AppPaths::join(AppPaths::TempPath(), QStringLiteral("sigtmp.jpg")); }

void InsertSignature(EditorWindow* window)
{
    DocumentHost* host = window->host();
    SigCapture* capture = host->sigCapture();
    capture->setProperty(2, Texts::SignaturePrompt);
    capture->setProperty(4, Texts::SignatureTitle);
    if (!capture->capture(host->hostWidget()))
        return;
    SigTablet* tablet = host->sigTablet();
    tablet->setProperty(49, capture->property(1));
    tablet->setProperty(2, 200);
    tablet->setProperty(3, 70);
    tablet->setProperty(1, 4);
    tablet->setProperty(32, 4);
    const QString path = signatureImagePath();
    tablet->writeImage(path);
    window->textControl()->objectInsertAsChar(0, path, -1, 100, 100, 0, 1);
    QFile::remove(path);  // the document holds the picture itself now
}

}  // namespace SignatureCommands
