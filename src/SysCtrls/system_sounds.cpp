#include "SysCtrls/system_sounds.h"

#include <QtGlobal>

#if defined(Q_OS_WIN)
#include <windows.h>
#include <mmsystem.h>
#endif

namespace kelmora {
namespace {

class DesktopSounds final : public SystemSounds {
public:
    void play(const QString& alias) override {
#if defined(Q_OS_WIN)
        PlaySoundW(reinterpret_cast<LPCWSTR>(alias.utf16()), nullptr, SND_ALIAS | SND_ASYNC | SND_NODEFAULT);
#else
        Q_UNUSED(alias);
#endif
    }
};

}  // namespace

SystemSounds& desktopSounds() {
    static DesktopSounds sounds;
    return sounds;
}

}  // namespace kelmora
