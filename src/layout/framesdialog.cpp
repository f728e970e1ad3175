#include "framesdialog.h"

#include "dialogbuttons.h"
#include "dialogcommand.h"
#include "layoutstate.h"
#include "units.h"

#include "components/commondialog/commondialog.h"
#include "components/textcontrol/document/paragraphframes.h"
#include "components/textcontrol/textcontrol.h"
#include "hosts/documenthost.h"
#include "hosts/editorwindow.h"
#include "texts/programtexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>
#include <cmath>

namespace {

using namespace ParagraphFrames;

// The boxes in the order the dialog reads and writes them, with the flag of a checked box and
// the flag written for an unchecked one.
struct Box {
    const char* name;
    const QString* caption;
    int on;
    int off;
    bool inParts;
};
const Box Boxes[7] = {
    {"chkLeft", &Texts::FrameLeft, Left, LeftOff, true},
    {"chkRight", &Texts::FrameRight, Right, RightOff, true},
    {"chkTop", &Texts::FrameTop, Top, TopOff, true},
    {"chkBottom", &Texts::FrameBottom, Bottom, BottomOff, true},
    {"chkTabLines", &Texts::FrameTabLines, TabLines, TabLinesOff, true},
    {"chkConnectedFrames", &Texts::FrameConnected, Connected, 0, false},
    {"chkDoubleLines", &Texts::FrameDoubleLines, DoubleLines, SingleLines, false},
};

QComboBox* pointList(QWidget* parent, const char* name, int first)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    list->setEditable(true);
    for (int n = first; n <= 12; ++n)
        list->addItem(QLatin1Char(' ') + QString::number(n) + Texts::PointsSuffix);
    list->setEditText(QString());
    return list;
}

// Twips as points, "1.5 pt" for 30 and "1 pt" for 20.
QString pointsText(int twips) { return QString::number(twips / 20.0) + Texts::PointsSuffix; }

}  // namespace

FramesDialog::FramesDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmFramesDlg"));
    setWindowTitle(Texts::FramesDialogTitle);
    auto* layout = new QVBoxLayout(this);
    auto* parts = new QGroupBox(Texts::FrameParts, this);
    auto* styles = new QGroupBox(Texts::FrameStyles, this);
    auto* partsLayout = new QVBoxLayout(parts);
    auto* stylesLayout = new QVBoxLayout(styles);
    for (int i = 0; i < 7; ++i) {
        auto* box = new QCheckBox(*Boxes[i].caption, this);
        box->setObjectName(QLatin1String(Boxes[i].name));
        (Boxes[i].inParts ? partsLayout : stylesLayout)->addWidget(box);
        connect(box, &QCheckBox::clicked, this, [this, i] { m_changed |= Boxes[i].on; });
        m_boxes[i] = box;
    }
    auto* boxes = new QHBoxLayout;
    boxes->addWidget(parts);
    boxes->addWidget(styles);
    layout->addLayout(boxes);

    m_lineWidth = pointList(this, "cboLineWidth", 1);
    m_distance = pointList(this, "cboTextDistance", 0);
    auto* form = new QFormLayout;
    form->addRow(Texts::FrameLineWidth, m_lineWidth);
    form->addRow(Texts::FrameTextDistance, m_distance);
    layout->addLayout(form);

    const auto [buttons, ok, cancel] = DialogButtons::make(this, Texts::Ok, "cmdOk", Texts::CancelWithKey, "cmdCancel");
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, [this] {
        apply();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    fill();
}

void FramesDialog::fill()
{
    TextControl* control = LayoutState::ActiveTextControl;
    if (!control)
        return;
    const int width = control->frameLineWidth();
    const int distance = control->frameDistance();
    const int style = control->frameStyle() & 0xffff;
    for (int i = 0; i < 7; ++i)
        m_boxes[i]->setChecked(style & Boxes[i].on);
    m_changed = 0;
    if (width != -1)
        m_lineWidth->setEditText(pointsText(width));
    if (distance != -1)
        m_distance->setEditText(pointsText(distance));
}

int FramesDialog::styleValue(int changed, const bool checked[7])
{
    int style = 0;
    for (int i = 0; i < 7; ++i)
        if (changed & Boxes[i].on)
            style += checked[i] ? Boxes[i].on : Boxes[i].off;
    return style;
}

int FramesDialog::pointsToTwips(const QString& text, int low)
{
    const double points = std::nearbyint(Units::leadingNumber(text));
    return int(std::clamp(points, double(low), 12.0)) * 20;
}

void FramesDialog::apply()
{
    TextControl* control = LayoutState::ActiveTextControl;
    if (!control)
        return;
    bool checked[7];
    for (int i = 0; i < 7; ++i)
        checked[i] = m_boxes[i]->isChecked();
    control->setFrameStyle(qint16(styleValue(m_changed, checked)));
    if (!m_lineWidth->currentText().isEmpty())
        control->setFrameLineWidth(pointsToTwips(m_lineWidth->currentText(), 1));
    if (!m_distance->currentText().isEmpty())
        control->setFrameDistance(pointsToTwips(m_distance->currentText(), 0));
}

namespace FrameCommands {

void showParagraphFrames(QWidget* parent) { DialogCommand::run<FramesDialog>(parent); }

}  // namespace FrameCommands
