#pragma once
// The main window's tool bar: ten latching buttons and the zoom box.
#include "components/panels/panel.h"

class LatchButton;
class QComboBox;
class QLabel;

class ToolBarPanel : public Panel {
    Q_OBJECT
public:
    enum Button { New = 0, Open, Save, Cut, Copy, Paste, Print, PrintPreview, Help, SpellCheck };
    static constexpr int ButtonCount = 10;

    explicit ToolBarPanel(QWidget* parent = nullptr);

    LatchButton* button(int index) const { return m_buttons[index]; }
    QComboBox* zoomBox() const { return m_zoom; }

    // Selects a zoom box entry as a program does: the box's click follows.
    void setListIndex(int index);

    // The zoom factor the zoom box's text stands for.
    static int zoomFactorForText(const QString& text);

signals:
    void buttonClicked(int index, bool value);
    void zoomClicked();

private:
    LatchButton* m_buttons[ButtonCount];
    QComboBox* m_zoom;
    QLabel* m_label;
};
