#pragma once
// The 96-per-inch device every document of the control is laid out for, so that fonts measure
// the same on every screen and printer.
class QPaintDevice;

namespace LayoutDevice {
QPaintDevice* get();
}  // namespace LayoutDevice
