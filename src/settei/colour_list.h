#pragma once
// A drop-down list of fifteen named colours, each item drawn by its owner as
// a swatch and its caption. A colour not among them shows no selection.

#include <QComboBox>
#include <array>

#include "main/colour.h"

class QPainter;

namespace kelmora {

struct ColourChoice {
    const char* caption;  // UTF-8
    Colour value;
};

// In list order.
extern const std::array<ColourChoice, 15> kColourChoices;

class TColourList : public QComboBox {
    Q_OBJECT
public:
    static constexpr int kItemHeight = 16;

    explicit TColourList(QWidget* parent = nullptr);

    // Selects the item of this value, or none when it is not in the list.
    void selectColour(Colour value);
    // The value of an item; an index outside 1 to 14 gives black.
    static Colour colourAt(int index);

    // Draws one item: the fill, the caption 24 pixels in, and the swatch.
    static void drawitem(QPainter& painter, const QRect& rect, int index, bool selected, const QPalette& palette);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace kelmora
