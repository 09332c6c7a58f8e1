#include "SysCtrls/pseudo_app.h"

#include <QCoreApplication>

#include "SysCtrls/sysctrls_errors.h"

namespace kelmora {
namespace {

int livePseudoApps = 0;

}  // namespace

TPseudoApp::TPseudoApp(QObject* owner) : QObject(owner) {
    if (++livePseudoApps > 1) {
        --livePseudoApps;  // no destructor runs for a refused construction
        throw EPseudoAppError();
    }
}

TPseudoApp::~TPseudoApp() {
    if (handedOver_ && QCoreApplication::instance()) {  // the application object ends with it
        ApplicationObject& app = ApplicationObject::instance();
        app.OnActivate.withdraw(this);
        app.OnDeactivate.withdraw(this);
        app.OnException.withdraw(this);
        app.OnIdle.withdraw(this);
        app.OnHelp.withdraw(this);
        app.OnHint.withdraw(this);
        app.OnMessage.withdraw(this);
        app.OnMinimize.withdraw(this);
        app.OnRestore.withdraw(this);
        app.OnShowHint.withdraw(this);
    }
    --livePseudoApps;
}

void TPseudoApp::loaded() {
    ApplicationObject& app = ApplicationObject::instance();
    if (handedOver_ || app.mainForm()) return;
    handedOver_ = true;
    app.setHintColor(HintColor);
    app.setHintPause(HintPause);
    app.setHintShortPause(HintShortPause);
    app.setHintHidePause(HintHidePause);
    app.setShowHint(ShowHint);
    app.setShowMainForm(ShowMainForm);
    app.OnActivate.offer(OnActivate, this);
    app.OnDeactivate.offer(OnDeactivate, this);
    app.OnException.offer(OnException, this);
    app.OnIdle.offer(OnIdle, this);
    app.OnHelp.offer(OnHelp, this);
    app.OnHint.offer(OnHint, this);
    app.OnMessage.offer(OnMessage, this);
    app.OnMinimize.offer(OnMinimize, this);
    app.OnRestore.offer(OnRestore, this);
    app.OnShowHint.offer(OnShowHint, this);
}

}  // namespace kelmora
