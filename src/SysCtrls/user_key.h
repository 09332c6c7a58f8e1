#pragma once
// A short key that tells this desktop user from others on the same machine,
// so that names meant to be per-user do not clash between users.

#include <QString>

namespace kelmora {

QString currentUserKey();

}  // namespace kelmora
