#pragma once
// The three tool cursors, drawn by the program: a red rubber stamp for
// holiday marking, a blue one for working-day marking, and a pointer with a
// small double-headed span mark for the arrow tool.

#include <QCursor>

namespace kelmora {

enum class ToolCursor { Holiday = 1, Weekday = 2, Range = 3 };

// Made once, on first use.
const QCursor& toolCursor(ToolCursor which);

}  // namespace kelmora
