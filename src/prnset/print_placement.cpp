#include "prnset/print_placement.h"

#include <cmath>

namespace kelmora {
namespace {

constexpr double kMillimetresPerInch = 25.4;

}  // namespace

int millimetresToPixels(double millimetres, int pixelsPerInch) {
    return static_cast<int>(std::lround(millimetres * pixelsPerInch / kMillimetresPerInch));
}

PrintPlacement placeMonthPicture(const PrintableArea& area, const PrintMargins& margins, int pictureWidth,
                                 int pictureHeight, int pixelsPerInch) {
    if (area.resolution <= 0 || pictureWidth <= 0 || pictureHeight <= 0 || pixelsPerInch <= 0) return {};
    // The usable width in whole millimetres, the picture's height in the
    // same measure from its shape.
    const long usableWidth =
        std::lround(area.width * kMillimetresPerInch / area.resolution) - margins.left - margins.right;
    if (usableWidth <= 0) return {};
    const long usableHeight = std::lround(static_cast<double>(pictureHeight) * usableWidth / pictureWidth);

    PrintPlacement at;
    at.x = millimetresToPixels(margins.left, pixelsPerInch);
    at.y = millimetresToPixels(margins.top, pixelsPerInch);
    at.width = millimetresToPixels(usableWidth, pixelsPerInch);
    at.height = millimetresToPixels(usableHeight, pixelsPerInch);

    // A month of tall rows would lose its last weeks below the page's edge:
    // it is made smaller, keeping its shape, to end at the printable bottom.
    const int room = static_cast<int>(std::lround(static_cast<double>(area.height) * pixelsPerInch / area.resolution)) - at.y;
    if (room <= 0) return {};
    if (at.height > room) {
        at.height = room;
        at.width = static_cast<int>(std::lround(static_cast<double>(room) * pictureWidth / pictureHeight));
    }
    return at;
}

}  // namespace kelmora
