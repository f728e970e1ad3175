#include "helpwindow.h"

#include "texts/programtexts.h"

#include <QFileInfo>
#include <QKeySequence>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr int PreferredWidth = 720;
constexpr int SmallestWidth = 420;

}  // namespace

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
    resize(PreferredWidth, 640);
    // A reader closes help the way other viewers close: Esc, or Ctrl+W.
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, &QWidget::close);
    }
}

void HelpWindow::placeBeside(const QWidget* frame, const QWidget* area)
{
    const QScreen* screen = frame->screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QRect outer = frame->frameGeometry();
    // Room for the title bar above the help window's own client area.
    const int titleBar = frame->geometry().top() - outer.top();
    const QRect right(outer.right() + 1, outer.top() + titleBar, available.right() - outer.right(),
                      outer.height() - titleBar);
    if (right.width() >= SmallestWidth) {
        setGeometry(right.left(), right.top(), std::min(right.width(), PreferredWidth), right.height());
        return;
    }
    const QRect inside(area->mapToGlobal(QPoint(0, 0)), area->size());
    const int width = std::clamp(inside.width() / 2, std::min(SmallestWidth, inside.width()), PreferredWidth);
    setGeometry(inside.right() + 1 - width, inside.top() + titleBar, width,
                std::max(inside.height() - titleBar, 200));
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
