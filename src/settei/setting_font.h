#pragma once
// A font of the settings (a band's or the title's: face, points, style
// flags) as a Qt font, and a picked Qt font's style as flags.

#include <QFont>
#include <cstdint>
#include <string>

#include "settei/settings.h"

namespace kelmora {

QFont settingFont(const std::string& name, int pointSize, std::uint8_t style);
inline QFont settingFont(const Tfontset& f) { return settingFont(f.name, f.size, f.style); }
inline QFont settingFont(const TitleFont& f) { return settingFont(f.name, f.size, f.style); }

std::uint8_t styleOf(const QFont& font);

}  // namespace kelmora
