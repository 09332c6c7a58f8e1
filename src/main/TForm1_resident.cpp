// The calendar as a resident desktop program: one running copy, the icon in
// the notification area with its menu, and the watch that moves the today
// mark at midnight.

#include <QApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>

#include "SysCtrls/animate_form.h"
#include "SysCtrls/application_object.h"
#include "SysCtrls/pseudo_app.h"
#include "SysCtrls/single_instance.h"
#include "platform/program_icon.h"
#include "main/TForm1.h"
#include "platform/qt_text.h"
#include "main/cp932.h"
#include "platform/owner_draw_grid.h"

namespace kelmora {
namespace {

constexpr int kWatchInterval = 10000;      // ms
constexpr int kMidnightInterval = 1000;    // ms, from 23:59


}  // namespace

void TForm1::createApplicationComponents() {
    keyboardModifiers = [] { return QGuiApplication::queryKeyboardModifiers(); };
    if (!env_.uniqueName.isEmpty()) {
        SingleInstance1 = new TSingleInstance(this);
        SingleInstance1->UniqueName = env_.uniqueName;
        SingleInstance1->DupInstAction = diActivateFirst;
        SingleInstance1->OnDuplicate = [this](QObject*) { SingleInstance1Duplicate(); };
        connect(SingleInstance1, &TSingleInstance::activationRequested, this, [this] { bringToFront(); });
        if (!SingleInstance1->loaded()) {
            duplicate_ = true;
            return;
        }
    }
    PseudoApp1 = new TPseudoApp(this);
    PseudoApp1->OnIdle = [this](QObject*, bool&) { PseudoApp1Idle(); };
    PseudoApp1->OnMinimize = [this](QObject*) { PseudoApp1Minimize(); };
    PseudoApp1->OnRestore = [this](QObject*) { PseudoApp1Restore(); };
    PseudoApp1->loaded();
    AnimateForm1 = new TAnimateForm(this);

    Timer2 = new QTimer(this);
    Timer2->setInterval(kWatchInterval);
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2Timer(); });
    Timer2->start();
}

void TForm1::SingleInstance1Duplicate() {
    env_.dialogs->inform(cp932::literal("既に起動しています"));
}

// Out of the minimised state first: a hidden minimised window would be
// shown minimised again.
void TForm1::bringToFront() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void TForm1::createTrayMenu() {
    TrayMenu = new QMenu(this);
    mnu_restore = TrayMenu->addAction(japanese("元のサイズに戻す"), this, [this] { mnu_restoreClick(); });
    mnu_restore->setEnabled(false);
    mnu_minimize = TrayMenu->addAction(japanese("最小化"), this, [this] { mnu_minimizeClick(); });
    TrayMenu->addSeparator();
    Exit1 = TrayMenu->addAction(japanese("終了"), this, [this] { eClick(); });
}

// Without a notification area the setting has no effect: the window then
// minimises to its task-bar entry as any window does.
bool TForm1::trayResident() const { return trayIcon && QSystemTrayIcon::isSystemTrayAvailable(); }

void TForm1::addTrayIcon() {
    if (trayIcon) return;
    trayIcon = new QSystemTrayIcon(programIcon(), this);
    trayIcon->setToolTip(QStringLiteral("Kelmora"));
    trayIcon->setContextMenu(TrayMenu);
    connect(trayIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger) mnu_restoreClick();
    });
    // Qt puts the icon back by itself when the notification area comes back.
    trayIcon->show();
}

void TForm1::removeTrayIcon() {
    if (!trayIcon) return;
    trayIcon->hide();
    delete trayIcon;
    trayIcon = nullptr;
}

void TForm1::mnu_restoreClick() { bringToFront(); }

void TForm1::mnu_minimizeClick() { showMinimized(); }

void TForm1::PseudoApp1Minimize() {
    FormClick();
    // Resident: no task-bar entry; the icon is the way back.
    if (trayResident()) QTimer::singleShot(0, this, [this] { hide(); });
    mnu_restore->setEnabled(true);
    mnu_minimize->setEnabled(false);
}

void TForm1::PseudoApp1Restore() {
    mnu_restore->setEnabled(false);
    mnu_minimize->setEnabled(true);
}

// Every ten seconds, every second from 23:59 on: when the date has moved on
// and nothing is in hand (editor, a tool, Ctrl held), the today mark moves.
void TForm1::Timer2Timer() {
    const LocalTime now = env_.clock->now();
    if (now.hour == 23 && now.minute == 59 && Timer2->interval() == kWatchInterval)
        Timer2->setInterval(kMidnightInterval);
    if (now.date.day == model.todayDay || editorShown() || holidayMarking || weekdayMarking ||
        arrowTool.busy() || (keyboardModifiers() & Qt::ControlModifier))
        return;
    model.setToday(now.date);
    Timer2->setInterval(kWatchInterval);
    dg1->viewport()->update();
}

}  // namespace kelmora
