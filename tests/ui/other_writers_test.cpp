// Other writers of the calendar's folder, with real files: a sync tool
// replacing the month file by rename while the month is unchanged here or
// changed here too, a second copy of the program on the same folder, typing
// that never pauses and is killed, the arrow tool left armed. Nothing any of
// them saved is lost, no box opens, and the bar says what happened.

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QProcess>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QTimer>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include "CanvasEdit/TCanvasEdit.h"
#include "calendar_driving.h"
#include "main/cp932.h"
#include "main/month_file_format.h"
#include "main/month_merge.h"
#include "main/save_bar.h"
#include "window_fixture.h"

namespace kelmora {
namespace {

namespace fs = std::filesystem;
using uitest::WindowHarness;

const char* const kFile = "202612.wmd";

MonthModel december() {
    MonthModel m;
    m.year = 2026;
    m.month = 12;
    EXPECT_TRUE(m.buildMonth());
    return m;
}

std::string& memoOn(MonthModel& m, int day) {
    int col = 0, week = 0;
    m.cellOfDay(day, col, week);
    return m.memos[col][week].text;
}

// December as a file holds it (UTF-8 texts by day); empty when unreadable.
MonthModel fileMonth(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    MonthModel m = december();
    if (!decodeMonthFile(bytes, m)) m.clearMemos();
    return m;
}
std::string fileMemo(const std::string& path, int day) {
    MonthModel m = fileMonth(path);
    return cp932::toUtf8(memoOn(m, day));
}

// Another machine's version arrives as sync tools bring it: written beside
// the file, then renamed over it.
void arriveFromOutside(const uitest::TempFolder& folder, std::initializer_list<std::pair<int, const char*>> memos) {
    MonthModel m = december();
    for (const auto& [day, text] : memos) memoOn(m, day) = cp932::literal(text);
    folder.put(".sync-incoming", *encodeMonthFile(m));
    fs::rename(folder.file(".sync-incoming"), folder.file(kFile));
}

// Runs the event loop as the program does, blocking while nothing happens
// (so the idle save comes round), until `check` holds or `ms` have passed.
template <typename Check>
bool runUntil(Check check, int ms) {
    if (check()) return true;
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (check()) loop.quit();
    });
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    poll.start();
    loop.exec();
    return check();
}
void runFor(int ms) {
    runUntil([] { return false; }, ms);
}

bool barSays(const TForm1& w, const char* part) {
    return w.saveBar->isVisible() && w.saveBar->text().contains(QString::fromUtf8(part));
}

void openOn(TForm1& w, int day) {
    auto [col, row] = uitest::memoCellOfDay(w, day);
    uitest::clickCell(w, col, row);
}

void caretAt(TForm1& w, int position) {
    QTextCursor cursor = w.memo1->textCursor();
    cursor.setPosition(position);
    w.memo1->setTextCursor(cursor);
}

TEST(OtherWriters, AnUnchangedMonthReplacedOutsideIsReloadedWhereTheUserIs) {
    WindowHarness h(Date{2026, 12, 10});
    arriveFromOutside(h.folder, {{7, "出張"}});
    TForm1& w = h.open();
    openOn(w, 7);
    caretAt(w, 1);
    ASSERT_TRUE(runUntil([&] { return !w.model.dirty; }, 3000));
    h.files.resetCounts();

    arriveFromOutside(h.folder, {{3, "他のPCの予定"}, {7, "出張 大阪"}});
    ASSERT_TRUE(runUntil([&] { return cp932::toUtf8(memoOn(w.model, 3)) == "他のPCの予定"; }, 5000));
    EXPECT_TRUE(w.editorShown()) << "the editor stays open";
    EXPECT_EQ(uitest::focusOf(w), uitest::memoCellOfDay(w, 7));
    EXPECT_EQ(w.memo1->toPlainText(), QString::fromUtf8("出張 大阪"));
    EXPECT_EQ(w.memo1->textCursor().position(), 1) << "the caret stays where it was";
    EXPECT_TRUE(barSays(w, "他のところで変更された 2026年12月 を読み込み直しました"));
    EXPECT_EQ(w.saveBar->kind(), SaveBar::Kind::Notice);
    EXPECT_TRUE(h.dialogs.messages.empty()) << "no box";

    // Nothing new here: nothing is written, not by the reload, not by
    // opening and closing the editor.
    runFor(1000);
    uitest::pressKey(w, Qt::Key_Escape);
    openOn(w, 12);
    uitest::pressKey(w, Qt::Key_Escape);
    runFor(2000);
    EXPECT_EQ(h.files.replaces[kFile], 0);
    EXPECT_EQ(fileMemo(h.folder.file(kFile), 7), "出張 大阪");
}

TEST(OtherWriters, AMonthChangedHereAndOutsideIsMergedByDayAndBothMemosKept) {
    WindowHarness h(Date{2026, 12, 10});
    arriveFromOutside(h.folder, {{7, "出張"}});
    TForm1& w = h.open();
    openOn(w, 7);
    uitest::commitText(w.memo1, QString::fromUtf8(" 大阪"));
    // Before the save this typing starts has run: the month is changed here too.
    arriveFromOutside(h.folder, {{3, "他のPCの予定"}, {7, "出張 名古屋"}});

    const std::string joined = std::string("出張 名古屋\r\n") + cp932::toUtf8(memoJoinLine()) + "\r\n出張 大阪";
    const std::string path = h.folder.file(kFile);
    ASSERT_TRUE(runUntil([&] { return fileMemo(path, 7) == joined; }, 5000)) << fileMemo(path, 7);
    EXPECT_EQ(fileMemo(path, 3), "他のPCの予定");
    EXPECT_EQ(cp932::toUtf8(memoOn(w.model, 3)), "他のPCの予定") << "the screen shows what the file holds";
    EXPECT_EQ(w.memo1->toPlainText(), QString::fromStdString(joined).replace("\r\n", "\n"));
    EXPECT_EQ(w.memo1->textCursor().position(), w.memo1->toPlainText().size()) << "the caret stays after my text";
    EXPECT_TRUE(barSays(w, "日ごとに合わせて保存しました"));
    EXPECT_TRUE(barSays(w, "向こうの変更を取り込んだ日: 3日"));
    EXPECT_TRUE(barSays(w, "両方でメモが書き換えられていた日: 7日"));
    EXPECT_TRUE(h.dialogs.messages.empty());

    // Typing goes on in my part of the memo.
    uitest::commitText(w.memo1, QString::fromUtf8("へ"));
    ASSERT_TRUE(runUntil([&] { return fileMemo(path, 7) == joined + "へ"; }, 5000));
}

// Armed after typing, the arrow tool keeps the month counted as unsaved:
// the typed text is written once, and nothing more while the tool waits.
TEST(OtherWriters, TheArrowToolArmedAfterTypingWritesAtMostOnce) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    openOn(w, 7);
    uitest::commitText(w.memo1, QString::fromUtf8("会議"));
    w.tbyjClick();
    runFor(2500);
    auto [col, row] = uitest::memoCellOfDay(w, 14);
    uitest::clickCell(w, col, row);  // the first day: it blinks, waiting for the last
    runFor(1500);
    EXPECT_LE(h.files.replaces[kFile], 1);
    EXPECT_EQ(fileMemo(h.folder.file(kFile), 7), "会議");
}

TEST(OtherWriters, ASyncToolsConflictCopyIsNamedOnceAndNeverReadOrDeleted) {
    WindowHarness h(Date{2026, 12, 10});
    const std::string first = "202612 (PC's conflicted copy 2026-12-09).wmd";
    h.folder.put(first, *encodeMonthFile(december()));
    TForm1& w = h.open();
    ASSERT_TRUE(barSays(w, first.c_str()));
    EXPECT_TRUE(barSays(w, "競合コピー"));
    QTest::mouseClick(w.saveBar->button(), Qt::LeftButton);
    EXPECT_FALSE(w.saveBar->isVisible());

    const std::string second = "202611.sync-conflict-20261209-101500-ABCDEFG.wmd";
    h.folder.put(second, "x");
    ASSERT_TRUE(runUntil([&] { return barSays(w, second.c_str()); }, 5000));
    EXPECT_FALSE(barSays(w, first.c_str())) << "told once";
    h.close();
    EXPECT_TRUE(h.folder.has(first));
    EXPECT_TRUE(h.folder.has(second));
    EXPECT_EQ(h.files.reads[first] + h.files.reads[second], 0) << "never read as a month";
}

// --- the real program in processes of its own ---

// One copy of the calendar, driven through its standard input.
class CalendarProcess {
public:
    CalendarProcess(const std::string& programDir, const std::string& rescueDir) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime_.dir()));  // one per login
        env.insert("QT_QPA_PLATFORM", "offscreen");
        ::chmod(runtime_.dir().c_str(), 0700);
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral(KELMORA_WRITER_PROBE),
                       {QString::fromStdString(programDir), QString::fromStdString(rescueDir)});
        EXPECT_TRUE(process_.waitForStarted(5000));
        EXPECT_FALSE(waitFor("ready").empty());
    }
    ~CalendarProcess() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }
    void send(const std::string& line) {
        process_.write((line + "\n").c_str());
        process_.waitForBytesWritten(1000);
    }
    // The next line that starts with `prefix`; empty after `ms` without one.
    std::string waitFor(const std::string& prefix, int ms = 15000) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        for (;;) {
            while (process_.canReadLine()) {
                const std::string line = process_.readLine().trimmed().toStdString();
                if (line.starts_with(prefix)) return line;
            }
            if (std::chrono::steady_clock::now() >= until) return {};
            process_.waitForReadyRead(20);
        }
    }
    std::string ask(const std::string& command, const std::string& answer) {
        send(command);
        return waitFor(answer);
    }
    // The memo as this copy's window shows it.
    std::string memo(int day) {
        const std::string prefix = "memo " + std::to_string(day);
        const std::string line = ask(prefix, prefix);
        return line.size() > prefix.size() ? line.substr(prefix.size() + 1) : std::string();
    }
    bool quit() {
        send("quit");
        return process_.waitForFinished(10000) && process_.exitStatus() == QProcess::NormalExit &&
               process_.exitCode() == 0;
    }
    QProcess& process() { return process_; }

private:
    uitest::TempFolder runtime_;
    QProcess process_;
};

template <typename Check>
bool eventually(Check check, int ms = 5000) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < until) {
        if (check()) return true;
        QTest::qWait(50);
    }
    return check();
}

TEST(TwoCopies, OnOneFolderEachSeesTheOthersMemosAndTheFileKeepsAll) {
    uitest::TempFolder program, rescue;
    const std::string path = program.file(kFile);
    CalendarProcess a(program.dir(), rescue.dir()), b(program.dir(), rescue.dir());

    ASSERT_EQ(a.ask("type 3 Aの予定", "typed"), "typed");
    ASSERT_TRUE(eventually([&] { return fileMemo(path, 3) == "Aの予定"; }));
    EXPECT_TRUE(eventually([&] { return b.memo(3) == "Aの予定"; })) << "the other copy loads it at once";

    // Both at once, on other days and on the same day.
    b.send("type 5 Bの予定");
    a.send("type 9 A9");
    b.send("type 9 B9");
    ASSERT_TRUE(eventually([&] {
        const std::string nine = fileMemo(path, 9);
        return fileMemo(path, 5) == "Bの予定" && nine.find("A9") != std::string::npos &&
               nine.find("B9") != std::string::npos;
    })) << fileMemo(path, 9);
    EXPECT_TRUE(eventually([&] { return a.memo(5) == "Bの予定"; }));
    EXPECT_TRUE(a.quit());
    EXPECT_TRUE(b.quit());
    EXPECT_EQ(fileMemo(path, 3), "Aの予定");
    EXPECT_EQ(fileMemo(path, 5), "Bの予定");
    const std::string nine = fileMemo(path, 9);
    EXPECT_NE(nine.find("A9"), std::string::npos) << nine;
    EXPECT_NE(nine.find("B9"), std::string::npos) << nine;
    EXPECT_NE(nine.find(cp932::toUtf8(memoJoinLine())), std::string::npos) << nine;
}

// A key every 0.25 s for 12 s, never pausing, then a kill: the file is never
// more than 2 s behind the keys, and the kill loses at most the last 2 s.
TEST(SteadyTyping, IsWrittenWithin2sOfEachKeyAndAKillLosesAtMost2s) {
    using Clock = std::chrono::steady_clock;
    constexpr int kKeys = 48;
    constexpr long long kBound = 2'000'000'000;  // ns
    uitest::TempFolder program, rescue;
    const std::string path = program.file(kFile);
    CalendarProcess typist(program.dir(), rescue.dir());
    QProcess& process = typist.process();

    std::vector<long long> keys;                         // when each key was pressed
    std::vector<std::pair<long long, std::size_t>> seen;  // when the file held how many
    const auto now = [] { return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count(); };
    const auto held = [&] { return fileMemo(path, 7).size(); };
    typist.send("steady 7 250 " + std::to_string(kKeys));
    long long killedAt = 0;
    while (killedAt == 0) {
        process.waitForReadyRead(25);
        while (process.canReadLine()) {
            const QList<QByteArray> words = process.readLine().trimmed().split(' ');
            if (words.size() == 3 && words[0] == "key") keys.push_back(words[2].toLongLong());
        }
        if (keys.size() == kKeys) {
            ::kill(static_cast<pid_t>(process.processId()), SIGKILL);
            killedAt = now();
        }
        seen.push_back({now(), held()});
        ASSERT_LT(now() - (keys.empty() ? now() : keys.front()), 30'000'000'000LL) << "the typist stalled";
    }
    process.waitForFinished(5000);
    const std::size_t kept = held();

    long long longestLag = 0;
    for (std::size_t k = 0; k < keys.size(); ++k) {
        // The first look at the file that found the key in it.
        const auto in = std::find_if(seen.begin(), seen.end(), [&](const auto& s) { return s.second > k; });
        if (in == seen.end()) continue;  // written after the kill, if at all: below
        longestLag = std::max(longestLag, in->first - keys[k]);
    }
    const auto lostFrom = keys.begin() + static_cast<std::ptrdiff_t>(std::min(kept, keys.size()));
    const long long lostSpan = lostFrom == keys.end() ? 0 : killedAt - *lostFrom;
    std::printf("steady typing: %zu keys, the file at most %.2f s behind; the kill lost %zu keys, the last %.2f s\n",
                keys.size(), longestLag / 1e9, keys.size() - std::min(kept, keys.size()), lostSpan / 1e9);
    EXPECT_LE(longestLag, kBound);
    EXPECT_LE(lostSpan, kBound);
    EXPECT_GE(kept, keys.size() - 8) << "at most 2 s of keys (8) are lost";
}

}  // namespace
}  // namespace kelmora
