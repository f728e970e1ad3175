#pragma once
// The red wavy line under words that the spelling check does not know: drawn over the
// visible part of the body only, never part of the document.
#include <QRectF>
#include <functional>

class QPainter;
class QTextDocument;

namespace SpellingUnderline {

void draw(QPainter* painter, const QRectF& exposed, const QTextDocument* document,
          const std::function<bool(const QString&)>& known);

}  // namespace SpellingUnderline
