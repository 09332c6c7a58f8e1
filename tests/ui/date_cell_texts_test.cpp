// The small texts of a date cell with the almanac shown: at every width and
// on either side they keep clear of the number and of each other.

#include "main/date_cell_texts.h"

#include <gtest/gtest.h>

#include <QFont>

namespace kelmora {
namespace {

QFontMetrics smallFont() {
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPointSize(8);
    return QFontMetrics(font);
}

const QStringList kAlmanac = {QStringLiteral("先負"), QStringLiteral("春分")};
const QStringList kNames = {QStringLiteral("春分の日")};

TEST(DateCellTexts, NeverOverlapAndStayInsideAtAnyWidth) {
    const QFontMetrics metrics = smallFont();
    const int almanacWidth = metrics.horizontalAdvance(kAlmanac[0]);
    bool sawShortened = false;
    for (bool atLeft : {false, true}) {
        for (int width = 20; width <= 220; ++width) {
            const QRect textRect(5, 0, width, 17);
            // A two-digit number at the other side.
            const QRect number = atLeft ? QRect(textRect.right() - 13, 2, 14, 13) : QRect(5, 2, 14, 13);
            const auto placed = layOutDateCellTexts(metrics, textRect, number, atLeft, kAlmanac, kNames);
            const std::string where = (atLeft ? "left, width " : "right, width ") + std::to_string(width);
            for (std::size_t i = 0; i < placed.size(); ++i) {
                const QRect& r = placed[i].rect;
                EXPECT_EQ(r.width(), metrics.horizontalAdvance(placed[i].text)) << where;
                EXPECT_TRUE(textRect.contains(r)) << where;
                EXPECT_FALSE(r.intersects(number)) << where << ": " << placed[i].text.toStdString();
                for (std::size_t j = 0; j < i; ++j) EXPECT_FALSE(r.intersects(placed[j].rect)) << where;
            }
            // 六曜 comes first and sits at the edge once there is room for it.
            const int room = width - number.width();
            if (room < almanacWidth) {
                EXPECT_TRUE(placed.empty()) << where;
            }
            if (room >= almanacWidth + 8) {
                ASSERT_FALSE(placed.empty()) << where;
                EXPECT_EQ(placed[0].text, kAlmanac[0]) << where;
                EXPECT_EQ(atLeft ? placed[0].rect.left() : placed[0].rect.right(),
                          atLeft ? textRect.left() : textRect.right())
                    << where;
            }
            // The holiday name is whole or its beginning and an ellipsis.
            for (const PlacedText& t : placed) {
                if (kAlmanac.contains(t.text) || t.text == kNames[0]) continue;
                sawShortened = true;
                EXPECT_TRUE(t.text.size() > 1 && t.text.endsWith(QChar(0x2026)) && kNames[0].startsWith(t.text.chopped(1)))
                    << where << ": " << t.text.toStdString();
            }
        }
    }
    EXPECT_TRUE(sawShortened);
}

TEST(DateCellTexts, AWideCellHoldsEveryTextWholeInOrderFromTheEdge) {
    const QFontMetrics metrics = smallFont();
    const QRect textRect(5, 0, 200, 17);
    const auto right = layOutDateCellTexts(metrics, textRect, QRect(5, 2, 14, 13), false, kAlmanac, kNames);
    ASSERT_EQ(right.size(), 3u);
    EXPECT_EQ(right[0].text, QStringLiteral("先負"));
    EXPECT_EQ(right[1].text, QStringLiteral("春分"));
    EXPECT_EQ(right[2].text, QStringLiteral("春分の日"));
    EXPECT_LT(right[1].rect.right(), right[0].rect.left());
    EXPECT_LT(right[2].rect.right(), right[1].rect.left());

    const auto left = layOutDateCellTexts(metrics, textRect, QRect(190, 2, 14, 13), true, kAlmanac, kNames);
    ASSERT_EQ(left.size(), 3u);
    EXPECT_EQ(left[0].rect.left(), textRect.left());
    EXPECT_GT(left[1].rect.left(), left[0].rect.right());
    EXPECT_GT(left[2].rect.left(), left[1].rect.right());
}

}  // namespace
}  // namespace kelmora
