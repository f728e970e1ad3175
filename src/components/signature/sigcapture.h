#pragma once
// The signature-capture control (SigCapture1): the signing dialog with its prompt (property 2)
// and title (property 4); method 5 runs it and says whether a signature was given, property 1
// is the signature as text.
#include "signaturetext.h"

#include <QDialog>
#include <QObject>
#include <QVariant>

class QLabel;
class QPushButton;

// The white area that takes a pen (with pressure), touch or the mouse.
class SigningPad : public QWidget {
    Q_OBJECT
public:
    explicit SigningPad(QWidget* parent = nullptr);
    const Signature& signature() const { return m_signature; }
    void clear();

signals:
    void changed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void tabletEvent(QTabletEvent* event) override;
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void begin(const QPointF& at, double pressure);
    void extend(const QPointF& at, double pressure);
    Signature m_signature;
};

class SignatureDialog : public QDialog {
    Q_OBJECT
public:
    SignatureDialog(const QString& title, const QString& prompt, QWidget* parent = nullptr);
    SigningPad* pad() const { return m_pad; }

private:
    SigningPad* m_pad;
    QPushButton* m_ok;
};

class SigCapture : public QObject {
    Q_OBJECT
public:
    explicit SigCapture(QObject* parent = nullptr);
    void setProperty(int id, const QVariant& value);
    QVariant property(int id) const;
    // Method 5: true when the user signed and accepted.
    bool capture(QWidget* parent);

private:
    QString m_prompt, m_title, m_text;
};
