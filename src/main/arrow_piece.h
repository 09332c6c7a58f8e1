#pragma once
// One piece of a multi-day arrow across a memo cell: the head of its first
// day, a day it passes through, or the head of its last day. The grid, the
// in-cell editor, the printed page and the settings preview all draw arrows
// through this, so a piece looks the same wherever it appears.

#include <QColor>

#include "main/month_model.h"

class QPainter;

namespace kelmora {

constexpr int kArrowPenWidth = 4;

// `left`, `top`: the cell's top-left pixel; `right`: the first pixel right of
// the cell. The line runs `half` pixels below the top (half the height of a
// memo's first line), so the pieces of neighbouring cells join into one line.
void drawArrowPiece(QPainter& painter, ArrowMark kind, int left, int top, int right, int half, const QColor& colour);

}  // namespace kelmora
