#pragma once
// The application-wide hint settings and application events, set on the main
// window and handed to the application object once, at load time.
//
// The owner sets the properties and handlers, then calls loaded() once -- the
// moment the window's stored settings would have been read, before the window
// registers itself as the main form. loaded() does nothing when a main form is
// already registered (the component is not on the first window). An
// application event assigned earlier keeps its handler; the component's goes
// only into empty slots, and it takes back what it gave when it is destroyed,
// so no notice reaches a window that is gone.

#include <QObject>

#include "SysCtrls/application_object.h"

namespace kelmora {

class TPseudoApp : public QObject {
    Q_OBJECT
public:
    // Throws EPseudoAppError when another one lives in this process.
    explicit TPseudoApp(QObject* owner = nullptr);
    ~TPseudoApp() override;

    Colour HintColor = kSystemInfoBackground;
    int HintPause = 500;
    int HintShortPause = 50;
    int HintHidePause = 2500;
    bool ShowHint = true;
    bool ShowMainForm = true;

    decltype(ApplicationObject::OnActivate)::Handler OnActivate;
    decltype(ApplicationObject::OnDeactivate)::Handler OnDeactivate;
    decltype(ApplicationObject::OnException)::Handler OnException;
    decltype(ApplicationObject::OnIdle)::Handler OnIdle;
    decltype(ApplicationObject::OnHelp)::Handler OnHelp;
    decltype(ApplicationObject::OnHint)::Handler OnHint;
    decltype(ApplicationObject::OnMessage)::Handler OnMessage;
    decltype(ApplicationObject::OnMinimize)::Handler OnMinimize;
    decltype(ApplicationObject::OnRestore)::Handler OnRestore;
    decltype(ApplicationObject::OnShowHint)::Handler OnShowHint;

    void loaded();

private:
    bool handedOver_ = false;
};

}  // namespace kelmora
