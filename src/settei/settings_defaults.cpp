#include "main/cp932.h"
#include "settei/settings.h"

namespace kelmora {

Settings defaultSettings() {
    const std::string gothic = cp932::literal("ＭＳ Ｐゴシック");
    constexpr Colour black = 0x000000, red = 0x0000FF, white = 0xFFFFFF;

    Settings s;
    s.title = TitleFont{16, cp932::literal("ＭＳ Ｐ明朝"), black, StyleBold | StyleItalic};
    s.windowColour = 0xFFFF80;

    s.header.bkcolor1 = red;
    s.header.bkcolor2 = 0x808000;  // teal
    s.header.font = Tfontset{9, gothic, StyleBold, black, black, 0};
    s.header.textpos = 1;

    s.date.bkrinsetu = 0x808080;
    s.date.bkcolor1 = 0x8080FF;
    s.date.bkcolor2 = 0x80FF80;
    s.date.font = Tfontset{9, gothic, StyleBold, black, black, 0};
    s.date.textpos = 0;
    s.date.holiname = true;

    s.memo.width = 100;
    s.memo.height = 60;
    s.memo.bkrinsetu = white;
    s.memo.bkcolor1 = white;
    s.memo.bkcolor2 = white;
    s.memo.font = Tfontset{9, gothic, 0, red, black, black};

    s.todayMark = true;
    s.todayColour = 0xFF0000;  // blue
    s.arrowColour = 0x008000;  // green
    return s;
}

}  // namespace kelmora
