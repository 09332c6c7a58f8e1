#pragma once
// Every message box and picker of the windows goes through this, so tests
// answer them by script.

#include <QFont>
#include <QString>
#include <optional>

#include "main/colour.h"
#include "main/prompts.h"

class QPrinter;
class QWidget;

namespace kelmora {

class Dialogs : public Prompts {
public:
    // The colour picker; nothing when cancelled. It opens on the colour
    // confirmed last.
    virtual std::optional<Colour> pickColour() = 0;
    // The font picker, preset with a face, size and style; nothing when
    // cancelled. It takes no size above `maxPointSize`.
    virtual std::optional<QFont> pickFont(const QFont& preset, int maxPointSize) = 0;
    // The platform's print dialog on this printer; false when cancelled.
    virtual bool choosePrinter(QPrinter& printer) = 0;
    // The platform's page setup (paper, orientation) for this printer.
    virtual bool setUpPage(QPrinter& printer) = 0;
    // A file to write: the save dialog with this title and proposed path;
    // nothing when cancelled.
    virtual std::optional<QString> pickSaveFile(const QString& title, const QString& proposedPath,
                                                const QString& filter) = 0;
    // An information box in Qt's text, for a message that must show a
    // character CP932 cannot hold (`ask` carries CP932 only).
    virtual void informText(const QString& text) = 0;
};

// The real boxes, with Japanese button captions.
class MessageBoxDialogs : public Dialogs {
public:
    explicit MessageBoxDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    Answer ask(MessageIcon icon, Buttons buttons, const std::string& text) override;
    std::optional<Colour> pickColour() override;
    std::optional<QFont> pickFont(const QFont& preset, int maxPointSize) override;
    bool choosePrinter(QPrinter& printer) override;
    bool setUpPage(QPrinter& printer) override;
    std::optional<QString> pickSaveFile(const QString& title, const QString& proposedPath,
                                        const QString& filter) override;
    void informText(const QString& text) override;

private:
    Answer show(MessageIcon icon, Buttons buttons, const QString& text);

    QWidget* parent_;
    Colour lastColour_ = 0;
};

}  // namespace kelmora
