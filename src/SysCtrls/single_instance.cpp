#include "SysCtrls/single_instance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QtDebug>

#include "SysCtrls/sysctrls_errors.h"
#include "SysCtrls/user_key.h"

namespace kelmora {
namespace {

int liveGuards = 0;

constexpr int kConnectWaitMs = 1000;
constexpr int kWriteWaitMs = 1000;
constexpr int kStartGuardWaitMs = 2000;
const QByteArray kActivateMessage = QByteArrayLiteral("activate\n");

}  // namespace

TSingleInstance::TSingleInstance(QObject* owner) : QObject(owner) {
    ErrorMessage = QString::fromUtf8("すでに起動されています");
    if (++liveGuards > 1) {
        --liveGuards;  // no destructor runs for a refused construction
        throw EMultiSingleInstance();
    }
}

TSingleInstance::~TSingleInstance() {
    if (server_) server_->close();  // frees the name for the next start
    --liveGuards;
}

QString TSingleInstance::serverNameFor(const QString& uniqueName) {
    // Percent-encoded, so any unique name makes a plain file name.
    const QString name =
        QString::fromLatin1(uniqueName.toUtf8().toPercentEncoding()) + QLatin1Char('-') + currentUserKey();
#if defined(Q_OS_UNIX)
    // In the user's own runtime folder (mode 0700), where no other user can
    // put a socket of that name first and so keep the program from starting.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty()) return QDir(runtime).filePath(name);
#endif
    return name;
}

QString TSingleInstance::startGuardPathFor(const QString& serverName) {
    const QFileInfo socket(serverName);
    const QDir folder = socket.isAbsolute() ? socket.dir() : QDir(QDir::tempPath());
    return folder.filePath(socket.fileName() + QStringLiteral(".lock"));
}

bool TSingleInstance::loaded() {
    if (loadedOnce_) return first_;
    loadedOnce_ = true;

    const QString name = serverNameFor(UniqueName);
    // Two copies started at the same moment decide one after the other, so
    // neither takes the name away from the other.
    QLockFile startGuard(startGuardPathFor(name));
    startGuard.tryLock(kStartGuardWaitMs);

    QLocalSocket first;
    first.connectToServer(name);
    if (!first.waitForConnected(kConnectWaitMs)) {
        // Nobody answers: no first copy, or one that died and left its name.
        return listenAsFirst(name);
    }
    startGuard.unlock();

    if (OnDuplicate) OnDuplicate(this);
    switch (DupInstAction) {
        case diActivateFirst:
            askFirstToComeForward(first);
            requestEnd();
            break;
        case diException:
            throw EMultiAppInstance(ErrorMessage);
        case diTerminate:
            requestEnd();
            break;
    }
    return false;
}

bool TSingleInstance::listenAsFirst(const QString& serverName) {
    auto* server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(serverName)) {
        // A crashed first copy left its name behind. (Qt already replaces it
        // when access is restricted to the user; this covers the other paths.)
        QLocalServer::removeServer(serverName);
        if (!server->listen(serverName)) {
            // The guard cannot mark this copy; running unguarded beats refusing the user.
            qWarning("single instance guard: cannot listen on %s: %s", qPrintable(serverName),
                     qPrintable(server->errorString()));
            delete server;
            return first_ = true;
        }
    }
    server_ = server;
    first_ = true;
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* peer = server_->nextPendingConnection()) {
            connect(peer, &QLocalSocket::readyRead, this, [this, peer] { readActivation(peer); });
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            if (peer->bytesAvailable() > 0) readActivation(peer);
        }
    });
    return first_;
}

void TSingleInstance::readActivation(QLocalSocket* peer) {
    while (peer->canReadLine()) {
        if (peer->readLine() == kActivateMessage) emit activationRequested();
    }
}

void TSingleInstance::askFirstToComeForward(QLocalSocket& first) {
    first.write(kActivateMessage);
    first.flush();
    if (first.bytesToWrite() > 0) first.waitForBytesWritten(kWriteWaitMs);
    first.disconnectFromServer();
}

void TSingleInstance::requestEnd() {
    endRequested_ = true;
    // Queued, like a quit message: the loop that runs next ends at once.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

}  // namespace kelmora
