// The calendar as the program runs it (real files, its own event loop and
// idle saves), on December 2026, driven line by line from standard input:
//   writer_probe <program folder> <rescue folder>
//   type DAY TEXT     writes TEXT (UTF-8) at the end of the day's memo, as an
//                     input method commits it; answers "typed"
//   steady DAY MS N   presses "a" in the day's memo every MS milliseconds, N
//                     times; after each key "key I NS" (NS: the system's
//                     monotonic clock in nanoseconds), then "steady done"
//   memo DAY          answers "memo DAY TEXT": the memo as the window shows it
//   bar               answers "bar TEXT": what the bar above the grid says
//   quit              closes the window as the user does
// Exit 0: closed; 9: never ended; 64: usage.

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QSocketNotifier>
#include <QTextCursor>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>

#include "CanvasEdit/TCanvasEdit.h"
#include "main/TForm1.h"
#include "main/save_bar.h"
#include "platform/dialogs.h"
#include "platform/owner_draw_grid.h"
#include "platform/qt_text.h"

namespace {

using namespace kelmora;

void say(const std::string& text) {
    std::cout << text << std::endl;  // flushed: the test waits for it
}

long long monotonicNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The editor open on the day's memo, the caret at its end.
void writeIn(TForm1& window, int day) {
    int col = 0, week = 0;
    window.model.cellOfDay(day, col, week);
    if (!window.editorShown() || window.model.focusCol != col || window.model.focusRow != MonthModel::memoRow(week)) {
        window.model.focusCol = static_cast<std::uint16_t>(col);
        window.model.focusRow = static_cast<std::uint16_t>(MonthModel::memoRow(week));
        window.dg1->setCurrentCell(col, window.model.focusRow);
        window.openEditor();
    }
    QTextCursor cursor = window.memo1->textCursor();
    cursor.movePosition(QTextCursor::End);
    window.memo1->setTextCursor(cursor);
}

void pressA(TForm1& window) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(window.memo1, &press);
    QApplication::sendEvent(window.memo1, &release);
}

void run(TForm1& window, const std::string& line) {
    std::istringstream in(line);
    std::string command;
    in >> command;
    if (command == "type") {
        int day = 0;
        in >> day;
        std::string text;
        std::getline(in >> std::ws, text);
        writeIn(window, day);
        QInputMethodEvent typed;
        typed.setCommitString(QString::fromStdString(text));
        QApplication::sendEvent(window.memo1, &typed);
        say("typed");
    } else if (command == "steady") {
        int day = 0, ms = 0, count = 0;
        in >> day >> ms >> count;
        writeIn(window, day);
        auto* timer = new QTimer(&window);
        auto pressed = std::make_shared<int>(0);
        timer->setTimerType(Qt::PreciseTimer);
        timer->setInterval(ms);
        QObject::connect(timer, &QTimer::timeout, &window, [&window, timer, pressed, count] {
            pressA(window);
            say("key " + std::to_string(++*pressed) + " " + std::to_string(monotonicNs()));
            if (*pressed == count) {
                timer->deleteLater();
                say("steady done");
            }
        });
        timer->start();
    } else if (command == "memo") {
        int day = 0, col = 0, week = 0;
        in >> day;
        window.model.cellOfDay(day, col, week);
        QString text = toQString(window.model.memos[col][week].text);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("|"));
        say("memo " + std::to_string(day) + " " + text.toStdString());
    } else if (command == "bar") {
        QString text = window.saveBar->isVisible() ? window.saveBar->text() : QString();
        text.replace(QLatin1Char('\n'), QLatin1Char('|'));
        say("bar " + text.toStdString());
    } else if (command == "quit") {
        window.close();
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 64;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    FixedClock clock(Date{2026, 12, 10});
    RealFileSystem files;
    MessageBoxDialogs dialogs;  // real boxes: nobody would answer them, so none may open
    WindowEnvironment environment;
    environment.programDir = argv[1];
    environment.rescueDir = argv[2];
    environment.clock = &clock;
    environment.dialogs = &dialogs;
    environment.files = &files;
    TForm1 window(environment);
    dialogs.setParent(&window);
    window.show();
    QObject::connect(&window, &TForm1::closeAccepted, &app, &QCoreApplication::quit, Qt::QueuedConnection);

    // A safety net, so a probe never outlives its test for long.
    QTimer::singleShot(60000, &app, [] { std::_Exit(9); });
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    std::string pending;
    QObject::connect(&input, &QSocketNotifier::activated, &window, [&] {
        char buffer[4096];
        const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (got <= 0) {
            input.setEnabled(false);
            return;
        }
        pending.append(buffer, static_cast<std::size_t>(got));
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1))
            run(window, pending.substr(0, end));
    });
    say("ready");
    return QApplication::exec();
}
