#include "sigcapture.h"

#include "components/commondialog/commondialog.h"
#include "signaturetexts.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTabletEvent>
#include <QTouchEvent>
#include <QVBoxLayout>

SigningPad::SigningPad(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SigningPad"));
    setAttribute(Qt::WA_AcceptTouchEvents);
    setMinimumSize(400, 140);
    setCursor(Qt::CrossCursor);
    m_signature.area = size();
}

void SigningPad::clear()
{
    m_signature.strokes.clear();
    update();
    emit changed();
}

void SigningPad::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_signature.area = size();
}

void SigningPad::begin(const QPointF& at, double pressure)
{
    m_signature.strokes.append({{at, pressure}});
    update();
    emit changed();
}

void SigningPad::extend(const QPointF& at, double pressure)
{
    if (m_signature.strokes.isEmpty())
        return begin(at, pressure);
    m_signature.strokes.last().append({at, pressure});
    update();
}

void SigningPad::mousePressEvent(QMouseEvent* event) { begin(event->position(), 0.5); }

void SigningPad::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        extend(event->position(), 0.5);
}

void SigningPad::tabletEvent(QTabletEvent* event)
{
    if (event->type() == QEvent::TabletPress)
        begin(event->position(), event->pressure());
    else if (event->type() == QEvent::TabletMove && event->pressure() > 0)
        extend(event->position(), event->pressure());
    event->accept();
}

bool SigningPad::event(QEvent* event)
{
    if (event->type() == QEvent::TouchBegin || event->type() == QEvent::TouchUpdate) {
        const auto* touch = static_cast<QTouchEvent*>(event);
        if (!touch->points().isEmpty()) {
            const QPointF at = touch->points().first().position();
            event->type() == QEvent::TouchBegin ? begin(at, 0.6) : extend(at, 0.6);
        }
        return true;
    }
    return QWidget::event(event);
}

void SigningPad::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(QPen(QColor(0xc0, 0xc0, 0xc0), 1, Qt::DashLine));
    painter.drawLine(20, height() - 30, width() - 20, height() - 30);  // the line to sign on
    painter.setRenderHint(QPainter::Antialiasing);
    for (const SignatureStroke& stroke : m_signature.strokes)
        for (int i = 0; i < stroke.size(); ++i) {
            painter.setPen(QPen(QColor(0x10, 0x10, 0x30), 1.2 + 2.0 * stroke.at(i).pressure, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(stroke.at(std::max(0, i - 1)).position, stroke.at(i).position);
        }
}

SignatureDialog::SignatureDialog(const QString& title, const QString& prompt, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SignatureCapture"));
    setWindowTitle(title);
    auto* label = new QLabel(prompt, this);
    label->setObjectName(QStringLiteral("lblPrompt"));
    m_pad = new SigningPad(this);
    auto* clear = new QPushButton(SignatureTexts::Clear, this);
    clear->setObjectName(QStringLiteral("cmdClear"));
    m_ok = new QPushButton(SignatureTexts::Ok, this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setDefault(true);
    auto* cancel = new QPushButton(SignatureTexts::Cancel, this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(clear);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_pad, 1);
    layout->addLayout(buttons);
    connect(clear, &QPushButton::clicked, m_pad, &SigningPad::clear);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

SigCapture::SigCapture(QObject* parent) : QObject(parent) { setObjectName(QStringLiteral("SigCapture1")); }

void SigCapture::setProperty(int id, const QVariant& value)
{
    if (id == 2)
        m_prompt = value.toString();
    else if (id == 4)
        m_title = value.toString();
}

QVariant SigCapture::property(int id) const
{
    switch (id) {
    case 1: return m_text;
    case 2: return m_prompt;
    case 4: return m_title;
    default: return {};
    }
}

bool SigCapture::capture(QWidget* parent)
{
    m_text.clear();
    SignatureDialog dialog(m_title, m_prompt, parent);
    if (CommonDialog::provider().exec(&dialog) != QDialog::Accepted || dialog.pad()->signature().isEmpty())
        return false;
    m_text = dialog.pad()->signature().toText();
    return true;
}
