#include "pagesetupdialog.h"

#include "components/commondialog/commondialog.h"
#include "components/textcontrol/textcontrol.h"
#include "dialogbuttons.h"
#include "layoutstate.h"
#include "printing.h"
#include "texts/programtexts.h"
#include "units.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QRadioButton>

namespace {

struct Paper {
    const char* name;
    int width, height;  // portrait, twips
};
const Paper Papers[] = {{"A4", 11906, 16837}, {"A5", 8418, 11906}, {"B5", 9978, 14174},
                        {"Letter", 12240, 15840}, {"Legal", 12240, 20160}};
constexpr int UserDefined = 5;

// The boxes' numbers as the orientation rule reads them: a "0" in front, a period as the
// decimal separator, reading stops at any other character.
double plainNumber(const QString& text)
{
    const QString digits = QLatin1Char('0') + text;
    qsizetype end = 0;
    bool point = false;
    while (end < digits.size() && (digits.at(end).isDigit() || (digits.at(end) == QLatin1Char('.') && !point))) {
        point = point || digits.at(end) == QLatin1Char('.');
        ++end;
    }
    return digits.left(end).toDouble();
}

QLineEdit* lengthBox(const char* name, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setMaximumWidth(80);
    return box;
}

void addRow(QGridLayout* grid, int row, const QString& label, QLineEdit* box)
{
    auto* caption = new QLabel(label, box->parentWidget());
    caption->setBuddy(box);
    grid->addWidget(caption, row, 0);
    grid->addWidget(box, row, 1);
    grid->addWidget(new QLabel(Texts::InchUnit, box->parentWidget()), row, 2);
}

}  // namespace

PageSetupDialog::PageSetupDialog(int printerOrientation, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPageDlg"));
    setWindowTitle(Texts::PageSetupTitle);
    auto* paperFrame = new QGroupBox(Texts::PaperFrame, this);
    m_paper = new QComboBox(paperFrame);
    m_paper->setObjectName(QStringLiteral("cboPaperSize"));
    m_width = lengthBox("txtPaperWidth", paperFrame);
    m_height = lengthBox("txtPaperHeight", paperFrame);
    m_orientation[0] = nullptr;
    for (int i = 1; i <= 2; ++i) {
        m_orientation[i] = new QRadioButton(i == 1 ? Texts::Portrait : Texts::Landscape, paperFrame);
        m_orientation[i]->setObjectName(QStringLiteral("OptOr_%1").arg(i));
        connect(m_orientation[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                orientationChosen(i);
        });
    }
    auto* paperGrid = new QGridLayout(paperFrame);
    paperGrid->addWidget(m_paper, 0, 0, 1, 3);
    addRow(paperGrid, 1, Texts::WidthLabel, m_width);
    addRow(paperGrid, 2, Texts::HeightLabel, m_height);
    paperGrid->addWidget(m_orientation[1], 3, 0, 1, 3);
    paperGrid->addWidget(m_orientation[2], 4, 0, 1, 3);

    auto* marginFrame = new QGroupBox(Texts::MarginsFrame, this);
    auto* marginGrid = new QGridLayout(marginFrame);
    const char* names[4] = {"txtLeftMargin", "txtTopMargin", "txtRightMargin", "txtBottomMargin"};
    const QString labels[4] = {Texts::LeftLabel, Texts::TopLabel, Texts::RightLabel, Texts::BottomLabel};
    for (int i = 0; i < 4; ++i) {
        m_margins[i] = lengthBox(names[i], marginFrame);
        addRow(marginGrid, i, labels[i], m_margins[i]);
    }
    const DialogButtons::Pair buttons = DialogButtons::make(this, Texts::Ok, "btnOK", Texts::Cancel, "btnCancel");
    m_ok = buttons.ok;
    auto* frames = new QHBoxLayout;
    frames->addWidget(paperFrame);
    frames->addWidget(marginFrame);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(frames);
    layout->addLayout(buttons.row);
    connect(m_ok, &QPushButton::clicked, this, &PageSetupDialog::confirm);
    connect(buttons.cancel, &QPushButton::clicked, this, &QDialog::reject);

    // Opening: the entries, the values, the printer's orientation, then what size this is.
    for (const Paper& p : Papers)
        m_paper->addItem(QLatin1String(p.name));
    m_paper->addItem(Texts::UserDefinedPaper);
    m_margins[0]->setText(Units::Twips2DlgString(float(LayoutState::PageSetupValues.PageMarginL)));
    m_margins[1]->setText(Units::Twips2DlgString(float(LayoutState::PageSetupValues.PageMarginT)));
    m_margins[2]->setText(Units::Twips2DlgString(float(LayoutState::PageSetupValues.PageMarginR)));
    m_margins[3]->setText(Units::Twips2DlgString(float(LayoutState::PageSetupValues.PageMarginB)));
    m_width->setText(Units::Twips2DlgString(float(LayoutState::PageSetupValues.PageWidth)));
    m_height->setText(Units::Twips2DlgString(float(LayoutState::PageSetupValues.PageHeight)));
    m_orientation[printerOrientation == 2 ? 2 : 1]->setChecked(true);
    m_paper->setCurrentIndex(-1);
    connect(m_paper, &QComboBox::currentIndexChanged, this, &PageSetupDialog::paperChosen);
    recogniseSize();
    for (QLineEdit* box : {m_width, m_height, m_margins[0], m_margins[1], m_margins[2], m_margins[3]})
        connect(box, &QLineEdit::textChanged, this, &PageSetupDialog::validate);
    for (QLineEdit* box : {m_width, m_height})
        connect(box, &QLineEdit::editingFinished, this, &PageSetupDialog::recogniseSize);
    validate();
}

void PageSetupDialog::EditPageSetup(TextControl* control)
{
    LayoutState::PageSetup& v = LayoutState::PageSetupValues;
    v = {control->pageMarginL(), control->pageMarginT(), control->pageMarginR(),
         control->pageMarginB(), control->pageWidth(),   control->pageHeight()};
    {
        const int orientation = Printing::printer().pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1;
        PageSetupDialog dialog(orientation, control);
        CommonDialog::provider().exec(&dialog);
    }
    control->setPageMarginL(v.PageMarginL);
    control->setPageMarginT(v.PageMarginT);
    control->setPageMarginR(v.PageMarginR);
    control->setPageMarginB(v.PageMarginB);
    control->setPageWidth(v.PageWidth);
    control->setPageHeight(v.PageHeight);
    control->setFocus();
}

void PageSetupDialog::paperChosen(int index)
{
    if (index >= 0 && index < UserDefined) {
        m_width->setText(Units::Twips2DlgString(float(Papers[index].width)));
        m_height->setText(Units::Twips2DlgString(float(Papers[index].height)));
    }
    if (m_orientation[1]->isChecked())
        orientationChosen(1);  // the sizes may have changed under the chosen option
    else
        m_orientation[1]->setChecked(true);
}

void PageSetupDialog::orientationChosen(int index)
{
    const double height = plainNumber(m_height->text());
    const double width = plainNumber(m_width->text());
    if ((index == 1 && height < width) || (index == 2 && height > width)) {
        const QString w = m_width->text();
        m_width->setText(m_height->text());
        m_height->setText(w);
    }
}

void PageSetupDialog::recogniseSize()
{
    const int width = Units::DlgString2Twips(m_width->text());
    const int height = Units::DlgString2Twips(m_height->text());
    int match = UserDefined;
    for (int i = 0; i < UserDefined && match == UserDefined; ++i)
        if (std::abs(width - Papers[i].width) < 5 && std::abs(height - Papers[i].height) < 5)
            match = i;
    m_paper->setCurrentIndex(match);  // a new entry runs the paper-size rule
    if (plainNumber(m_height->text()) < plainNumber(m_width->text()))
        m_orientation[2]->setChecked(true);
}

bool PageSetupDialog::valuesValid() const
{
    const int width = Units::DlgString2Twips(m_width->text());
    const int height = Units::DlgString2Twips(m_height->text());
    auto margin = [](const QLineEdit* box) {
        const int m = Units::DlgString2Twips(box->text());
        return m >= 1 ? m : -1;
    };
    const int left = margin(m_margins[0]), top = margin(m_margins[1]);
    const int right = margin(m_margins[2]), bottom = margin(m_margins[3]);
    if (left < 0 || top < 0 || right < 0 || bottom < 0)
        return false;
    // Any paper up to the largest the layout and the printers take, in either orientation (the
    // old limit of twice the width in 16 bits refused A4 and Legal landscape), with room for text
    // between the margins.
    auto fits = [](int along, int before, int after) {
        return along >= 1 && along <= MaxPaperTwips && qint64(before) + after < along;
    };
    return fits(width, left, right) && fits(height, top, bottom);
}

void PageSetupDialog::validate() { m_ok->setEnabled(valuesValid()); }

void PageSetupDialog::confirm()
{
    LayoutState::PageSetup& v = LayoutState::PageSetupValues;
    v.PageMarginL = Units::DlgString2Twips(m_margins[0]->text());
    v.PageMarginT = Units::DlgString2Twips(m_margins[1]->text());
    v.PageMarginR = Units::DlgString2Twips(m_margins[2]->text());
    v.PageMarginB = Units::DlgString2Twips(m_margins[3]->text());
    v.PageWidth = Units::DlgString2Twips(m_width->text());
    v.PageHeight = Units::DlgString2Twips(m_height->text());
    accept();
}
