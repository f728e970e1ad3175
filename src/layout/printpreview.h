#pragma once
// "Print Preview": the active document two pages at a time, side by side, drawn by the same
// page painting as printing at a print zoom that fits a whole page into its box. The window
// opens large, can be resized (the pages grow with it) and reopens at the size it was left.
// Page Up and Page Down (and the arrows, Home, End and the wheel) turn the pages two at a time.
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
    // The pages on view that exist: "Pages 1 - 2", or "Page 5" when the right one does not.
    QString caption() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QSize largeSize() const;
    void fitZoom();

    TextControl* m_control;
    QLabel* m_label;
    QScrollBar* m_scroll;
    QWidget* m_leftPage;
    int m_savedZoom;
    int m_wheel = 0;  // wheel turn not yet a whole step
};
