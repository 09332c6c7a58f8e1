#pragma once
// A calendar window against a temporary program folder, a fixed clock and
// scripted answers to every box.

#include <QApplication>
#include <QInputMethodEvent>
#include <QRect>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "main/TForm1.h"
#include "main/clock.h"
#include "main/file_system.h"
#include "platform/dialogs.h"
#include "platform/qt_text.h"
#include "../core/recording_files.h"
#include "../core/temp_folder.h"

namespace kelmora::uitest {

// Answers boxes in order and remembers what they said (as UTF-8).
class ScriptedDialogs : public Dialogs {
public:
    Answer ask(MessageIcon, Buttons buttons, const std::string& text) override {
        messages.push_back(toQString(text).toStdString());
        if (whileShown) whileShown();
        if (!answers.empty()) {
            Answer a = answers.front();
            answers.pop_front();
            return a;
        }
        switch (buttons) {
            case Buttons::Ok: return Answer::Ok;
            case Buttons::OkCancel: return Answer::Ok;
            case Buttons::YesNo: return Answer::Yes;
            case Buttons::AbortRetry: return Answer::Abort;
            case Buttons::AbortRetryIgnore: return Answer::Abort;
        }
        return Answer::Ok;
    }
    std::optional<Colour> pickColour() override {
        if (colours.empty()) return std::nullopt;
        Colour c = colours.front();
        colours.pop_front();
        return c;
    }
    // Each request is remembered with its preset and size limit.
    std::optional<QFont> pickFont(const QFont& preset, int maxPointSize) override {
        fontRequests.push_back({preset, maxPointSize});
        if (fonts.empty()) return std::nullopt;
        QFont f = fonts.front();
        fonts.pop_front();
        return f;
    }
    struct FontRequest {
        QFont preset;
        int maxPointSize;
    };
    bool choosePrinter(QPrinter&) override { return printerChosen; }
    bool setUpPage(QPrinter&) override {
        ++pageSetups;
        return pageSetupAccepted;
    }
    std::optional<QString> pickSaveFile(const QString& title, const QString& proposedPath, const QString&) override {
        saveTitles.push_back(title);
        proposedPaths.push_back(proposedPath);
        return savePath;
    }
    void informText(const QString& text) override {
        messages.push_back(text.toStdString());
        if (whileShown) whileShown();
    }
    // What goes on while a box is up: a real box runs an event loop of its
    // own, so timers fire (the save on idle) until the user answers.
    std::function<void()> whileShown;
    std::deque<Answer> answers;
    bool printerChosen = false;
    bool pageSetupAccepted = false;
    int pageSetups = 0;
    std::optional<QString> savePath;
    std::vector<QString> saveTitles, proposedPaths;
    std::deque<Colour> colours;
    std::deque<QFont> fonts;  // empty: the picker is cancelled
    std::vector<FontRequest> fontRequests;
    std::vector<std::string> messages;
};

// Text as an input method commits it (how Japanese reaches the editor).
inline void commitText(QWidget* widget, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
    QApplication::processEvents();
}

using TempFolder = kelmora::testing::TempFolder;

struct WindowHarness {
    explicit WindowHarness(Date today, QRect workArea = QRect(0, 0, 1280, 1000)) : clock(today), area(workArea) {}

    TForm1& open() {
        WindowEnvironment env;
        env.programDir = folder.dir();
        env.helpFile = folder.file("kelmora.hlp");
        env.clock = &clock;
        env.dialogs = &dialogs;
        env.files = fileSystem;
        env.workArea = area;
        env.rescueDir = rescueFolder.dir();
        env.lastResortDir = lastResortDir;
        window = std::make_unique<TForm1>(env);
        window->show();
        QApplication::processEvents();
        return *window;
    }
    void close() {
        if (window) window->close();
        window.reset();
        QApplication::processEvents();
    }

    TempFolder folder;
    TempFolder rescueFolder;  // where rescue copies go
    std::string lastResortDir;  // none unless a test gives one
    FixedClock clock;
    QRect area;
    ScriptedDialogs dialogs;
    kelmora::testing::RecordingFiles files;
    FileSystem* fileSystem = &files;  // a test may put failing files in its place
    std::unique_ptr<TForm1> window;
};

}  // namespace kelmora::uitest
