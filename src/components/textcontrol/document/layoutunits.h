#pragma once
// The one place where twips meet layout units. The engine lays out at a fixed 96 units per
// inch, whatever the screen, so that screen, preview and print break lines alike.
#include <QtGlobal>
#include <cmath>

namespace LayoutUnits {

constexpr double UnitsPerInch = 96.0;
constexpr int TwipsPerInch = 1440;
constexpr int TwipsPerPoint = 20;

constexpr double fromTwips(double twips) { return twips * UnitsPerInch / TwipsPerInch; }
inline int toTwips(double units) { return int(std::lround(units * TwipsPerInch / UnitsPerInch)); }

// Space between two pages in the page view, and around the pages.
constexpr double PageGap = 16.0;

}  // namespace LayoutUnits
