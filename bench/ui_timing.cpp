// Times the calendar window against a bare Qt window in one run: start to
// the first painted grid, a month change, a full repaint, a keystroke in a
// memo of 30 lines. Figures are medians; the start is reported as a ratio.
//
//   QT_QPA_PLATFORM=offscreen build/bench/kelmora_bench_ui [rounds]

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMainWindow>
#include <QTextCursor>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <vector>

#include "CanvasEdit/TCanvasEdit.h"
#include "main/TForm1.h"
#include "platform/fonts.h"
#include "platform/owner_draw_grid.h"
#include "platform/qt_text.h"

namespace {

using namespace kelmora;

class SilentDialogs : public Dialogs {
public:
    Answer ask(MessageIcon, Buttons, const std::string&) override { return Answer::Ok; }
    std::optional<Colour> pickColour() override { return std::nullopt; }
    bool choosePrinter(QPrinter&) override { return false; }
    bool setUpPage(QPrinter&) override { return false; }
    std::optional<QString> pickSaveFile(const QString&, const QString&, const QString&) override { return std::nullopt; }
    void informText(const QString&) override {}
};

// Waits for the first paint of `target`.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget* target) { target->installEventFilter(this); }
    bool painted = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted = true;
        return false;
    }
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double timeUntilPainted(const std::function<QWidget*()>& open, QWidget*& window) {
    QElapsedTimer clock;
    clock.start();
    QWidget* target = open();
    FirstPaint watch(target);
    window->show();
    while (!watch.painted) QApplication::processEvents(QEventLoop::AllEvents, 5);
    return clock.nsecsElapsed() / 1000.0;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installFontSubstitutes();
    const int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 15;

    const auto folder = std::filesystem::temp_directory_path() / "kelmora-bench-ui";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    FixedClock clock(Date{2026, 12, 10});
    SilentDialogs dialogs;
    RealFileSystem files;
    WindowEnvironment env;
    env.programDir = folder.string() + "/";
    env.clock = &clock;
    env.dialogs = &dialogs;
    env.files = &files;
    env.workArea = QRect(0, 0, 1600, 1200);

    // Start: bare window and calendar, alternating, the first of each left out.
    std::vector<double> bare, calendar;
    for (int i = 0; i <= rounds; ++i) {
        QWidget* window = nullptr;
        double b = timeUntilPainted(
            [&] {
                auto* w = new QMainWindow;
                auto* central = new QWidget(w);
                w->setCentralWidget(central);
                w->resize(708, 480);
                window = w;
                return static_cast<QWidget*>(central);
            },
            window);
        delete window;
        TForm1* form = nullptr;
        double c = timeUntilPainted(
            [&] {
                form = new TForm1(env);
                window = form;
                return static_cast<QWidget*>(form->dg1->viewport());
            },
            window);
        delete form;
        if (i > 0) {
            bare.push_back(b);
            calendar.push_back(c);
        }
    }

    TForm1 form(env);
    form.show();
    QApplication::processEvents();
    auto timeEach = [&](const std::function<void()>& step) {
        std::vector<double> t;
        for (int i = 0; i < rounds * 4; ++i) {
            QElapsedTimer c;
            c.start();
            step();
            t.push_back(c.nsecsElapsed() / 1000.0);
        }
        return median(t);
    };
    bool forward = true;
    const double monthChange = timeEach([&] {
        forward ? form.btnnextClick() : form.btnprevClick();
        forward = !forward;
        form.dg1->viewport()->repaint();
    });
    const double repaint = timeEach([&] { form.dg1->viewport()->repaint(); });

    // A memo of 30 lines, then one more character typed at its end.
    int col = 0, week = 0;
    form.model.cellOfDay(15, col, week);
    QString text;
    for (int i = 0; i < 30; ++i) text += QStringLiteral("予定%1\r\n").arg(i);
    text.chop(2);
    form.model.memos[col][week].text = toCp932(text).value();
    form.model.focusCol = static_cast<std::uint16_t>(col);
    form.model.focusRow = static_cast<std::uint16_t>(MonthModel::memoRow(week));
    form.openEditor();
    QApplication::processEvents();
    const double keystroke = timeEach([&] {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(form.memo1, &press);
        form.memo1->repaint();
        form.dg1->viewport()->repaint();
    });

    const double b = median(bare), c = median(calendar);
    std::printf("start to first paint: bare window %.0f us, calendar %.0f us, ratio %.2f\n", b, c, c / b);
    std::printf("month change (build, load, fit, repaint): %.0f us\n", monthChange);
    std::printf("full grid repaint: %.0f us\n", repaint);
    std::printf("keystroke in a 30-line memo (change, editor and grid repaint): %.0f us\n", keystroke);
    std::filesystem::remove_all(folder);
    return 0;
}
