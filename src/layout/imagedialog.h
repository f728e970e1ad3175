#pragma once
// Images: Insert Image places a file's picture beside the caret's paragraph, and the Image
// Attributes dialog edits the selected image's distances to the text and its display and save
// modes through the active text control.
#include <QDialog>
#include <QString>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class TextControl;

class ImageDialog : public QDialog {
    Q_OBJECT
public:
    explicit ImageDialog(QWidget* parent = nullptr);
    // The Ok button: writes the distances (placed images only), then display and save mode.
    void apply();

private:
    QGroupBox* m_borders;
    QLineEdit* m_distances[4];
    QCheckBox* m_fastDisplay;
    QCheckBox* m_saveAsData;
};

namespace ImageCommands {
// Asks for an image file and places it at (x, y) twips; reports a file it cannot insert.
void InsertImageFile(TextControl* control, int x, int y);
// Places the picture of `path` at (x, y) twips of the document, as Insert Image does; reports
// a file it cannot insert. True when inserted.
bool InsertImagePath(TextControl* control, const QString& path, int x, int y);
// The Insert menu's Image command: at the caret, 15 twips a pixel.
void insertImage();
// The Format menu's Image command.
void showImageAttributes(QWidget* parent);
}
