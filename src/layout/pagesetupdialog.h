#pragma once
// "Page Setup": paper size, orientation and margins of the current document, shown and typed
// in inches; EditPageSetup moves the six values between the text control and the dialog.
#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TextControl;

class PageSetupDialog : public QDialog {
    Q_OBJECT
public:
    // `printerOrientation`: 1 portrait, 2 landscape, the default printer's.
    explicit PageSetupDialog(int printerOrientation, QWidget* parent = nullptr);

    // Format > Page Setup on a text control.
    static void EditPageSetup(TextControl* control);

    // The largest paper side: 22 inches, the most a Word document can hold.
    static constexpr int MaxPaperTwips = 22 * 1440;

    bool valuesValid() const;
    void recogniseSize();

private:
    void paperChosen(int index);
    void orientationChosen(int index);
    void validate();
    void confirm();

    QComboBox* m_paper;
    QLineEdit* m_width;
    QLineEdit* m_height;
    QLineEdit* m_margins[4];  // left, top, right, bottom
    QRadioButton* m_orientation[3];  // 1 portrait, 2 landscape; 0 unused
    QPushButton* m_ok;
};
