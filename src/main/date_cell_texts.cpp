#include "main/date_cell_texts.h"

namespace kelmora {

std::vector<PlacedText> layOutDateCellTexts(const QFontMetrics& metrics, const QRect& textRect, const QRect& number,
                                            bool atLeft, const QStringList& almanac, const QStringList& holidayNames) {
    // A third of an em between two texts and between the texts and the number.
    const int gap = metrics.horizontalAdvance(QChar(0x3000)) / 3;
    // Texts run from `edge` towards the number; `room` is what is left.
    int edge = atLeft ? textRect.left() : textRect.left() + textRect.width();
    int room = atLeft ? number.left() - gap - edge : edge - (number.left() + number.width() + gap);

    std::vector<PlacedText> placed;
    const auto place = [&](const QString& text) {
        const int width = metrics.horizontalAdvance(text);
        const int x = atLeft ? edge : edge - width;
        placed.push_back({text, QRect(x, textRect.top(), width, textRect.height())});
        edge += atLeft ? width + gap : -(width + gap);
        room -= width + gap;
    };
    for (const QString& text : almanac)
        if (metrics.horizontalAdvance(text) <= room) place(text);
    for (const QString& name : holidayNames) {
        if (metrics.horizontalAdvance(name) <= room) {
            place(name);
            continue;
        }
        const QString shortened = metrics.elidedText(name, Qt::ElideRight, room);
        // Nothing but the ellipsis says nothing.
        if (shortened.size() > 1 && metrics.horizontalAdvance(shortened) <= room) place(shortened);
        break;
    }
    return placed;
}

}  // namespace kelmora
