#include "helpwindow.h"

#include "texts/programtexts.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(Texts::HelpTitle);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(720, 640);
}

void HelpWindow::showTopic(const QString& helpFile, int context)
{
    if (QFileInfo::exists(helpFile)) {
        // The help file is HTML whatever its name; say so, as its extension does not.
        m_browser->setSource(QUrl::fromLocalFile(helpFile), QTextDocument::HtmlResource);
        m_browser->scrollToAnchor(QStringLiteral("ctx%1").arg(context));
    } else {
        m_browser->setPlainText(Texts::helpMissing(helpFile));
    }
    show();
    raise();
    activateWindow();
}
