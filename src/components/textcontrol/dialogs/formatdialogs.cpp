#include "formatdialogs.h"

#include "components/textcontrol/document/controltexts.h"
#include "components/textcontrol/document/layoutunits.h"
#include "components/textcontrol/document/tablegrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpression>

namespace {

constexpr double UnitsPerPoint = LayoutUnits::UnitsPerInch / 72.0;

const QList<QPair<QString, QColor>>& colours()
{
    static const QList<QPair<QString, QColor>> list = {
        {ControlTexts::tr("Black"), Qt::black},   {ControlTexts::tr("Dark Red"), QColor(0x80, 0, 0)},
        {ControlTexts::tr("Red"), Qt::red},       {ControlTexts::tr("Green"), QColor(0, 0x80, 0)},
        {ControlTexts::tr("Blue"), Qt::blue},     {ControlTexts::tr("Navy"), QColor(0, 0, 0x80)},
        {ControlTexts::tr("Grey"), Qt::gray},     {ControlTexts::tr("Purple"), QColor(0x80, 0, 0x80)}};
    return list;
}

QDialogButtonBox* okCancel(QDialog* dialog)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QDoubleSpinBox* lengthBox(QWidget* parent, const char* name, double value, double min, double max,
                          const QString& suffix)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(min, max);
    box->setDecimals(2);
    box->setSuffix(suffix);
    box->setValue(value);
    return box;
}

}  // namespace

FontDialog::FontDialog(const QTextCharFormat& current, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgFont"));
    setWindowTitle(ControlTexts::tr("Character"));
    auto* form = new QFormLayout(this);
    const QFont font = current.font();
    m_family = new QFontComboBox(this);
    m_family->setObjectName(QStringLiteral("cboFont"));
    m_family->setCurrentFont(font);
    m_size = new QComboBox(this);
    m_size->setObjectName(QStringLiteral("cboSize"));
    m_size->setEditable(true);
    for (int s : {8, 9, 10, 11, 12, 14, 16, 18, 20, 24, 28, 36, 48, 72})
        m_size->addItem(QString::number(s));
    m_size->setEditText(QString::number(qRound(font.pointSizeF())));
    m_bold = new QCheckBox(ControlTexts::bold(), this);
    m_bold->setObjectName(QStringLiteral("chkBold"));
    m_bold->setChecked(font.bold());
    m_italic = new QCheckBox(ControlTexts::italic(), this);
    m_italic->setObjectName(QStringLiteral("chkItalic"));
    m_italic->setChecked(font.italic());
    m_underline = new QComboBox(this);
    m_underline->setObjectName(QStringLiteral("cboUnderline"));
    const QList<QPair<QString, int>> underlines = {
        {ControlTexts::tr("None"), QTextCharFormat::NoUnderline},
        {ControlTexts::tr("Single"), QTextCharFormat::SingleUnderline},
        {ControlTexts::tr("Dotted"), QTextCharFormat::DotLine},
        {ControlTexts::tr("Dashed"), QTextCharFormat::DashUnderline},
        {ControlTexts::tr("Wave"), QTextCharFormat::WaveUnderline}};
    for (const auto& u : underlines)
        m_underline->addItem(u.first, u.second);
    m_underline->setCurrentIndex(std::max(0, m_underline->findData(int(current.underlineStyle()))));
    m_strike = new QCheckBox(ControlTexts::tr("Strike&out"), this);
    m_strike->setObjectName(QStringLiteral("chkStrike"));
    m_strike->setChecked(font.strikeOut());
    m_position = new QComboBox(this);
    m_position->setObjectName(QStringLiteral("cboPosition"));
    m_position->addItem(ControlTexts::tr("Normal"), int(QTextCharFormat::AlignNormal));
    m_position->addItem(ControlTexts::tr("Superscript"), int(QTextCharFormat::AlignSuperScript));
    m_position->addItem(ControlTexts::tr("Subscript"), int(QTextCharFormat::AlignSubScript));
    m_position->setCurrentIndex(std::max(0, m_position->findData(int(current.verticalAlignment()))));
    m_colour = new QComboBox(this);
    m_colour->setObjectName(QStringLiteral("cboColour"));
    for (const auto& c : colours())
        m_colour->addItem(c.first, c.second);
    const QColor fg = current.foreground().style() == Qt::NoBrush ? QColor(Qt::black) : current.foreground().color();
    if (m_colour->findData(fg) < 0)
        m_colour->addItem(fg.name(), fg);
    m_colour->setCurrentIndex(m_colour->findData(fg));
    m_preview = new QLabel(ControlTexts::tr("AaBbYyZz"), this);
    m_preview->setObjectName(QStringLiteral("lblPreview"));
    m_preview->setMinimumHeight(60);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setFrameShape(QFrame::StyledPanel);

    form->addRow(ControlTexts::fontName(), m_family);
    form->addRow(ControlTexts::fontSize(), m_size);
    form->addRow(m_bold);
    form->addRow(m_italic);
    form->addRow(ControlTexts::underline(), m_underline);
    form->addRow(m_strike);
    form->addRow(ControlTexts::tr("Position"), m_position);
    form->addRow(ControlTexts::tr("Colour"), m_colour);
    form->addRow(m_preview);
    form->addRow(okCancel(this));
    for (QComboBox* box : {static_cast<QComboBox*>(m_family), m_size, m_underline, m_position, m_colour})
        connect(box, &QComboBox::currentTextChanged, this, &FontDialog::updatePreview);
    for (QCheckBox* box : {m_bold, m_italic, m_strike})
        connect(box, &QCheckBox::toggled, this, &FontDialog::updatePreview);
    m_shown = shownFormat();
    updatePreview();
}

QTextCharFormat FontDialog::format() const
{
    // Only what the user changed: the boxes show a substitute where the document's font is not
    // installed ("Liberation Serif" for "Times New Roman"), and a selection of mixed formats
    // shows its first character's; neither may be written over the text unasked.
    QTextCharFormat changed;
    const QTextCharFormat now = shownFormat();
    const QMap<int, QVariant> properties = now.properties();
    for (auto it = properties.cbegin(); it != properties.cend(); ++it)
        if (m_shown.property(it.key()) != it.value())
            changed.setProperty(it.key(), it.value());
    return changed;
}

QTextCharFormat FontDialog::shownFormat() const
{
    QTextCharFormat f;
    f.setFontFamilies({m_family->currentFont().family()});
    if (const double size = m_size->currentText().toDouble(); size > 0 && size < 1639)
        f.setFontPointSize(size);
    f.setFontWeight(m_bold->isChecked() ? QFont::Bold : QFont::Normal);
    f.setFontItalic(m_italic->isChecked());
    f.setUnderlineStyle(QTextCharFormat::UnderlineStyle(m_underline->currentData().toInt()));
    f.setFontStrikeOut(m_strike->isChecked());
    f.setVerticalAlignment(QTextCharFormat::VerticalAlignment(m_position->currentData().toInt()));
    f.setForeground(m_colour->currentData().value<QColor>());
    return f;
}

void FontDialog::updatePreview()
{
    const QTextCharFormat f = shownFormat();
    QFont font = f.font();
    font.setPointSizeF(std::min(f.fontPointSize(), 36.0));
    m_preview->setFont(font);
    QPalette palette = m_preview->palette();
    palette.setColor(QPalette::WindowText, f.foreground().color());
    m_preview->setPalette(palette);
}

ParagraphDialog::ParagraphDialog(const QTextBlockFormat& current, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgParagraph"));
    setWindowTitle(ControlTexts::tr("Paragraph"));
    auto* form = new QFormLayout(this);
    m_alignment = new QComboBox(this);
    m_alignment->setObjectName(QStringLiteral("cboAlignment"));
    m_alignment->addItem(ControlTexts::alignLeft(), int(Qt::AlignLeft));
    m_alignment->addItem(ControlTexts::alignCenter(), int(Qt::AlignHCenter));
    m_alignment->addItem(ControlTexts::alignRight(), int(Qt::AlignRight));
    m_alignment->addItem(ControlTexts::justify(), int(Qt::AlignJustify));
    m_alignment->setCurrentIndex(std::max(0, m_alignment->findData(int(current.alignment() & Qt::AlignHorizontal_Mask))));
    const QString inch = ControlTexts::tr(" in");
    const QString pt = ControlTexts::tr(" pt");
    const double perInch = LayoutUnits::UnitsPerInch;
    m_left = lengthBox(this, "txtLeft", current.leftMargin() / perInch, 0, 20, inch);
    m_right = lengthBox(this, "txtRight", current.rightMargin() / perInch, 0, 20, inch);
    m_first = lengthBox(this, "txtFirst", current.textIndent() / perInch, -20, 20, inch);
    m_before = lengthBox(this, "txtBefore", current.topMargin() / UnitsPerPoint, 0, 1584, pt);
    m_after = lengthBox(this, "txtAfter", current.bottomMargin() / UnitsPerPoint, 0, 1584, pt);
    m_spacing = new QComboBox(this);
    m_spacing->setObjectName(QStringLiteral("cboLineSpacing"));
    m_spacing->addItem(ControlTexts::tr("Single"), 100);
    m_spacing->addItem(ControlTexts::tr("1.5 lines"), 150);
    m_spacing->addItem(ControlTexts::tr("Double"), 200);
    const int proportional = current.lineHeightType() == QTextBlockFormat::ProportionalHeight ? qRound(current.lineHeight()) : 100;
    m_spacing->setCurrentIndex(std::max(0, m_spacing->findData(proportional)));
    form->addRow(ControlTexts::tr("Alignment"), m_alignment);
    form->addRow(ControlTexts::tr("Left indent"), m_left);
    form->addRow(ControlTexts::tr("Right indent"), m_right);
    form->addRow(ControlTexts::tr("First line"), m_first);
    form->addRow(ControlTexts::tr("Space before"), m_before);
    form->addRow(ControlTexts::tr("Space after"), m_after);
    form->addRow(ControlTexts::tr("Line spacing"), m_spacing);
    m_tabs = new QLineEdit(ParagraphTabs::toText(current.tabPositions()), this);
    m_tabs->setObjectName(QStringLiteral("txtTabs"));
    m_tabs->setToolTip(ControlTexts::tr("Tab stops in inches from the left margin, separated by blanks"));
    form->addRow(ControlTexts::tr("Tab stops"), m_tabs);
    form->addRow(okCancel(this));
}

namespace ParagraphTabs {

QString toText(const QList<QTextOption::Tab>& tabs)
{
    QStringList positions;
    for (const QTextOption::Tab& tab : tabs)
        positions << QString::number(tab.position / LayoutUnits::UnitsPerInch, 'g', 4);
    return positions.join(QLatin1Char(' '));
}

QList<QTextOption::Tab> fromText(const QString& text)
{
    QList<QTextOption::Tab> tabs;
    for (const QString& part : text.split(QRegularExpression(QStringLiteral("[\\s;]+")), Qt::SkipEmptyParts)) {
        bool ok = false;
        const double inches = QLocale().toDouble(part, &ok);
        const double value = ok ? inches : part.toDouble(&ok);
        if (ok && value > 0 && value < 22)
            tabs.append(QTextOption::Tab(value * LayoutUnits::UnitsPerInch, QTextOption::LeftTab));
    }
    std::sort(tabs.begin(), tabs.end(), [](const auto& a, const auto& b) { return a.position < b.position; });
    return tabs;
}

}  // namespace ParagraphTabs

QTextBlockFormat ParagraphDialog::format() const
{
    const double perInch = LayoutUnits::UnitsPerInch;
    QTextBlockFormat f;
    f.setAlignment(Qt::Alignment(m_alignment->currentData().toInt()));
    f.setLeftMargin(m_left->value() * perInch);
    f.setRightMargin(m_right->value() * perInch);
    f.setTextIndent(m_first->value() * perInch);
    f.setTopMargin(m_before->value() * UnitsPerPoint);
    f.setBottomMargin(m_after->value() * UnitsPerPoint);
    f.setLineHeight(m_spacing->currentData().toInt(), QTextBlockFormat::ProportionalHeight);
    f.setTabPositions(ParagraphTabs::fromText(m_tabs->text()));
    return f;
}

TableAttributesDialog::TableAttributesDialog(const QTextTableFormat& current, int column, const QColor& shading,
                                             QWidget* parent)
    : QDialog(parent), m_current(current), m_column(column)
{
    setObjectName(QStringLiteral("TableAttrDialog"));
    setWindowTitle(ControlTexts::tr("Table Attributes"));
    auto* form = new QFormLayout(this);
    m_border = lengthBox(this, "spnBorder", TableGrid::borderTwips(current) / double(LayoutUnits::TwipsPerPoint), 0, 6, ControlTexts::tr(" pt"));
    m_padding = lengthBox(this, "spnPadding", current.cellPadding() / UnitsPerPoint, 0, 36, ControlTexts::tr(" pt"));
    const QTextLength width = current.width();
    m_width = lengthBox(this, "spnWidth", width.type() == QTextLength::PercentageLength ? width.rawValue() : 100, 10,
                        100, ControlTexts::tr(" %"));
    m_alignment = new QComboBox(this);
    m_alignment->setObjectName(QStringLiteral("cboAlignment"));
    m_alignment->addItem(ControlTexts::tr("Left"), int(Qt::AlignLeft));
    m_alignment->addItem(ControlTexts::tr("Center"), int(Qt::AlignHCenter));
    m_alignment->addItem(ControlTexts::tr("Right"), int(Qt::AlignRight));
    m_alignment->setCurrentIndex(std::max(0, m_alignment->findData(int(current.alignment() & Qt::AlignHorizontal_Mask))));
    form->addRow(ControlTexts::tr("&Border:"), m_border);
    form->addRow(ControlTexts::tr("Cell &padding:"), m_padding);
    form->addRow(ControlTexts::tr("&Width:"), m_width);
    form->addRow(ControlTexts::tr("&Alignment:"), m_alignment);
    const QTextLength columnWidth = current.columnWidthConstraints().value(column);
    m_columnWidth = lengthBox(this, "spnColumnWidth",
                              columnWidth.type() == QTextLength::FixedLength ? columnWidth.rawValue() / LayoutUnits::UnitsPerInch : 0,
                              0, 20, ControlTexts::tr(" in"));
    m_columnWidth->setSpecialValueText(ControlTexts::tr("Automatic"));
    form->addRow(ControlTexts::tr("&Column width:"), m_columnWidth);
    m_shading = new QComboBox(this);
    m_shading->setObjectName(QStringLiteral("cboShading"));
    m_shading->addItem(ControlTexts::tr("None"), QColor());
    m_shading->addItem(ControlTexts::tr("Light grey"), QColor(0xe0, 0xe0, 0xe0));
    m_shading->addItem(ControlTexts::tr("Grey"), QColor(0xc0, 0xc0, 0xc0));
    m_shading->addItem(ControlTexts::tr("Light blue"), QColor(0xdd, 0xeb, 0xf7));
    m_shading->addItem(ControlTexts::tr("Light green"), QColor(0xe2, 0xef, 0xda));
    m_shading->addItem(ControlTexts::tr("Light yellow"), QColor(0xff, 0xf2, 0xcc));
    int shown = 0;
    for (int i = 1; i < m_shading->count(); ++i)
        if (m_shading->itemData(i).value<QColor>() == shading)
            shown = i;
    m_shading->setCurrentIndex(shown);
    form->addRow(ControlTexts::tr("Cell &shading:"), m_shading);
    form->addRow(okCancel(this));
}

QColor TableAttributesDialog::shading() const { return m_shading->currentData().value<QColor>(); }

QTextTableFormat TableAttributesDialog::format() const
{
    QTextTableFormat f = m_current;
    TableGrid::setBorderTwips(f, qRound(m_border->value() * LayoutUnits::TwipsPerPoint));
    f.setCellPadding(m_padding->value() * UnitsPerPoint);
    f.setWidth(QTextLength(QTextLength::PercentageLength, m_width->value()));
    f.setAlignment(Qt::Alignment(m_alignment->currentData().toInt()));
    if (m_column >= 0 && m_column < f.columns()) {
        QList<QTextLength> widths = f.columnWidthConstraints();
        widths.resize(f.columns());
        widths[m_column] = m_columnWidth->value() > 0
            ? QTextLength(QTextLength::FixedLength, m_columnWidth->value() * LayoutUnits::UnitsPerInch)
            : QTextLength();
        f.setColumnWidthConstraints(widths);
    }
    return f;
}
