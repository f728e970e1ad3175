#pragma once
// The Paragraph Frames dialog: reads the frame of the selected paragraphs from the active text
// control and writes back, on Ok, only the boxes that the user clicked, then width and distance.
#include <QDialog>

class QCheckBox;
class QComboBox;

class FramesDialog : public QDialog {
    Q_OBJECT
public:
    explicit FramesDialog(QWidget* parent = nullptr);
    // The Ok button: writes FrameStyle, FrameLineWidth and FrameDistance.
    void apply();

    // The style value for the changed boxes; boxes in the order of `Boxes`.
    static int styleValue(int changed, const bool checked[7]);
    // A list box's text as twips: its leading number, rounded half to even, clamped to
    // low..12 points.
    static int pointsToTwips(const QString& text, int low);

private:
    void fill();

    QCheckBox* m_boxes[7];
    QComboBox* m_lineWidth;
    QComboBox* m_distance;
    int m_changed = 0;
};

namespace FrameCommands {
void showParagraphFrames(QWidget* parent);
}
