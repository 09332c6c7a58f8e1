#include "SysCtrls/user_key.h"

#include <QtGlobal>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

namespace kelmora {

QString currentUserKey() {
#if defined(Q_OS_UNIX)
    return QString::number(static_cast<qulonglong>(::getuid()));
#else
    // Local server names are per session on Windows already; the account
    // name keeps two users of one session apart.
    return qEnvironmentVariable("USERNAME", QStringLiteral("user"));
#endif
}

}  // namespace kelmora
