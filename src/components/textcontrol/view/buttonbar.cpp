#include "buttonbar.h"

#include "components/textcontrol/document/controltexts.h"
#include "components/textcontrol/document/listlevels.h"
#include "viewhost.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFontComboBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolButton>

namespace {

// Three lines with bullets or numbers before them.
QIcon listIcon(bool numbered)
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font;
    font.setPixelSize(7);
    painter.setFont(font);
    for (int i = 0; i < 3; ++i) {
        const int y = 6 + 6 * i;
        painter.setPen(QPen(QColor(0x33, 0x33, 0x33), 1.6));
        painter.drawLine(QPointF(10, y), QPointF(21, y));
        if (numbered) {
            painter.setPen(QColor(0x2a, 0x5d, 0xb0));
            painter.drawText(QRectF(1, y - 4, 8, 8), Qt::AlignCenter, QString::number(i + 1));
        } else {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(0x2a, 0x5d, 0xb0));
            painter.drawEllipse(QPointF(5, y), 2, 2);
        }
    }
    return QIcon(pixmap);
}

constexpr Qt::Alignment Alignments[4] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight,
                                         Qt::AlignJustify};
}

ButtonBar::ButtonBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ButtonBar1"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 1, 4, 1);
    layout->setSpacing(2);
    m_font = new QFontComboBox(this);
    m_font->setObjectName(QStringLiteral("cboFontName"));
    m_font->setToolTip(ControlTexts::fontName());
    m_font->setMaximumWidth(200);
    layout->addWidget(m_font);
    m_size = new QComboBox(this);
    m_size->setObjectName(QStringLiteral("cboFontSize"));
    m_size->setToolTip(ControlTexts::fontSize());
    m_size->setEditable(true);
    for (int s : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
        m_size->addItem(QString::number(s));
    m_size->setValidator(new QIntValidator(1, 1638, m_size));
    layout->addWidget(m_size);
    layout->addSpacing(8);

    m_bold = addButton("btnBold", ControlTexts::bold(), "format-text-bold", "B");
    m_italic = addButton("btnItalic", ControlTexts::italic(), "format-text-italic", "I");
    m_underline = addButton("btnUnderline", ControlTexts::underline(), "format-text-underline", "U");
    layout->addSpacing(8);
    const char* names[4] = {"btnAlignLeft", "btnAlignCenter", "btnAlignRight", "btnJustify"};
    const QString tips[4] = {ControlTexts::alignLeft(), ControlTexts::alignCenter(),
                             ControlTexts::alignRight(), ControlTexts::justify()};
    const char* icons[4] = {"format-justify-left", "format-justify-center", "format-justify-right",
                            "format-justify-fill"};
    const char* fallbacks[4] = {"L", "C", "R", "J"};
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        m_align[i] = addButton(names[i], tips[i], QLatin1String(icons[i]), QLatin1String(fallbacks[i]));
        group->addButton(m_align[i], i);
    }
    layout->addSpacing(8);
    m_bullets = addButton("btnBullets", ControlTexts::bullets(), "format-list-unordered", QStringLiteral("\u2022"));
    m_numbering = addButton("btnNumbering", ControlTexts::numbering(), "format-list-ordered", "1.");
    // Themes without list icons get drawn ones rather than a letter.
    for (QToolButton* button : {m_bullets, m_numbering})
        if (button->icon().isNull()) {
            button->setIcon(listIcon(button == m_numbering));
            button->setText(QString());
        }
    layout->addStretch(1);
    setFixedHeight(29);  // 435 twips

    connect(m_font, &QFontComboBox::currentFontChanged, this, [this](const QFont& font) {
        if (m_refreshing || !m_control)
            return;
        QTextCharFormat format;
        format.setFontFamilies({font.family()});
        m_control->mergeCharFormat(format);
        m_control->widget()->setFocus();
    });
    connect(m_size, &QComboBox::textActivated, this, [this](const QString& text) {
        const int points = text.toInt();
        if (m_refreshing || !m_control || points <= 0)
            return;
        QTextCharFormat format;
        format.setFontPointSize(points);
        m_control->mergeCharFormat(format);
        m_control->widget()->setFocus();
    });
    connect(m_bold, &QToolButton::clicked, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontWeight(on ? QFont::Bold : QFont::Normal);
        if (m_control)
            m_control->mergeCharFormat(format);
    });
    connect(m_italic, &QToolButton::clicked, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontItalic(on);
        if (m_control)
            m_control->mergeCharFormat(format);
    });
    connect(m_underline, &QToolButton::clicked, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontUnderline(on);
        if (m_control)
            m_control->mergeCharFormat(format);
    });
    connect(group, &QButtonGroup::idClicked, this, [this](int id) {
        if (m_control)
            m_control->setAlignment(Alignments[id]);
    });
    for (QToolButton* button : {m_bullets, m_numbering})
        connect(button, &QToolButton::clicked, this, [this, button] {
            if (m_control)
                m_control->toggleList(button == m_numbering);
            refresh();
        });
    setEnabled(false);
}

QToolButton* ButtonBar::addButton(const char* name, const QString& tip, const QString& icon,
                                  const QString& fallback)
{
    auto* button = new QToolButton(this);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(tip);
    button->setCheckable(true);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    const QIcon themed = QIcon::fromTheme(icon);
    if (themed.isNull())
        button->setText(fallback);
    else
        button->setIcon(themed);
    layout()->addWidget(button);
    return button;
}

void ButtonBar::setTextControl(ViewHost* control)
{
    if (m_control == control)
        return;
    if (m_control)
        disconnect(m_control.widget(), nullptr, this, nullptr);
    m_control = control;
    if (control)
        control->follow(this, ViewHost::CaretMoved, [this] { refresh(); });
    refresh();
}

void ButtonBar::refresh()
{
    setEnabled(m_control != nullptr);
    if (!m_control)
        return;
    m_refreshing = true;
    const QTextCursor cursor = m_control->textCursor();
    const QTextCharFormat format = cursor.charFormat();
    const QFont font = format.font();
    m_font->setCurrentFont(font);
    // Show the family the document asks for, also where a look-alike font stands in for it.
    const QStringList families = format.fontFamilies().toStringList();
    m_font->setEditText(families.isEmpty() ? font.family() : families.first());
    m_size->setEditText(QString::number(qRound(font.pointSizeF())));
    m_bold->setChecked(font.bold());
    m_italic->setChecked(font.italic());
    m_underline->setChecked(font.underline());
    const Qt::Alignment alignment = cursor.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
    for (int i = 0; i < 4; ++i)
        m_align[i]->setChecked(alignment == Alignments[i]
                               || (i == 0 && alignment == Qt::AlignLeading));
    const int list = m_control->listStyle();
    m_bullets->setChecked(list >= 0 && ListLevels::isBullet(ListLevels::Style(list)));
    m_numbering->setChecked(list >= 0 && !ListLevels::isBullet(ListLevels::Style(list)));
    m_refreshing = false;
}
