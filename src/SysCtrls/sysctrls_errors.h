#pragma once
// The refusals of the application components. Each carries its fixed text;
// what() is UTF-8, text() the same as a QString for a message box.

#include <QString>
#include <stdexcept>

namespace kelmora {

class SysCtrlsError : public std::runtime_error {
public:
    explicit SysCtrlsError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString text() const { return QString::fromUtf8(what()); }
};

// A second single-instance guard in one process.
class EMultiSingleInstance : public SysCtrlsError {
public:
    EMultiSingleInstance() : SysCtrlsError(QStringLiteral("Only single component allowed")) {}
};

// This process is a second copy and the guard's reaction is to raise.
class EMultiAppInstance : public SysCtrlsError {
public:
    explicit EMultiAppInstance(const QString& message) : SysCtrlsError(message) {}
};

// A second application-events component in one process.
class EPseudoAppError : public SysCtrlsError {
public:
    EPseudoAppError() : SysCtrlsError(QStringLiteral("Only Single Instance Allowed")) {}
};

class EAnimateFormError : public SysCtrlsError {
public:
    explicit EAnimateFormError(const QString& message) : SysCtrlsError(message) {}
    static EAnimateFormError ownerNotForm() { return EAnimateFormError(QStringLiteral("Owner must be a form")); }
    // "muse" is the established spelling of this text; keep it.
    static EAnimateFormError notOnMainForm() {
        return EAnimateFormError(QStringLiteral("AnimateForm muse be placed in a main form"));
    }
};

}  // namespace kelmora
