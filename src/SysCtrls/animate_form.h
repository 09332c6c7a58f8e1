#pragma once
// Minimise and restore of the main form with the desktop's sounds.
//
// Here the main form owns its own task-bar entry and the window system
// animates it, so what remains is the sound: "Minimize" when the form is
// minimised, "RestoreUp" when it comes back. The application's minimise and
// restore events are fired by the application object, which watches the main
// form (ApplicationObject::setMainForm), once per change, with or without this
// component.
//
// Constructed in the main form's constructor, before the form registers
// itself as the main form; a form created while another is registered is
// refused.

#include <QObject>

#include "SysCtrls/system_sounds.h"

class QWidget;

namespace kelmora {

class TAnimateForm : public QObject {
    Q_OBJECT
public:
    // Throws EAnimateFormError when `owner` is not a top-level window, or
    // when the application has a main form other than `owner`.
    explicit TAnimateForm(QObject* owner, SystemSounds& sounds = desktopSounds());
    ~TAnimateForm() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* form_;
    SystemSounds& sounds_;
};

}  // namespace kelmora
