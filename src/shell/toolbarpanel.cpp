#include "toolbarpanel.h"

#include "components/panels/latchbutton.h"
#include "texts/programtexts.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>

namespace {

// Theme icon names of the buttons, by index; each has a bundled picture as a fallback.
const char* const IconNames[ToolBarPanel::ButtonCount] = {
    "document-new",   "document-open", "document-save",         "edit-cut",  "edit-copy",
    "edit-paste",     "document-print", "document-print-preview", "help-browser",
    "tools-check-spelling"};

const char* const ZoomEntries[7] = {"30%", "50%", "75%", "100%", "150%", "Page Width", "Whole Page"};

QFrame* separator(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

}  // namespace

ToolBarPanel::ToolBarPanel(QWidget* parent) : Panel(parent)
{
    setObjectName(QStringLiteral("pictoolbar"));
    setFixedHeight(36);  // 540 twips
    QHBoxLayout* row = contentLayout();
    for (int i = 0; i < ButtonCount; ++i) {
        auto* button = new LatchButton(this);
        button->setObjectName(QStringLiteral("btns_%1").arg(i));
        button->setToolTip(Texts::ToolTips[i]);
        button->setFixedSize(26, 26);  // 390 twips
        button->setIconSize(QSize(20, 20));
        const QString name = QLatin1String(IconNames[i]);
        button->setIcon(QIcon::fromTheme(name, QIcon(QStringLiteral(":/icons/") + name + QStringLiteral(".svg"))));
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &LatchButton::valueClicked, this,
                [this, i](bool value) { emit buttonClicked(i, value); });
        m_buttons[i] = button;
    }
    // Left to right: New Open Save | Cut Copy Paste | Print Preview Spell | Zoom | Help
    for (int i : {New, Open, Save})
        row->addWidget(m_buttons[i]);
    row->addWidget(separator(this));
    for (int i : {Cut, Copy, Paste})
        row->addWidget(m_buttons[i]);
    row->addWidget(separator(this));
    for (int i : {Print, PrintPreview, SpellCheck})
        row->addWidget(m_buttons[i]);
    row->addWidget(separator(this));
    m_label = new QLabel(Texts::ZoomLabel, this);
    m_label->setObjectName(QStringLiteral("Label1"));
    row->addWidget(m_label);
    m_zoom = new QComboBox(this);
    m_zoom->setObjectName(QStringLiteral("cboZoom"));
    m_zoom->setEditable(true);
    m_zoom->setInsertPolicy(QComboBox::NoInsert);
    // 1260 twips, or wider where the font needs it to show "Whole Page" whole.
    int widest = 0;
    for (const char* entry : ZoomEntries) {
        m_zoom->addItem(QLatin1String(entry));
        widest = std::max(widest, m_zoom->fontMetrics().horizontalAdvance(QLatin1String(entry)));
    }
    m_zoom->setFixedWidth(std::max(84, widest + 36));
    m_zoom->setCurrentIndex(3);
    row->addWidget(m_zoom);
    row->addWidget(separator(this));
    row->addWidget(m_buttons[Help]);
    row->addStretch(1);

    connect(m_zoom, &QComboBox::activated, this, &ToolBarPanel::zoomClicked);
    connect(m_zoom->lineEdit(), &QLineEdit::returnPressed, this, &ToolBarPanel::zoomClicked);
}

void ToolBarPanel::setListIndex(int index)
{
    {
        const QSignalBlocker blocker(m_zoom);
        m_zoom->setCurrentIndex(index);
    }
    emit zoomClicked();
}

// "Page Width" and "Whole Page" are fixed factors; any other text gives its leading number.
int ToolBarPanel::zoomFactorForText(const QString& text)
{
    if (text == Texts::PageWidthEntry)
        return 90;
    if (text == Texts::WholePageEntry)
        return 38;
    const QString trimmed = text.trimmed();
    qsizetype end = 0;
    while (end < trimmed.size() && trimmed.at(end).isDigit() && end < 5)
        ++end;
    return int(qint16(trimmed.left(end).toInt()));
}
