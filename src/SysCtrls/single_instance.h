#pragma once
// Refuses a second running copy of the program for the same user.
//
// The first copy listens on a per-user local server named after UniqueName;
// a later copy finds it by connecting. Life cycle, as the main window uses it:
//   construct, set the properties, connect activationRequested, then call
//   loaded() once -- the moment the window's stored settings would have been
//   read. In a second copy loaded() fires OnDuplicate and reacts:
//     diActivateFirst  asks the first copy to come forward, requests the end;
//     diException      throws EMultiAppInstance(ErrorMessage);
//     diTerminate      requests the end.
//   "Requesting the end" posts an exit to the event loop (so a loop that is
//   started anyway stops at once) and sets endRequested(); the owner checks
//   it and does not show the window.

#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;
class QLocalSocket;

namespace kelmora {

enum TDupInstAction { diActivateFirst = 0, diException = 1, diTerminate = 2 };

class TSingleInstance : public QObject {
    Q_OBJECT
public:
    // Throws EMultiSingleInstance when another guard lives in this process.
    explicit TSingleInstance(QObject* owner = nullptr);
    ~TSingleInstance() override;

    TDupInstAction DupInstAction = diActivateFirst;
    QString ErrorMessage;
    QString UniqueName;
    std::function<void(QObject* sender)> OnDuplicate;

    // Decides, once, whether this process is the first copy. True: it is and
    // holds the name until destroyed. False: a duplicate, end requested.
    bool loaded();

    bool isFirstInstance() const { return first_; }
    bool endRequested() const { return endRequested_; }
    // The server name the guard uses for a unique name, for this user: a
    // socket path in the user's runtime folder where the system has one.
    static QString serverNameFor(const QString& uniqueName);

signals:
    // In the first copy: a later copy asked this one to come forward.
    void activationRequested();

private:
    static QString startGuardPathFor(const QString& serverName);
    bool listenAsFirst(const QString& serverName);
    void askFirstToComeForward(QLocalSocket& first);
    void requestEnd();
    void readActivation(QLocalSocket* peer);

    QLocalServer* server_ = nullptr;
    bool first_ = false;
    bool endRequested_ = false;
    bool loadedOnce_ = false;
};

}  // namespace kelmora
