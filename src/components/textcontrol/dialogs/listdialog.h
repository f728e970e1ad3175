#pragma once
// The Bullets and Numbering dialog: the style of the caret's list level (or none), the number
// its first item starts at, and where the items' text starts.
#include <QDialog>

class QComboBox;
class QDoubleSpinBox;
class QSpinBox;

class ListDialog : public QDialog {
    Q_OBJECT
public:
    // `style` as ListLevels::Style; `inList` false shows "None".
    ListDialog(int style, int start, int leftTwips, bool inList, QWidget* parent);
    int style() const;  // -1 for none
    int start() const;
    int leftTwips() const;

private:
    void updateEnabled();
    QComboBox* m_style;
    QSpinBox* m_start;
    QDoubleSpinBox* m_indent;
};
