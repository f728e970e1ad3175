#pragma once
// The control's own Font and Paragraph dialogs: they show the selection's formats and apply
// what the user changes as one formatting step.
#include <QDialog>
#include <QTextTableFormat>
#include <QTextBlockFormat>
#include <QTextCharFormat>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFontComboBox;
class QLabel;
class QLineEdit;
class TextControl;

class FontDialog : public QDialog {
    Q_OBJECT
public:
    FontDialog(const QTextCharFormat& current, QWidget* parent);
    // The properties the user changed in the dialog, nothing else.
    QTextCharFormat format() const;

private:
    QTextCharFormat shownFormat() const;  // everything the boxes show
    void updatePreview();
    QTextCharFormat m_shown;  // as the dialog opened
    QFontComboBox* m_family;
    QComboBox* m_size;
    QCheckBox* m_bold;
    QCheckBox* m_italic;
    QComboBox* m_underline;
    QCheckBox* m_strike;
    QComboBox* m_position;
    QComboBox* m_colour;
    QLabel* m_preview;
};

// The table at the caret: its border, the padding of its cells, its width and alignment, the
// width of the caret's column and the shading of the selected cells.
class TableAttributesDialog : public QDialog {
    Q_OBJECT
public:
    TableAttributesDialog(const QTextTableFormat& current, int column, const QColor& shading, QWidget* parent);
    QTextTableFormat format() const;
    // The cells' background; invalid for none.
    QColor shading() const;

private:
    QTextTableFormat m_current;
    int m_column;
    QDoubleSpinBox* m_border;
    QDoubleSpinBox* m_padding;
    QDoubleSpinBox* m_width;
    QDoubleSpinBox* m_columnWidth;
    QComboBox* m_alignment;
    QComboBox* m_shading;
};

class ParagraphDialog : public QDialog {
    Q_OBJECT
public:
    ParagraphDialog(const QTextBlockFormat& current, QWidget* parent);
    QTextBlockFormat format() const;

private:
    QComboBox* m_alignment;
    QDoubleSpinBox* m_left;
    QDoubleSpinBox* m_right;
    QDoubleSpinBox* m_first;
    QDoubleSpinBox* m_before;
    QDoubleSpinBox* m_after;
    QComboBox* m_spacing;
    QLineEdit* m_tabs;
};

namespace ParagraphTabs {
// Tab stops as the paragraph dialog shows them: positions in inches separated by blanks.
QString toText(const QList<QTextOption::Tab>& tabs);
// Left tab stops from that text, in order; what is not a positive number is left out.
QList<QTextOption::Tab> fromText(const QString& text);
}
