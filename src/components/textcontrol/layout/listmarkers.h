#pragma once
// The list markers Qt does not draw itself: numbers (so that a list can start at any number)
// and the dash bullet. Drawn over the laid-out text on screen, in the preview and in print.
#include <QRectF>

class QPainter;
class QTextDocument;

namespace ListMarkers {

void draw(QPainter* painter, const QRectF& exposed, const QTextDocument* document);

}  // namespace ListMarkers
