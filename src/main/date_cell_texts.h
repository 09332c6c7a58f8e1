#pragma once
// Where the small texts of a date cell go when the almanac is shown: on the
// side opposite the day number, the almanac's texts (六曜, then a solar term)
// from the cell's edge inwards and the holiday names beside them, towards
// the number. Nothing overlaps the number or another text: an almanac text
// that finds no room is left out, and a holiday name is cut short with "…".

#include <QFontMetrics>
#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

namespace kelmora {

struct PlacedText {
    QString text;
    QRect rect;  // exactly the text's width, the whole height of the line
};

// `metrics` of the small texts' font; `textRect` the cell's text area;
// `number` the extent of the drawn day number; `atLeft` puts the texts at
// the left edge (the number at the right), otherwise at the right edge.
std::vector<PlacedText> layOutDateCellTexts(const QFontMetrics& metrics, const QRect& textRect, const QRect& number,
                                            bool atLeft, const QStringList& almanac, const QStringList& holidayNames);

}  // namespace kelmora
