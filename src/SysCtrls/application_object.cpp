#include "SysCtrls/application_object.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QHelpEvent>
#include <QPalette>
#include <QProxyStyle>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolTip>
#include <QWindowStateChangeEvent>

#include "platform/idle_notifier.h"

namespace kelmora {
namespace {

QPalette::ColorRole paletteRoleOfSystemColour(unsigned index) {
    switch (index) {
        case 5: return QPalette::Base;  // window background
        case 8: return QPalette::Text;  // window text
        case 13: return QPalette::Highlight;
        case 14: return QPalette::HighlightedText;
        case 15: return QPalette::Button;
        case 18: return QPalette::ButtonText;
        case 23: return QPalette::ToolTipText;
        default: return QPalette::ToolTipBase;  // 24, the info background
    }
}

QColor qColorOf(Colour colour) {
    if (colour & kSystemColourBit) {
        return QGuiApplication::palette().color(paletteRoleOfSystemColour(colour & 0xFFu));
    }
    return QColor(colour & 0xFFu, (colour >> 8) & 0xFFu, (colour >> 16) & 0xFFu);
}

// Qt takes the delay before a tool tip from the style.
class HintTimingStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_ToolTip_WakeUpDelay) return ApplicationObject::instance().hintPause();
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

}  // namespace

class ApplicationObject::NativeMessages : public QAbstractNativeEventFilter {
public:
    explicit NativeMessages(ApplicationObject& app) : app_(app) {}
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        bool handled = false;
        app_.OnMessage(eventType, message, handled);
        return handled;
    }

private:
    ApplicationObject& app_;
};

ApplicationObject& ApplicationObject::instance() {
    static QPointer<ApplicationObject> object;
    if (!QCoreApplication::instance()) qFatal("the application object needs a QCoreApplication");
    if (!object) object = new ApplicationObject(QCoreApplication::instance());
    return *object;
}

ApplicationObject::ApplicationObject(QObject* parent) : QObject(parent) {
    QCoreApplication* app = QCoreApplication::instance();
    app->installEventFilter(this);
    native_ = new NativeMessages(*this);
    app->installNativeEventFilter(native_);
    idle_ = new IdleNotifier(this);
    connect(idle_, &IdleNotifier::idle, this, &ApplicationObject::deliverIdle);
    if (auto* gui = qobject_cast<QGuiApplication*>(app)) {
        active_ = gui->applicationState() == Qt::ApplicationActive;
        connect(gui, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
            const bool active = state == Qt::ApplicationActive;
            if (active == active_) return;
            active_ = active;
            if (active) {
                OnActivate(this);
            } else {
                OnDeactivate(this);
            }
        });
    }
    // Now rather than when the pause is set: put in place before the windows
    // are made, the style costs no re-polish of every widget.
    ensureHintTimingStyle();
}

ApplicationObject::~ApplicationObject() {
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeNativeEventFilter(native_);
    delete native_;
}

void ApplicationObject::setMainForm(QWidget* form) { mainForm_ = form; }

void ApplicationObject::setHintColor(Colour colour) {
    hintColor_ = colour;
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipBase, qColorOf(colour));
    QToolTip::setPalette(palette);
}

void ApplicationObject::setHintPause(int ms) {
    hintPause_ = ms;
    ensureHintTimingStyle();
}

void ApplicationObject::ensureHintTimingStyle() {
    if (hintTimingStyleSet_ || !qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    hintTimingStyleSet_ = true;
    // Wraps the style in use, which keeps drawing everything else.
    QApplication::setStyle(new HintTimingStyle(QApplication::style()));
}

void ApplicationObject::setShowHint(bool on) {
    showHint_ = on;
    if (!on && qobject_cast<QApplication*>(QCoreApplication::instance())) QToolTip::hideText();
}

bool ApplicationObject::handleException(const std::exception& error) {
    if (!OnException) return false;
    OnException(this, error);
    return true;
}

bool ApplicationObject::help(quint16 command, qintptr data) {
    if (!OnHelp) return true;
    bool callHelp = true;
    OnHelp(command, data, callHelp);
    return callHelp;
}

void ApplicationObject::deliverIdle() {
    if (!OnIdle) return;
    bool done = true;
    OnIdle(this, done);
    // Not done yet: wake the loop once, so the queue runs empty again and
    // the handler is called again without waiting for the user.
    if (!done) QTimer::singleShot(0, this, [] {});
}

bool ApplicationObject::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ToolTip:
            if (auto* widget = qobject_cast<QWidget*>(watched)) {
                if (!showHint_) {
                    QToolTip::hideText();
                    return true;
                }
                // Widgets without a tip of their own (item views) show theirs.
                if (!widget->toolTip().isEmpty()) return showToolTip(widget, event);
            }
            break;
        case QEvent::StatusTip: {
            const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
            if (tip != hint_) {
                hint_ = tip;
                OnHint(this);
            }
            break;
        }
        case QEvent::WindowStateChange:
            if (watched == mainForm_ && mainForm_) {
                const bool was = static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMinimized;
                const bool is = mainForm_->isMinimized();
                if (!was && is) OnMinimize(this);
                if (was && !is) OnRestore(this);
            }
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

bool ApplicationObject::showToolTip(QWidget* control, QEvent* event) {
    const auto* help = static_cast<QHelpEvent*>(event);
    QString text = control->toolTip();
    bool canShow = true;
    HintInfo info{control, help->globalPos(), hintHidePause_};
    OnShowHint(text, canShow, info);
    if (!canShow || text.isEmpty()) {
        QToolTip::hideText();
    } else {
        QToolTip::showText(info.cursorPos, text, control, QRect(), info.hideTimeout);
    }
    return true;
}

}  // namespace kelmora
