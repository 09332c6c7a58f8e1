#include "SysCtrls/animate_form.h"

#include <QWidget>
#include <QWindowStateChangeEvent>

#include "SysCtrls/application_object.h"
#include "SysCtrls/sysctrls_errors.h"

namespace kelmora {
namespace {

QWidget* formAllowedToAnimate(QObject* owner) {
    auto* form = qobject_cast<QWidget*>(owner);
    if (!form || !form->isWindow()) throw EAnimateFormError::ownerNotForm();
    QWidget* mainForm = ApplicationObject::instance().mainForm();
    if (mainForm && mainForm != form) throw EAnimateFormError::notOnMainForm();
    return form;
}

}  // namespace

TAnimateForm::TAnimateForm(QObject* owner, SystemSounds& sounds)
    : QObject(formAllowedToAnimate(owner)), form_(static_cast<QWidget*>(owner)), sounds_(sounds) {
    form_->installEventFilter(this);
}

TAnimateForm::~TAnimateForm() = default;  // Qt drops the filter with this object

bool TAnimateForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == form_ && event->type() == QEvent::WindowStateChange) {
        const bool was = static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMinimized;
        const bool is = form_->isMinimized();
        if (!was && is) sounds_.play(QStringLiteral("Minimize"));
        if (was && !is) sounds_.play(QStringLiteral("RestoreUp"));
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kelmora
