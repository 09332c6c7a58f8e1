#pragma once
// The toolbar's pictures, drawn by the program (16 × 16).

#include <QIcon>

namespace kelmora {

enum class ToolbarIcon { ThisMonth, Jump, Print, Preview, Cut, Copy, Paste, Holiday, Weekday, Arrow };

QIcon toolbarIcon(ToolbarIcon which);

}  // namespace kelmora
