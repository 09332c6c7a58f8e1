// Where the month's picture lands on the page, for the margins, the shape
// of the picture and the surface's density.

#include <gtest/gtest.h>

#include "prnset/print_placement.h"

namespace kelmora {
namespace {

// A4 at 1200 dpi with a 10 mm unprintable edge all round.
constexpr PrintableArea kA4{9583, 13699, 1200};

TEST(PrintPlacement, FillsTheWidthBetweenTheMarginsOrFitsTheHeight) {
    struct Case {
        const char* what;
        PrintMargins margins;
        int pictureWidth, pictureHeight, ppi;
        PrintPlacement expected;
    };
    const Case cases[] = {
        // 203 mm printable less 3 + 3; 600 / 710 of 197 mm is 166 mm high.
        {"default margins", {2, 3, 3}, 710, 600, 1200, {142, 94, 9307, 7843}},
        {"no margins", {0, 0, 0}, 710, 600, 1200, {0, 0, 9591, 8126}},
        // 10 mm more on the left: 10 mm to the right, 10 mm narrower, lower in proportion.
        {"left widened", {2, 13, 3}, 710, 600, 1200, {614, 94, 8835, 7465}},
        // 832 mm high would run off the page: as high as the room below the
        // top margin, as wide as its shape allows.
        {"too tall", {2, 3, 3}, 710, 3000, 1200, {142, 94, 3220, 13605}},
        // The same page drawn at the screen's 96 pixels per inch.
        {"preview at 100 %", {2, 3, 3}, 710, 600, 96, {11, 8, 745, 627}},
        {"margins wider than the paper", {2, 150, 60}, 710, 600, 1200, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const PrintPlacement at = placeMonthPicture(kA4, c.margins, c.pictureWidth, c.pictureHeight, c.ppi);
        EXPECT_EQ(at.x, c.expected.x);
        EXPECT_EQ(at.y, c.expected.y);
        EXPECT_EQ(at.width, c.expected.width);
        EXPECT_EQ(at.height, c.expected.height);
    }
}

TEST(PrintPlacement, SixWeeksPrintTallerThanFiveAtTheSameWidth) {
    const PrintPlacement five = placeMonthPicture(kA4, {2, 3, 3}, 710, 560, 1200);
    const PrintPlacement six = placeMonthPicture(kA4, {2, 3, 3}, 710, 650, 1200);
    EXPECT_EQ(five.width, six.width);
    EXPECT_GT(six.height, five.height);
}

}  // namespace
}  // namespace kelmora
