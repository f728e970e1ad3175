#pragma once
// Frame lines round paragraphs: which sides carry a line, lines between tab columns, single or
// double lines, frames of neighbouring paragraphs joined into one box, line width and distance
// to the text. They live in the paragraph's block format and are drawn over the laid-out text,
// on screen and in print alike; they take no room of their own.
#include <QRectF>
#include <QTextFormat>

class QPainter;
class QTextBlock;
class QTextBlockFormat;
class QTextCursor;
class QTextDocument;

namespace ParagraphFrames {

enum Flag {
    Left = 1, Right = 2, Top = 4, Bottom = 8, TabLines = 16, SingleLines = 32, DoubleLines = 64,
    Connected = 128,
    LeftOff = 256, RightOff = 512, TopOff = 1024, BottomOff = 2048, TabLinesOff = 4096,
};
constexpr int Sides = Left | Right | Top | Bottom;
constexpr int DefaultLineWidth = 20;  // twips, 1 pt

enum Property {
    StyleProperty = QTextFormat::UserProperty + 40,  // the flags kept: 1..16, 64, 128
    LineWidthProperty,                               // twips
    DistanceProperty,                                // twips
};

// Flags kept by a paragraph (sides, tab lines, double, connected).
int style(const QTextBlockFormat& format);
int lineWidth(const QTextBlockFormat& format);
int distance(const QTextBlockFormat& format);

// The flags that every selected paragraph has; width and distance, -1 when the paragraphs differ.
int selectionStyle(const QTextCursor& cursor);
int selectionLineWidth(const QTextCursor& cursor);
int selectionDistance(const QTextCursor& cursor);

// Applies a written style value to kept flags: 1..16 and 64 and 128 turn their part on, the
// flags 256..4096 turn a part off, 32 turns double lines off. A paragraph without any side
// left loses the rest of its frame.
int applyStyle(int kept, int written);

// Writes the value onto each selected paragraph, one undo step.
void setSelectionStyle(QTextCursor cursor, int written);
void setSelectionLineWidth(QTextCursor cursor, int twips);
void setSelectionDistance(QTextCursor cursor, int twips);

// Draws the frames of the body paragraphs that meet `exposed` (layout units).
void draw(QPainter* painter, const QRectF& exposed, const QTextDocument* document);

}  // namespace ParagraphFrames
