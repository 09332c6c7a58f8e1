#pragma once
// The process's application object: the hint settings and application events
// the components on the main window hand over, the main form, and the place
// where Qt's notices about the whole application come in.
//
// Delivered from Qt: OnActivate/OnDeactivate (application state), OnIdle (the
// event queue ran empty), OnHint (status tips under the mouse), OnMessage
// (native events), OnMinimize/OnRestore (the main form's window state),
// OnShowHint (every tool tip shown for a widget's own tool tip).
// Hint settings: HintColor is the tool tips' background, HintPause the style's
// wake-up delay, HintHidePause how long a widget's own tool tip stays and
// ShowHint switches all tool tips off. Tips a widget shows by itself (item
// views' per-item tips) keep Qt's display time. HintShortPause is kept but has
// no effect: Qt moves an open tip to the next widget after a fixed 20 ms.
// Not delivered by Qt: OnException (exceptions must not cross Qt's event loop;
// code that catches one hands it to handleException) and OnHelp (Qt has no
// application help request; the help command asks help() first).

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <exception>

#include "SysCtrls/application_event.h"
#include "main/colour.h"

namespace kelmora {

class IdleNotifier;

// What a tool tip about to be shown is about; OnShowHint may change it.
struct HintInfo {
    QWidget* control = nullptr;
    QPoint cursorPos;  // global
    int hideTimeout = 0;  // ms
};

class ApplicationObject : public QObject {
    Q_OBJECT
public:
    // Created with the first use; lives as long as the QCoreApplication.
    static ApplicationObject& instance();

    // The main form is the first window the program creates; it registers
    // itself at the end of its construction. Null until then.
    QWidget* mainForm() const { return mainForm_; }
    void setMainForm(QWidget* form);

    Colour hintColor() const { return hintColor_; }
    void setHintColor(Colour colour);
    // Delay before a tool tip shows (the style's wake-up delay).
    int hintPause() const { return hintPause_; }
    void setHintPause(int ms);
    // Kept only: Qt shows the next tool tip after a fixed 20 ms once one is up.
    int hintShortPause() const { return hintShortPause_; }
    void setHintShortPause(int ms) { hintShortPause_ = ms; }
    int hintHidePause() const { return hintHidePause_; }
    void setHintHidePause(int ms) { hintHidePause_ = ms; }
    bool showHint() const { return showHint_; }
    void setShowHint(bool on);
    // Qt shows no window by itself: the program reads this before showing its main form.
    bool showMainForm() const { return showMainForm_; }
    void setShowMainForm(bool on) { showMainForm_ = on; }

    ApplicationEvent<void(QObject* sender)> OnActivate;
    ApplicationEvent<void(QObject* sender)> OnDeactivate;
    ApplicationEvent<void(QObject* sender, const std::exception& error)> OnException;
    ApplicationEvent<void(QObject* sender, bool& done)> OnIdle;
    ApplicationEvent<bool(quint16 command, qintptr data, bool& callHelp)> OnHelp;
    ApplicationEvent<void(QObject* sender)> OnHint;
    ApplicationEvent<void(const QByteArray& eventType, void* message, bool& handled)> OnMessage;
    ApplicationEvent<void(QObject* sender)> OnMinimize;
    ApplicationEvent<void(QObject* sender)> OnRestore;
    ApplicationEvent<void(QString& hintText, bool& canShow, HintInfo& info)> OnShowHint;

    // The long hint (status tip) of the widget under the mouse.
    QString hint() const { return hint_; }
    // False when no OnException handler took the error.
    bool handleException(const std::exception& error);
    // True when the caller should open the help itself (no handler, or the
    // handler left callHelp set).
    bool help(quint16 command, qintptr data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ApplicationObject(QObject* parent);
    ~ApplicationObject() override;
    void deliverIdle();
    bool showToolTip(QWidget* control, QEvent* event);
    void ensureHintTimingStyle();

    class NativeMessages;

    QPointer<QWidget> mainForm_;
    Colour hintColor_ = kSystemInfoBackground;
    int hintPause_ = 500;
    int hintShortPause_ = 50;
    int hintHidePause_ = 2500;
    bool showHint_ = true;
    bool showMainForm_ = true;
    bool active_ = false;
    bool hintTimingStyleSet_ = false;
    QString hint_;
    IdleNotifier* idle_ = nullptr;
    NativeMessages* native_ = nullptr;
};

}  // namespace kelmora
