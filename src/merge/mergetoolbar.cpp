#include "mergetoolbar.h"

#include "components/panels/latchbutton.h"
#include "components/panels/panel.h"
#include "recordnumberbox.h"
#include "texts/mergetexts.h"

#include <QHBoxLayout>
#include <QIcon>

namespace {

LatchButton* button(Panel* panel, const QString& name, const QString& tip, const char* icon)
{
    auto* b = new LatchButton(panel);
    b->setObjectName(name);
    b->setToolTip(tip);
    b->setFixedSize(26, 26);
    b->setIconSize(QSize(20, 20));
    const QString iconName = QLatin1String(icon);
    b->setIcon(QIcon::fromTheme(iconName, QIcon(QStringLiteral(":/icons/") + iconName + QStringLiteral(".svg"))));
    b->setFocusPolicy(Qt::NoFocus);
    panel->contentLayout()->addWidget(b);
    return b;
}

}  // namespace

MergeToolbar MergeToolbar::build(Panel* panel)
{
    static const char* const navigationIcons[4] = {"go-first", "go-previous", "go-next", "go-last"};
    panel->setFixedHeight(36);  // 540 twips
    MergeToolbar bar;
    bar.cmdmmflds = button(panel, QStringLiteral("cmdmmflds"), Texts::InsertMergeFieldsTip, "insert-text");
    for (int i = 0; i < 4; ++i)
        bar.cmddata[i] = button(panel, QStringLiteral("cmddata_%1").arg(i), Texts::NavigationTips[i],
                                navigationIcons[i]);
    bar.lblrecs = new RecordNumberBox(panel);
    bar.lblrecs->setObjectName(QStringLiteral("lblrecs"));
    bar.lblrecs->setShown(QStringLiteral("1"));
    bar.lblrecs->setFixedWidth(56);
    bar.lblrecs->setToolTip(Texts::RecordNumberTip);
    panel->contentLayout()->insertWidget(panel->contentLayout()->indexOf(bar.cmddata[2]), bar.lblrecs);
    bar.cmdfind = button(panel, QStringLiteral("cmdfind"), Texts::FindRecordTip, "edit-find");
    bar.cmdmmerge = button(panel, QStringLiteral("cmdmmerge"), Texts::ViewMergedDataTip, "x-office-address-book");
    bar.cmdshow = button(panel, QStringLiteral("cmdshow"), Texts::MergeToNewTip, "document-send");
    panel->contentLayout()->addStretch(1);
    bar.enableFor(false);
    return bar;
}

void MergeToolbar::enableFor(bool merged)
{
    for (LatchButton* b : cmddata)
        b->setEnabled(merged);
    cmdfind->setEnabled(merged);
    lblrecs->setTypingAllowed(merged);
    cmdmmflds->setEnabled(!merged);
    cmdshow->setEnabled(!merged);
}
