#pragma once
// The horizontal ruler of one text control: page margins, the current paragraph's indents
// and tab stops, in inches, lined up with the page on screen at every zoom.
#include <QPointer>
#include <QWidget>

class TextControl;

class Ruler : public QWidget {
    Q_OBJECT
public:
    explicit Ruler(QWidget* parent = nullptr);
    void setTextControl(TextControl* control);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPointer<TextControl> m_control;
};
