#include "listdialog.h"

#include "components/textcontrol/document/controltexts.h"
#include "components/textcontrol/document/layoutunits.h"
#include "components/textcontrol/document/listlevels.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QSpinBox>

namespace {

// How a style shows in the list of styles: its first three markers.
QString sample(ListLevels::Style style)
{
    if (ListLevels::isBullet(style))
        return ListLevels::bulletText(style);
    QStringList markers;
    for (int n = 1; n <= 3; ++n)
        markers << ListLevels::numberText(style, n);
    return markers.join(QLatin1Char(' '));
}

}  // namespace

ListDialog::ListDialog(int style, int start, int leftTwips, bool inList, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgBullets"));
    setWindowTitle(ControlTexts::listTitle());
    auto* form = new QFormLayout(this);
    m_style = new QComboBox(this);
    m_style->setObjectName(QStringLiteral("cboListStyle"));
    m_style->addItem(ControlTexts::listNone(), -1);
    for (int s = 0; s < ListLevels::StyleCount; ++s)
        m_style->addItem(sample(ListLevels::Style(s)), s);
    m_style->setCurrentIndex(inList ? std::max(0, m_style->findData(style)) : 0);
    m_start = new QSpinBox(this);
    m_start->setObjectName(QStringLiteral("txtListStart"));
    m_start->setRange(0, 32767);
    m_start->setValue(start);
    m_indent = new QDoubleSpinBox(this);
    m_indent->setObjectName(QStringLiteral("txtListIndent"));
    m_indent->setRange(0, 20);
    m_indent->setDecimals(2);
    m_indent->setSingleStep(0.25);
    m_indent->setSuffix(ControlTexts::inches());
    m_indent->setToolTip(ControlTexts::listIndentTip());
    m_indent->setValue(leftTwips / double(LayoutUnits::TwipsPerInch));
    form->addRow(ControlTexts::listStyle(), m_style);
    form->addRow(ControlTexts::listStart(), m_start);
    form->addRow(ControlTexts::listIndent(), m_indent);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) + 160);  // the whole caption shows
    connect(m_style, &QComboBox::currentIndexChanged, this, &ListDialog::updateEnabled);
    updateEnabled();
}

void ListDialog::updateEnabled()
{
    const int s = style();
    m_start->setEnabled(s >= 0 && !ListLevels::isBullet(ListLevels::Style(s)));
    m_indent->setEnabled(s >= 0);
}

int ListDialog::style() const { return m_style->currentData().toInt(); }
int ListDialog::start() const { return m_start->value(); }
int ListDialog::leftTwips() const { return qRound(m_indent->value() * LayoutUnits::TwipsPerInch); }
