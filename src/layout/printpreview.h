#pragma once
// "Print Preview": the active document two pages at a time, side by side, drawn by the same
// page painting as printing at a print zoom that fits a whole page into its box.
#include <QDialog>

class QLabel;
class QScrollBar;
class TextControl;

class PrintPreview : public QDialog {
    Q_OBJECT
public:
    explicit PrintPreview(TextControl* control, QWidget* parent = nullptr);
    ~PrintPreview() override;

    // File > Print Preview on the active document window.
    static void showForActiveWindow();
    QString caption() const;

private:
    TextControl* m_control;
    QLabel* m_label;
    QScrollBar* m_scroll;
    int m_savedZoom;
};
