#pragma once
// Images in the document. An image stands in the text like a character, or, placed, sits in a
// floating frame at the side of a paragraph with the text flowing round it; the frame's margins
// are the distances to the text. Each image keeps its identifier and attributes in its format.
#include <QImage>
#include <QMarginsF>
#include <QRectF>
#include <QString>
#include <QTextFormat>
#include <optional>

class QTextCharFormat;
class QTextCursor;
class QTextDocument;
class QTextFrame;

namespace Objects {

enum Property {
    IdProperty = QTextFormat::UserProperty + 60,  // on the image: its identifier
    DisplayModeProperty,                          // on the image: 1 fast display
    SaveModeProperty,                             // on the image: 1 saved as data, 0 linked
    SourceProperty,                               // on the image: the file it came from
    TextflowProperty,                             // on a placed image's frame: how text flows
    DistanceProperty,                             // on an image in the text: 4 distances, twips
};

// Name under which a document lists the images it holds as resources.
inline constexpr const char* ImageNamesProperty = "scrivoraImageNames";

// The image of file `path` scaled in percent and named for the document's next identifier;
// nothing (and `error` set) when the file holds no image Qt can read.
std::optional<QTextImageFormat> load(QTextDocument* document, const QString& path, int scaleX, int scaleY, QString* error);

// The selected image's position, -1 when the selection is not exactly one image.
int selectedImage(const QTextCursor& cursor);
int idAt(const QTextDocument* document, int position);
// The floating frame that holds a placed image, null for an image in the text.
QTextFrame* placedFrame(const QTextDocument* document, int position);
// Lays out again the text that flows round a placed image after it changed: the layout
// redoes only the changed frame on its own.
void reflowAround(QTextFrame* frame);
// The image's rectangle in layout units, empty when it is not laid out.
QRectF rect(const QTextDocument* document, int position);
// The image under a point (layout units), -1 for none.
int imageAt(const QTextDocument* document, QPointF point);

// An image of the document as the file formats write it: the picture, its PNG data and its
// size on the page in layout units. Nothing when the document has no picture of that name.
struct Picture {
    QImage image;
    QByteArray png;
    QSizeF size;
};
std::optional<Picture> picture(const QTextDocument* document, const QTextImageFormat& format);
QByteArray png(const QImage& image);

// Whether an image is saved as a link to its file rather than with its data.
bool isLinked(const QTextCharFormat& format);
// Gives every linked image of the document that has no picture yet the picture of its file,
// found where it was or in `folder`; a file that is gone shows as a grey placeholder.
void loadLinks(QTextDocument* document, const QString& folder);

// Puts `image` at the cursor in a new floating frame at the left or right side of the
// paragraph, `distances` (layout units) from the text flowing round it as `textflow` says;
// returns the frame, its image selected by the cursor.
QTextFrame* place(QTextCursor& cursor, const QTextImageFormat& image, bool right, const QMarginsF& distances,
                  int textflow);
// Distance `index` (1 left, 2 top, 3 right, 4 bottom) between the selected image and the text,
// twips; 0 when no image is selected or for another index.
int distance(const QTextCursor& cursor, int index);
// Sets that distance of the selected image where it is placed: its frame's margin, with the
// text laid out round it again. False for an image in the text, which keeps its distances in
// its format.
bool setPlacedDistance(const QTextCursor& cursor, int index, int twips);
// Gives the selected image `size` (layout units), and its frame too where it is placed; false
// when no image is selected or the size is too small to grab.
bool resize(QTextCursor cursor, QSizeF size);

// The open-dialog filter of every image format Qt reads: "Images (*.png ...)|*.png;...".
QString filters();

}  // namespace Objects
