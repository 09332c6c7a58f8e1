// The calendar as a user who writes every day feels it, on full months (ten
// lines in every memo cell, thirty in today's), against a bare Qt window
// measured in the same run. CPU time of the process is the figure that
// counts (steadier than wall time on a busy machine); both are medians.
//
//   kelmora_bench_ui [ROUNDS]                   the whole table (scripts/bench-ui)
//   kelmora_bench_ui --steps STEP... [--rounds N]
//                                               only the steps in this process
//                                               (month, repaint, keystroke), for
//                                               callgrind's --toggle-collect='*step*'
//   kelmora_bench_ui --start bare|calendar DIR  one start to the first painted
//                                               window, then the process ends
//   kelmora_bench_ui --write-months DIR [YYYY-MM-DD]
//                                               full months (that date's month,
//                                               default today, and the next)
//
// A start runs in a fresh process each round: the bench starts itself in
// the --start mode and reads the child's CPU time and peak memory when it
// ends. A keystroke is timed from the key to the moment the event loop has
// nothing left to do: its handling, the row height, the repaint and the save
// on idle when the calendar does it then.

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEventLoop>
#include <QMainWindow>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "CanvasEdit/TCanvasEdit.h"
#include "full_months.h"
#include "main/TForm1.h"
#include "platform/application_setup.h"
#include "platform/owner_draw_grid.h"

extern char** environ;

namespace {

using namespace kelmora;

// A date whose month has six weeks and whose next month five.
constexpr Date kBenchDay{2026, 8, 10};

class SilentDialogs : public Dialogs {
public:
    Answer ask(MessageIcon, Buttons, const std::string&) override { return Answer::Ok; }
    std::optional<Colour> pickColour() override { return std::nullopt; }
    std::optional<QFont> pickFont(const QFont&, int) override { return std::nullopt; }
    bool choosePrinter(QPrinter&) override { return false; }
    bool setUpPage(QPrinter&) override { return false; }
    std::optional<QString> pickSaveFile(const QString&, const QString&, const QString&) override { return std::nullopt; }
    void informText(const QString&) override {}
};

// The real files, counting the writes of month files.
class CountingFileSystem : public RealFileSystem {
public:
    WriteResult replaceFile(const std::string& path, std::string_view bytes) override {
        ++writes;
        return RealFileSystem::replaceFile(path, bytes);
    }
    int writes = 0;
};

double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double wallMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Samples {
    std::vector<double> cpu, wall;
    void add(double c, double w) {
        cpu.push_back(c);
        wall.push_back(w);
    }
};

std::string makeFolder(const char* what) {
    std::string pattern = (std::filesystem::temp_directory_path() / (std::string("kelmora-bench-") + what + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        std::exit(1);
    }
    return pattern + "/";
}

[[gnu::noinline]] void runFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Sees every paint in the application: a step is over once nothing has
// been painted for a while.
class PaintWatch : public QObject {
public:
    // `grid`: the widget whose paints are counted.
    explicit PaintWatch(QWidget* grid) : grid_(grid) { qApp->installEventFilter(this); }
    int gridPaints = 0;
    double lastPaintDone = 0;  // wall ms, once the paint and its flush are over

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint) return false;
        if (watched == grid_) ++gridPaints;
        if (!stampPending_) {
            stampPending_ = true;
            QTimer::singleShot(0, this, [this] {
                stampPending_ = false;
                lastPaintDone = wallMs();
            });
        }
        return false;
    }

private:
    QWidget* grid_;
    bool stampPending_ = false;
};

constexpr double kQuietMs = 60;
constexpr double kLongestStepMs = 250;

// Runs the event loop until the screen has been quiet for kQuietMs: the
// step's work, its repaints and what the calendar does when the loop runs
// empty are over. A window that never stops painting is cut off after
// kLongestStepMs. Returns the wall time from `since` to the end of the last
// paint (or to now when nothing was painted).
double settle(PaintWatch& watch, double since) {
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        const double quietSince = std::max(since, watch.lastPaintDone);
        const double left = std::min(quietSince + kQuietMs, since + kLongestStepMs) - wallMs();
        if (left <= 0) loop.quit();
        else timer.start(static_cast<int>(left) + 1);
    });
    timer.start(static_cast<int>(kQuietMs));
    loop.exec();
    return (watch.lastPaintDone > since ? watch.lastPaintDone : wallMs() - kQuietMs) - since;
}

// --- one start in this process (the child) ---------------------------------

int startOnce(int argc, char** argv, const std::string& which, const std::string& dir) {
    prepareApplicationEnvironment();
    QApplication app(argc, argv);
    QWidget* target = nullptr;
    std::unique_ptr<QMainWindow> bare;
    std::unique_ptr<TForm1> calendar;
    FixedClock clock(kBenchDay);
    SilentDialogs dialogs;
    RealFileSystem files;
    if (which == "bare") {
        bare = std::make_unique<QMainWindow>();
        target = new QWidget(bare.get());
        bare->setCentralWidget(target);
        bare->resize(708, 480);
    } else {
        setUpApplication();
        WindowEnvironment env;
        env.programDir = dir;
        env.clock = &clock;
        env.dialogs = &dialogs;
        env.files = &files;
        env.uniqueName = QStringLiteral("KelmoraBench-%1").arg(getpid());
        calendar = std::make_unique<TForm1>(env);
        target = calendar->dg1->viewport();
    }
    PaintWatch watch(target);
    if (bare) bare->show();
    else calendar->show();
    while (watch.gridPaints == 0) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    // Ends here: what the parent reads is the cost up to the first paint.
    std::fflush(nullptr);
    std::_Exit(0);
}

// --- starts in fresh processes (the parent) --------------------------------

struct StartFigures {
    Samples times;
    std::vector<double> peakMiB;
};

bool startChild(const std::string& which, const std::string& dir, StartFigures& into) {
    std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    std::vector<std::string> args{self, "--start", which, dir};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const double wall0 = wallMs();
    pid_t pid = 0;
    if (posix_spawn(&pid, self.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return false;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return false;
    const double wall = wallMs() - wall0;
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    into.times.add(ms(usage.ru_utime) + ms(usage.ru_stime), wall);
    into.peakMiB.push_back(usage.ru_maxrss / 1024.0);
    return true;
}

// --- the steps in this process ---------------------------------------------

struct Calendar {
    std::string dir;
    FixedClock clock{kBenchDay};
    SilentDialogs dialogs;
    CountingFileSystem files;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<PaintWatch> watch;
};

// Each step is a function of its own, so callgrind can count it alone
// (valgrind --tool=callgrind --collect-atstart=no --toggle-collect='*step*').
[[gnu::noinline]] double stepMonthChange(Calendar& c, bool forward, double since) {
    forward ? c.form->btnnextClick() : c.form->btnprevClick();
    return settle(*c.watch, since);
}

[[gnu::noinline]] double stepRepaint(Calendar& c, double since) {
    c.form->dg1->viewport()->update();
    return settle(*c.watch, since);
}

[[gnu::noinline]] double stepKeystroke(Calendar& c, Qt::Key key, double since) {
    QTest::keyClick(c.form->memo1, key);
    return settle(*c.watch, since);
}

// CPU over the whole step, wall time to the end of its last paint.
template <typename Step>
Samples measure(int count, Step step) {
    Samples s;
    for (int i = 0; i < count; ++i) {
        const double c0 = cpuMs(), w0 = wallMs();
        const double wall = step(i, w0);
        s.add(cpuMs() - c0, wall);
    }
    return s;
}

struct StepFigures {
    Samples month, repaint, keystroke, pause, idle;
    int gridPaintsPerMonth = 0, gridPaintsPerRepaint = 0, gridPaintsWhileTyping = 0, gridPaintsIdle = 0;
    int writesWhileTyping = 0, writesAfterPause = 0, keystrokes = 0;
};

StepFigures runSteps(Calendar& c, int rounds, const std::vector<std::string>& only) {
    const auto wanted = [&](const char* name) {
        return only.empty() || std::find(only.begin(), only.end(), name) != only.end();
    };
    StepFigures f;
    TForm1& form = *c.form;
    const int count = rounds * 4;
    if (wanted("month")) {
        const int g0 = c.watch->gridPaints;
        f.month = measure(count, [&](int i, double since) { return stepMonthChange(c, i % 2 == 0, since); });
        f.gridPaintsPerMonth = (c.watch->gridPaints - g0) / count;
    }
    if (wanted("repaint")) {
        const int g0 = c.watch->gridPaints;
        f.repaint = measure(count, [&](int, double since) { return stepRepaint(c, since); });
        f.gridPaintsPerRepaint = (c.watch->gridPaints - g0) / count;
    }
    if (wanted("keystroke")) {
        // Today's cell, thirty lines, the caret at its end: a letter typed,
        // then taken back, and again.
        form.mnuthismonClick();
        form.openEditor();
        runFor(800);  // the save of the opening, whenever the calendar does it
        const int writes0 = c.files.writes, g0 = c.watch->gridPaints;
        f.keystroke = measure(count, [&](int i, double since) {
            return stepKeystroke(c, i % 2 == 0 ? Qt::Key_A : Qt::Key_Backspace, since);
        });
        f.keystrokes = count;
        f.gridPaintsWhileTyping = c.watch->gridPaints - g0;
        f.writesWhileTyping = c.files.writes - writes0;
        const int writes1 = c.files.writes;
        f.pause = measure(1, [&](int, double) {
            runFor(800);
            return 800.0;
        });
        f.writesAfterPause = c.files.writes - writes1;
        // Nothing happens: the editor open, the user reading.
        const int g1 = c.watch->gridPaints;
        f.idle = measure(1, [&](int, double) {
            runFor(1000);
            return 1000.0;
        });
        f.gridPaintsIdle = c.watch->gridPaints - g1;
    }
    return f;
}

void openCalendar(Calendar& c) {
    c.dir = makeFolder("steps");
    if (!bench::writeFullMonths(c.dir, kBenchDay)) {
        std::fprintf(stderr, "cannot write the full months into %s\n", c.dir.c_str());
        std::exit(1);
    }
    WindowEnvironment env;
    env.programDir = c.dir;
    env.clock = &c.clock;
    env.dialogs = &c.dialogs;
    env.files = &c.files;
    c.form = std::make_unique<TForm1>(env);
    c.watch = std::make_unique<PaintWatch>(c.form->dg1->viewport());
    c.form->show();
    while (c.watch->gridPaints == 0) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    settle(*c.watch, wallMs());
}

// --- the table --------------------------------------------------------------

std::string loadAverage() {
    std::ifstream in("/proc/loadavg");
    std::string one;
    in >> one;
    return one.empty() ? "?" : one;
}

void row(const char* what, const Samples& s, const char* target) {
    std::printf("  %-46s %9.2f %9.2f   %s\n", what, median(s.cpu), median(s.wall), target);
}

int runAll(int argc, char** argv, int rounds) {
    const std::string dir = makeFolder("start");
    if (!bench::writeFullMonths(dir, kBenchDay)) return 1;
    // Starts first, before this process has an application of its own;
    // the two kinds alternate, the first of each is left out (cold caches).
    StartFigures bare, calendar;
    for (int i = 0; i <= rounds; ++i) {
        StartFigures b, c;
        if (!startChild("bare", dir, b) || !startChild("calendar", dir, c)) {
            std::fprintf(stderr, "a start failed\n");
            return 1;
        }
        if (i == 0) continue;
        bare.times.add(b.times.cpu[0], b.times.wall[0]);
        bare.peakMiB.push_back(b.peakMiB[0]);
        calendar.times.add(c.times.cpu[0], c.times.wall[0]);
        calendar.peakMiB.push_back(c.peakMiB[0]);
    }
    std::filesystem::remove_all(dir);

    prepareApplicationEnvironment();
    QApplication app(argc, argv);
    setUpApplication();
    Calendar c;
    openCalendar(c);
    const StepFigures f = runSteps(c, rounds, {});

    const double bareCpu = median(bare.times.cpu), calCpu = median(calendar.times.cpu);
    const double bareMem = median(bare.peakMiB), calMem = median(calendar.peakMiB);
    std::printf("Kelmora on full months (%d lines a memo cell, %d in today's), %d rounds, load average %s\n",
                bench::kLinesPerCell, bench::kLinesOnToday, rounds, loadAverage().c_str());
    std::printf("  %-46s %9s %9s   %s\n", "", "CPU ms", "wall ms", "target (CPU)");
    row("start to first paint, bare Qt window", bare.times, "");
    row("start to first paint, calendar", calendar.times, "");
    std::printf("  %-46s %9.2f %9s   <= 2.00\n", "  start CPU, calendar / bare", calCpu / bareCpu, "");
    std::printf("  %-46s %9.1f %9.1f   (MiB: bare, calendar)\n", "peak memory", bareMem, calMem);
    std::printf("  %-46s %9.2f %9s   <= 1.30\n", "  peak memory, calendar / bare", calMem / bareMem, "");
    row("month change (save, build, load, fit, paint)", f.month, "<= 4 ms");
    row("full repaint of the grid", f.repaint, "<= 2 ms");
    row("keystroke in the 30-line memo", f.keystroke, "<= 3 ms");
    row("pause after typing, 0.8 s (the save, the caret)", f.pause, "");
    row("editor open, nothing happens, 1 s", f.idle, "");
    std::printf("  month file writes: %d during %d keystrokes, %d in the pause after them\n", f.writesWhileTyping,
                f.keystrokes, f.writesAfterPause);
    std::printf("  grid paints: %d a month change, %d a repaint, %d during %d keystrokes, %d in 1 s of nothing\n",
                f.gridPaintsPerMonth, f.gridPaintsPerRepaint, f.gridPaintsWhileTyping, f.keystrokes, f.gridPaintsIdle);
    c.form.reset();
    std::filesystem::remove_all(c.dir);
    return 0;
}

bool parseDate(const char* text, Date& date) {
    return std::sscanf(text, "%d-%d-%d", &date.year, &date.month, &date.day) == 3 &&
           MonthModel::isSupported(date.year, date.month) && date.day >= 1 &&
           date.day <= daysInMonth(date.year, date.month);
}

int usage() {
    std::fprintf(stderr,
                 "usage: kelmora_bench_ui [ROUNDS]\n"
                 "       kelmora_bench_ui --steps month|repaint|keystroke... [--rounds N]\n"
                 "       kelmora_bench_ui --start bare|calendar DIR\n"
                 "       kelmora_bench_ui --write-months DIR [YYYY-MM-DD]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "--start") {
        if (argc != 4) return usage();
        return startOnce(argc, argv, argv[2], argv[3]);
    }
    if (mode == "--write-months") {
        if (argc < 3 || argc > 4) return usage();
        Date date = SystemClock().today();
        if (argc == 4 && !parseDate(argv[3], date)) return usage();
        return bench::writeFullMonths(withTrailingSeparator(argv[2]), date) ? 0 : 1;
    }
    if (mode == "--steps") {
        std::vector<std::string> steps;
        int rounds = 5;
        for (int i = 2; i < argc; ++i) {
            if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc) rounds = std::max(1, std::atoi(argv[++i]));
            else steps.emplace_back(argv[i]);
        }
        prepareApplicationEnvironment();
        QApplication app(argc, argv);
        setUpApplication();
        Calendar c;
    openCalendar(c);
        const StepFigures f = runSteps(c, rounds, steps);
        if (!f.month.cpu.empty()) row("month change", f.month, "");
        if (!f.repaint.cpu.empty()) row("full repaint", f.repaint, "");
        if (!f.keystroke.cpu.empty()) row("keystroke", f.keystroke, "");
        if (!f.idle.cpu.empty()) row("editor open, 1 s of nothing", f.idle, "");
        c.form.reset();
        std::filesystem::remove_all(c.dir);
        return 0;
    }
    int rounds = 11;
    if (!mode.empty()) {
        rounds = std::atoi(mode.c_str());
        if (rounds < 3) return usage();
    }
    return runAll(argc, argv, rounds);
}
