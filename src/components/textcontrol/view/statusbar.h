#pragma once
// The control's status bar: page x of y, line, column, zoom and overwrite state of the
// control that has the focus. Shared by all document windows.
#include "viewhost.h"

#include <QWidget>

class QLabel;

class StatusBar : public QWidget {
    Q_OBJECT
public:
    explicit StatusBar(QWidget* parent = nullptr);
    void setTextControl(ViewHost* control);
    ViewHost* textControl() const { return m_control; }
    QString text() const;  // what the bar shows, for tests and accessibility

private:
    void refresh();

    HostPointer m_control;
    QLabel* m_page;
    QLabel* m_line;
    QLabel* m_column;
    QLabel* m_zoom;
    QLabel* m_mode;
};
