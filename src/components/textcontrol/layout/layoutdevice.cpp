#include "layoutdevice.h"

#include <QImage>

namespace LayoutDevice {

QPaintDevice* get()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        return image;
    }();
    return &device;
}

}  // namespace LayoutDevice
