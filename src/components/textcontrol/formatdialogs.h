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
class TextControl;

class FontDialog : public QDialog {
    Q_OBJECT
public:
    FontDialog(const QTextCharFormat& current, QWidget* parent);
    QTextCharFormat format() const;

private:
    void updatePreview();
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

// The table at the caret: its border, the padding of its cells, its width and alignment.
class TableAttributesDialog : public QDialog {
    Q_OBJECT
public:
    TableAttributesDialog(const QTextTableFormat& current, QWidget* parent);
    QTextTableFormat format() const;

private:
    QTextTableFormat m_current;
    QDoubleSpinBox* m_border;
    QDoubleSpinBox* m_padding;
    QDoubleSpinBox* m_width;
    QComboBox* m_alignment;
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
};
