#pragma once
// The control's button bar (the paragraph bar): font name and size, bold, italic,
// underline, alignment, bullets and numbering of the control that has the focus. Shared by all windows.
#include "viewhost.h"

#include <QWidget>

class QComboBox;
class QFontComboBox;
class QToolButton;

class ButtonBar : public QWidget {
    Q_OBJECT
public:
    explicit ButtonBar(QWidget* parent = nullptr);
    void setTextControl(ViewHost* control);
    ViewHost* textControl() const { return m_control; }

private:
    void refresh();
    QToolButton* addButton(const char* name, const QString& tip, const QString& icon,
                           const QString& fallback);

    HostPointer m_control;
    QFontComboBox* m_font;
    QComboBox* m_size;
    QToolButton* m_bold;
    QToolButton* m_italic;
    QToolButton* m_underline;
    QToolButton* m_align[4];
    QToolButton* m_bullets;
    QToolButton* m_numbering;
    bool m_refreshing = false;
};
