#pragma once
// Qt's HTML reader takes spacing in pixels only and font sizes in points or pixels; other
// programs (LibreOffice among them) write inches, centimetres and points, which it then
// ignores, leaving its own wider paragraph spacing in place. This brings such lengths to the
// units Qt reads before it reads them.
#include <QString>

namespace CssUnits {

// `html` with the lengths inside its style sheets and style attributes in units Qt takes:
// spacing (margins, padding, indents, line heights) in pixels, other lengths in in, cm or mm
// (font sizes) in points.
QString inPoints(const QString& html);

}  // namespace CssUnits
