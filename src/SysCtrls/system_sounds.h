#pragma once
// The desktop's event sounds, named by alias ("Minimize", "RestoreUp").

#include <QString>

namespace kelmora {

class SystemSounds {
public:
    virtual ~SystemSounds() = default;
    // Asynchronous; an alias the desktop does not know plays nothing, not a default beep.
    virtual void play(const QString& alias) = 0;
};

// On Windows the system's sound aliases. Linux desktops have no table of
// sound aliases to ask, so there this plays nothing.
SystemSounds& desktopSounds();

}  // namespace kelmora
