// The calendar window when its files fail: a full disk, a read-only folder,
// a month file that is no file. Nothing typed is lost, no box opens under
// the user's fingers, and the user is told where the text is.

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "CanvasEdit/TCanvasEdit.h"
#include "calendar_driving.h"
#include "main/cp932.h"
#include "main/month_file_format.h"
#include "main/save_bar.h"
#include "window_fixture.h"

namespace kelmora {
namespace {

namespace fs = std::filesystem;
using uitest::WindowHarness;

// The real files, with the program's folder failing on demand: every write
// into it (and every rename there) fails with `failure`.
class FailingFolder : public RealFileSystem {
public:
    std::string folder;
    FileError failure;
    int writes = 0;  // tried into the folder

    WriteResult replaceFile(const std::string& path, std::string_view bytes) override {
        if (path.starts_with(folder)) ++writes;
        if (failing(path)) return {WriteStatus::WriteFailed, failure};
        return RealFileSystem::replaceFile(path, bytes);
    }
    FileError renameFile(const std::string& from, const std::string& to) override {
        return failing(from) ? failure : RealFileSystem::renameFile(from, to);
    }
    FileError checkWritableFolder(const std::string& dir) const override {
        return failing(dir) ? failure : RealFileSystem::checkWritableFolder(dir);
    }
    // A disk that takes nothing at all, not even into space kept in
    // reserve, unless `reserveHolds`.
    WriteResult writeIntoReserve(const std::string& reserve, const std::string& path, std::string_view bytes) override {
        if (failing(path) && !reserveHolds) return {WriteStatus::WriteFailed, failure};
        return RealFileSystem::writeIntoReserve(reserve, path, bytes);
    }
    bool reserveHolds = false;

private:
    bool failing(const std::string& path) const { return failure.failed() && path.starts_with(folder); }
};

struct SavingHarness : WindowHarness {
    SavingHarness() : WindowHarness(Date{2026, 12, 10}) {
        failing.folder = folder.dir();
        fileSystem = &failing;
    }
    // The memo of the 7th, as the file beside the program holds it.
    std::string storedMemo() {
        MonthModel month = built();
        if (!decodeMonthFile(folder.get("202612.wmd"), month)) return "(unreadable)";
        return memoOf(month);
    }
    std::vector<std::string> rescueCopies() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(rescueFolder.dir()))
            if (entry.path().extension() == ".wmd") names.push_back(entry.path().filename().string());
        return names;
    }
    std::string rescuedMemo(const std::string& name) {
        MonthModel month = built();
        if (!decodeMonthFile(rescueFolder.get(name), month)) return "(unreadable)";
        return memoOf(month);
    }
    static MonthModel built() {
        MonthModel month;
        month.year = 2026;
        month.month = 12;
        EXPECT_TRUE(month.buildMonth());
        return month;
    }
    static std::string memoOf(const MonthModel& month) {
        int col = 0, week = 0;
        month.cellOfDay(7, col, week);
        return month.memos[col][week].text;
    }
    void typeOnThe7th(TForm1& w, const QString& text) {
        auto [col, row] = uitest::memoCellOfDay(w, 7);
        if (!w.editorShown()) uitest::clickCell(w, col, row);
        QTest::keyClicks(w.memo1, text);
        QApplication::processEvents();
    }

    FailingFolder failing;
};

const FileError kDiskFull{FileProblem::DiskFull, ENOSPC};
const FileError kReadOnly{FileProblem::ReadOnly, EROFS};

bool barSays(const TForm1& w, const char* part) { return w.saveBar->text().contains(QString::fromUtf8(part)); }

// A burst of keys is written once, when the typing pauses, not once per key;
// leaving the month writes at once.
TEST(Saving, TypingIsWrittenOnceItPausesAndLeavingTheMonthWritesAtOnce) {
    SavingHarness h;
    TForm1& w = h.open();
    for (const QChar key : QStringLiteral("meeting")) {
        h.typeOnThe7th(w, QString(key));
        // The program's own loop between the keys: it runs empty and waits.
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
    }
    EXPECT_EQ(h.failing.writes, 0) << "nothing is written while the user types";
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.failing.writes > 0; }, 3000));
    QTest::qWait(50);
    EXPECT_EQ(h.failing.writes, 1);
    EXPECT_EQ(h.storedMemo(), "meeting");
    EXPECT_FALSE(w.model.dirty);

    h.typeOnThe7th(w, QStringLiteral("!"));
    w.btnnextClick();
    EXPECT_EQ(h.failing.writes, 2);
    EXPECT_EQ(h.storedMemo(), "meeting!");
}

TEST(Saving, AFullDiskWhileTypingShowsTheBarNotABoxAndTheSaveComesBackByItself) {
    SavingHarness h;
    TForm1& w = h.open();
    ASSERT_FALSE(w.saveBar->isVisible());
    h.failing.failure = kDiskFull;
    h.typeOnThe7th(w, QStringLiteral("ab"));
    w.idleSaveTimerTimer();

    EXPECT_TRUE(h.dialogs.messages.empty()) << "no box opens under the user's fingers";
    ASSERT_TRUE(w.saveBar->isVisible());
    EXPECT_EQ(w.saveBar->kind(), SaveBar::Kind::Problem);
    EXPECT_TRUE(barSays(w, "202612.wmd"));
    EXPECT_TRUE(barSays(w, "ディスクの空き容量が足りません"));
    EXPECT_EQ(w.saveBar->button()->text(), QStringLiteral("再試行"));
    EXPECT_LE(w.saveBar->geometry().bottom(), w.dg1->geometry().top()) << "above the grid, not over it";
    EXPECT_TRUE(w.model.dirty);
    EXPECT_TRUE(w.saveRetryTimer->isActive());
    EXPECT_LE(w.saveRetryTimer->interval(), 10000);

    // The next keys still go into the memo, and the newest text is kept
    // outside the full folder.
    h.typeOnThe7th(w, QStringLiteral("c"));
    w.idleSaveTimerTimer();
    EXPECT_EQ(w.memo1->toPlainText(), QStringLiteral("abc"));
    EXPECT_TRUE(h.dialogs.messages.empty());
    ASSERT_EQ(h.rescueCopies(), std::vector<std::string>{"202612-20261210-120000.wmd"});
    EXPECT_EQ(h.rescuedMemo("202612-20261210-120000.wmd"), "abc");
    EXPECT_TRUE(barSays(w, "202612-20261210-120000.wmd")) << "the bar says where the text is kept";

    // Space again: the retry writes the month, the bar and the copy go.
    h.failing.failure = {};
    QTest::mouseClick(w.saveBar->button(), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(w.memo1->hasFocus()) << "the button does not take the keyboard";
    EXPECT_FALSE(w.saveBar->isVisible());
    EXPECT_FALSE(w.saveRetryTimer->isActive());
    EXPECT_FALSE(w.model.dirty);
    EXPECT_EQ(h.storedMemo(), "abc");
    EXPECT_TRUE(h.rescueCopies().empty());
}

TEST(Saving, AnUnchangedFailedMonthIsTriedAgainByTheTimerNotAtEveryIdleMoment) {
    SavingHarness h;
    TForm1& w = h.open();
    h.failing.failure = kDiskFull;
    h.typeOnThe7th(w, QStringLiteral("x"));
    w.idleSaveTimerTimer();
    ASSERT_TRUE(w.store().lastSaveFailed());
    h.failing.failure = {};
    for (int i = 0; i < 3; ++i) w.idleSaveTimerTimer();
    EXPECT_FALSE(fs::exists(h.folder.file("202612.wmd"))) << "idle moments hold the failed save";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.model.dirty; }, w.saveRetryTimer->interval() + 2000));
    EXPECT_EQ(h.storedMemo(), "x");
    EXPECT_FALSE(w.saveBar->isVisible());
}

TEST(Saving, LeavingTheMonthOrClosingAsksAndAbortKeepsTheTextOnScreen) {
    SavingHarness h;
    TForm1& w = h.open();
    QSignalSpy closed(&w, &TForm1::closeAccepted);
    h.failing.failure = {FileProblem::NoPermission, EACCES};
    h.typeOnThe7th(w, QStringLiteral("memo"));
    w.hideEditor();

    h.dialogs.answers = {Answer::Abort};
    w.btnnextClick();
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_TRUE(h.dialogs.messages[0].starts_with("メモデータ書き込みエラー"));
    EXPECT_NE(h.dialogs.messages[0].find(h.folder.file("202612.wmd")), std::string::npos);
    EXPECT_NE(h.dialogs.messages[0].find("権限"), std::string::npos);
    EXPECT_EQ(w.model.month, 12) << "the month stays";
    EXPECT_TRUE(w.model.dirty);

    h.dialogs.answers = {Answer::Abort};
    w.close();
    QApplication::processEvents();
    EXPECT_TRUE(w.isVisible()) << "Abort keeps the window";
    EXPECT_EQ(closed.count(), 0);
    EXPECT_NE(h.dialogs.messages.back().find("無視: "), std::string::npos);

    // Ignore: the program ends and the month is in a rescue copy.
    h.dialogs.answers = {Answer::Ignore};
    w.close();
    QApplication::processEvents();
    EXPECT_EQ(closed.count(), 1);
    ASSERT_EQ(h.rescueCopies().size(), 1u);
    EXPECT_EQ(h.rescuedMemo(h.rescueCopies()[0]), "memo");
}

TEST(Saving, WhenNoRescueCopyCanBeWrittenEitherTheWindowStays) {
    SavingHarness h;
    TForm1& w = h.open();
    QSignalSpy closed(&w, &TForm1::closeAccepted);
    h.failing.failure = kDiskFull;
    h.typeOnThe7th(w, QStringLiteral("memo"));
    h.failing.folder = "/";  // everything fails now, the rescue folder too
    h.dialogs.answers = {Answer::Ignore};
    w.close();
    QApplication::processEvents();
    EXPECT_EQ(closed.count(), 0);
    EXPECT_TRUE(w.isVisible());
    ASSERT_EQ(h.dialogs.messages.size(), 2u);
    EXPECT_NE(h.dialogs.messages[1].find("退避コピーも書き込めませんでした"), std::string::npos);
    EXPECT_TRUE(w.model.dirty);
    h.failing.failure = {};
}

// The default layout: the rescue folder lies on the disk that is full.
TEST(Saving, OnAFullDiskTheRescueCopyGoesIntoTheReserveAndTheBarSaysWhenEvenThatFails) {
    SavingHarness h;
    TForm1& w = h.open();
    ASSERT_TRUE(fs::exists(h.rescueFolder.file(".reserve"))) << "the reserve is made at start";
    h.failing.failure = kDiskFull;
    h.failing.folder = "/";  // the program's folder and the rescue folder alike
    h.failing.reserveHolds = true;
    h.typeOnThe7th(w, QStringLiteral("full"));
    w.idleSaveTimerTimer();
    ASSERT_EQ(h.rescueCopies().size(), 1u);
    EXPECT_EQ(h.rescuedMemo(h.rescueCopies()[0]), "full");
    EXPECT_TRUE(barSays(w, h.rescueCopies()[0].c_str()));

    // The reserve is used up: the next change is kept nowhere, and the bar
    // says so instead of promising a copy.
    h.typeOnThe7th(w, QStringLiteral("!"));
    w.idleSaveTimerTimer();
    EXPECT_EQ(h.rescuedMemo(h.rescueCopies()[0]), "full");
    EXPECT_TRUE(barSays(w, "退避コピーも"));
    EXPECT_TRUE(barSays(w, "メモは画面にしかありません"));
    EXPECT_TRUE(h.dialogs.messages.empty());

    // Space again: the month is saved and a new reserve is made.
    h.failing.failure = {};
    w.retrySave();
    EXPECT_EQ(h.storedMemo(), "full!");
    EXPECT_TRUE(fs::exists(h.rescueFolder.file(".reserve")));
}

TEST(Saving, AReadOnlyFolderIsToldOnceAtStartAndTheNextStartSaysWhereTheTextWent) {
    SavingHarness h;
    h.failing.failure = kReadOnly;
    TForm1& w = h.open();
    EXPECT_TRUE(h.dialogs.messages.empty());
    ASSERT_TRUE(w.saveBar->isVisible());
    EXPECT_TRUE(barSays(w, "このフォルダには保存できません"));
    EXPECT_TRUE(w.saveBar->text().contains(QString::fromStdString(h.folder.dir())));
    EXPECT_TRUE(w.saveBar->text().contains(QString::fromStdString(h.rescueFolder.dir())));

    h.typeOnThe7th(w, QStringLiteral("kept"));
    for (int i = 0; i < 3; ++i) w.idleSaveTimerTimer();
    EXPECT_TRUE(h.dialogs.messages.empty()) << "typing works without boxes";
    h.dialogs.answers = {Answer::Ignore};
    h.close();
    EXPECT_EQ(h.dialogs.messages.size(), 1u) << "the close asks once; the window's place brings no second box";
    ASSERT_EQ(h.rescueCopies().size(), 1u);
    const std::string copy = h.rescueCopies()[0];
    EXPECT_EQ(h.rescuedMemo(copy), "kept");

    // The next start says where the copy lies, once, also while the folder
    // still takes no files; the notice stays once the folder does.
    h.dialogs.messages.clear();
    TForm1& next = h.open();
    ASSERT_TRUE(next.saveBar->isVisible());
    EXPECT_TRUE(next.saveBar->text().contains(QString::fromUtf8("このフォルダには保存できません")));
    EXPECT_TRUE(next.saveBar->text().contains(QString::fromStdString(copy)));
    h.failing.failure = {};
    next.retrySave();
    ASSERT_TRUE(next.saveBar->isVisible());
    EXPECT_EQ(next.saveBar->kind(), SaveBar::Kind::Notice);
    EXPECT_TRUE(next.saveBar->text().contains(QString::fromStdString(h.rescueFolder.dir())));
    EXPECT_TRUE(next.saveBar->text().contains(QString::fromStdString(copy)));
    QTest::mouseClick(next.saveBar->button(), Qt::LeftButton);
    EXPECT_FALSE(next.saveBar->isVisible());
    h.close();
    TForm1& third = h.open();
    EXPECT_FALSE(third.saveBar->isVisible());
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST(Saving, AMonthFileThatIsAPipeIsMovedAsideWithANoticeInTheBar) {
    SavingHarness h;
    ASSERT_EQ(::mkfifo(h.folder.file("202612.wmd").c_str(), 0600), 0);
    TForm1& w = h.open();  // returns: the pipe is not waited on
    ASSERT_EQ(h.dialogs.messages.size(), 1u) << "the load reports the file once";
    EXPECT_NE(h.dialogs.messages[0].find("202612.wmd"), std::string::npos);
    EXPECT_NE(h.dialogs.messages[0].find("普通のファイルではありません"), std::string::npos);

    h.typeOnThe7th(w, QStringLiteral("new"));
    w.idleSaveTimerTimer();
    EXPECT_EQ(h.dialogs.messages.size(), 1u) << "the move is told in the bar";
    ASSERT_TRUE(w.saveBar->isVisible());
    EXPECT_EQ(w.saveBar->kind(), SaveBar::Kind::Notice);
    EXPECT_TRUE(barSays(w, "202612.wmd.unreadable"));
    EXPECT_TRUE(fs::is_fifo(h.folder.file("202612.wmd.unreadable")));
    EXPECT_EQ(h.storedMemo(), "new");
    QTest::mouseClick(w.saveBar->button(), Qt::LeftButton);
    EXPECT_FALSE(w.saveBar->isVisible());
}

// The real program's ending, in a process of its own: a folder it cannot
// write and a termination signal, while the user types or while the close
// question is open.
TEST(Saving, ATerminationSignalEndsTheProgramAndKeepsTheTextWithoutWaitingOnABox) {
    for (const char* mode : {"typing", "asking"}) {
        SCOPED_TRACE(mode);
        uitest::TempFolder program, rescueParent;
        const std::string rescue = rescueParent.file("kelmora/rescue/");
        // As root every folder takes files: the probe then runs as nobody,
        // who may write only where the rescue copies go.
        if (::geteuid() == 0) {
            ASSERT_EQ(::chown(rescueParent.dir().c_str(), 65534, 65534), 0);
        } else {
            ASSERT_EQ(::chmod(program.dir().c_str(), 0555), 0);
        }
        QProcess probe;
        probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        probe.start(QStringLiteral(KELMORA_TERMINATION_PROBE),
                    {QString::fromStdString(program.dir()), QString::fromStdString(rescue), QString::fromLatin1(mode)});
        ASSERT_TRUE(probe.waitForStarted(5000));
        QByteArray said;
        while (!said.contains("ready") && probe.waitForReadyRead(15000)) said += probe.readAllStandardOutput();
        ASSERT_TRUE(said.contains("ready")) << said.toStdString();
        ::kill(static_cast<pid_t>(probe.processId()), SIGTERM);
        ASSERT_TRUE(probe.waitForFinished(10000)) << "the program never ended";
        EXPECT_EQ(probe.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(probe.exitCode(), 0);

        std::vector<std::string> copies;
        for (const auto& entry : fs::directory_iterator(rescue))
            if (entry.path().extension() == ".wmd") copies.push_back(entry.path().string());
        ASSERT_EQ(copies.size(), 1u);
        std::ifstream in(copies[0], std::ios::binary);
        const std::string bytes(std::istreambuf_iterator<char>(in), {});
        MonthModel month;
        const std::string name = fs::path(copies[0]).filename().string();
        month.year = static_cast<std::uint16_t>(std::stoi(name.substr(0, 4)));
        month.month = static_cast<std::uint16_t>(std::stoi(name.substr(4, 2)));
        ASSERT_TRUE(month.buildMonth());
        ASSERT_TRUE(decodeMonthFile(bytes, month));
        bool found = false;
        for (const auto& column : month.memos)
            for (const Tmemocell& memo : column) found = found || memo.text == cp932::literal("退避テスト");
        EXPECT_TRUE(found) << "the typed memo is in the rescue copy";
        EXPECT_TRUE(fs::is_empty(program.dir())) << "nothing was written beside the program";
        ::chmod(program.dir().c_str(), 0755);
    }
}

// Neither the program's folder nor the rescue folder takes anything: the
// termination signal leaves the month in memory, and the next start says where.
TEST(Saving, WhenNoDiskTakesTheMonthATerminationSignalLeavesItInMemoryAndTheNextStartNamesIt) {
    uitest::TempFolder program, rescueParent, lastResort;
    const std::string rescue = rescueParent.file("kelmora/rescue/");
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(lastResort.dir().c_str(), 65534, 65534), 0);  // the probe runs as nobody
    } else {
        ASSERT_EQ(::chmod(program.dir().c_str(), 0555), 0);
        ASSERT_EQ(::chmod(rescueParent.dir().c_str(), 0555), 0);
    }
    QProcess probe;
    probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    probe.start(QStringLiteral(KELMORA_TERMINATION_PROBE),
                {QString::fromStdString(program.dir()), QString::fromStdString(rescue), QStringLiteral("typing"),
                 QString::fromStdString(lastResort.dir())});
    ASSERT_TRUE(probe.waitForStarted(5000));
    QByteArray said;
    while (!said.contains("ready") && probe.waitForReadyRead(15000)) said += probe.readAllStandardOutput();
    ASSERT_TRUE(said.contains("ready")) << said.toStdString();
    ::kill(static_cast<pid_t>(probe.processId()), SIGTERM);
    ASSERT_TRUE(probe.waitForFinished(10000));
    EXPECT_EQ(probe.exitCode(), 0);
    ::chmod(program.dir().c_str(), 0755);
    ::chmod(rescueParent.dir().c_str(), 0755);

    std::vector<std::string> copies;
    for (const auto& entry : fs::directory_iterator(lastResort.dir()))
        if (entry.path().extension() == ".wmd") copies.push_back(entry.path().filename().string());
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_NE(lastResort.get(copies[0]).find(cp932::literal("退避テスト")), std::string::npos);

    SavingHarness h;
    h.lastResortDir = lastResort.dir();
    TForm1& w = h.open();
    EXPECT_TRUE(barSays(w, copies[0].c_str()));
    EXPECT_TRUE(barSays(w, "メモリ上にあり"));
}

}  // namespace
}  // namespace kelmora
