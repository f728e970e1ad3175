#pragma once
// How high a line of a font is where letters are written: Word and LibreOffice take a font's
// ascent, descent and line gap from its horizontal header (or from its OS/2 typographic values
// when the font asks for them), where Qt takes the Windows ascent and descent and adds the line
// gap on top. For most fonts the two agree; for Calibri's and Cambria's stand-ins they differ by
// a fifth of a line.
class QFont;
class QPaintDevice;

namespace FontLineMetrics {

struct Metrics {
    double ascent = 0;   // as the letter writers measure, layout units
    double descent = 0;
    double gap = 0;
    double qtAscent = 0;  // what Qt's lines take for the same font
    double qtDescent = 0;
};

// The metrics of `font` at the device's resolution; kept once measured.
const Metrics& of(const QFont& font, QPaintDevice* device);

}  // namespace FontLineMetrics
