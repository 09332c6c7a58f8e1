#pragma once
// Where the month's picture goes on the printed page: as wide as the
// printable area less the left and right margins, below the top margin,
// its height following from its shape. A picture that would run past the
// bottom of the printable area is made smaller to fit it instead.

namespace kelmora {

// The printer's printable area in its own pixels, and its pixels per inch.
struct PrintableArea {
    int width = 0;
    int height = 0;
    int resolution = 0;
};

// Margins in millimetres from the edges of the printable area.
struct PrintMargins {
    int top = 0;
    int left = 0;
    int right = 0;
};

// A rectangle on the drawing surface, whose origin is the printable area's
// top-left corner. Empty when the margins leave no room.
struct PrintPlacement {
    int x = 0, y = 0, width = 0, height = 0;
    bool empty() const { return width <= 0 || height <= 0; }
};

// `pixelsPerInch`: the drawing surface's density (the printer's own for
// paper, the screen's times the zoom for the preview).
PrintPlacement placeMonthPicture(const PrintableArea& area, const PrintMargins& margins, int pictureWidth,
                                 int pictureHeight, int pixelsPerInch);

// Millimetres as pixels of a surface of this density, rounded.
int millimetresToPixels(double millimetres, int pixelsPerInch);

}  // namespace kelmora
