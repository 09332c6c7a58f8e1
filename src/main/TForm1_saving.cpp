// Saving the shown month without ever losing what the user typed: the save
// on idle, the saves before leaving the month and on close, the bar above the
// grid that reports a failed save and tries again, rescue copies, and the
// end of the program on a termination signal or the session's end.

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <cstdio>
#ifndef QT_NO_SESSIONMANAGER
#include <QSessionManager>
#endif

#include "main/TForm1.h"
#include "main/cp932.h"
#include "main/expired_files.h"
#include "main/save_bar.h"
#include "platform/owner_draw_grid.h"
#include "platform/qt_text.h"
#include "platform/termination_signal.h"

namespace kelmora {
namespace {

constexpr int kSaveRetryInterval = 5000;  // ms
// A burst of typing is written once, this long after its last key; leaving
// the month, closing and a termination signal still write at once.
constexpr int kTypingPause = 500;  // ms
// Typing that never pauses is written this long after its first unsaved
// key: within 2 s of it, with room for a slow disk's flush.
constexpr int kLongestWait = 1500;  // ms

QString nativePath(const std::string& path) { return QDir::toNativeSeparators(QString::fromStdString(path)); }

}  // namespace

void TForm1::createSaveBar() {
    saveBar = new SaveBar(client_);
    saveBar->hide();
    connect(saveBar, &SaveBar::retryRequested, this, [this] { retrySave(); });
    connect(saveBar, &SaveBar::dismissed, this, [this] {
        if (!saveNotices_.empty()) saveNotices_.pop_front();
        showSaveState();
    });
    saveRetryTimer = new QTimer(this);
    saveRetryTimer->setInterval(kSaveRetryInterval);
    connect(saveRetryTimer, &QTimer::timeout, this, [this] { retrySave(); });
    idleSaveTimer = new QTimer(this);
    idleSaveTimer->setSingleShot(true);
    idleSaveTimer->setInterval(kTypingPause);
    connect(idleSaveTimer, &QTimer::timeout, this, [this] { idleSaveTimerTimer(); });
    saveDeadlineTimer = new QTimer(this);
    saveDeadlineTimer->setSingleShot(true);
    saveDeadlineTimer->setInterval(kLongestWait);
    connect(saveDeadlineTimer, &QTimer::timeout, this, [this] { idleSaveTimerTimer(); });
}

// What the last start left to say: rescue copies nobody was told about, and
// a program folder that takes no files.
void TForm1::noticeAtStart() {
    // The copies in memory first: they are gone with the next logout.
    for (RescueCopies* copies : {&lastResort_, &rescue_}) {
        const std::vector<std::string> untold = copies->takeUntold();
        if (untold.empty()) continue;
        QString names;
        for (const std::string& name : untold) {
            if (!names.isEmpty()) names += japanese("、");
            names += QString::fromStdString(name);
        }
        QString text = japanese("前回保存できなかったメモの退避コピーがあります: 「%1」の %2。"
                                "月のメモファイルと同じ形式です。使うときは、名前を「年月.wmd」（例 202405.wmd）に変えて"
                                "プログラムのフォルダに置いてください（今あるファイルは別の名前で残してから）。")
                           .arg(nativePath(copies->folder()), names);
        if (copies == &lastResort_)
            text += japanese("このフォルダはメモリ上にあり、ログアウトや再起動で消えます。すぐに移してください。");
        saveNotices_.push_back(text);
    }
    // Room for a rescue copy that a full disk cannot take.
    rescue_.keepReserve();
    tellConflictCopies();
    if (const FileError folder = env_.files->checkWritableFolder(env_.programDir); folder.failed()) {
        saveProblem_ = japanese("このフォルダには保存できません: 「%1」。原因: %2。カレンダーは見られ、入力もできますが、"
                                "書いたメモはここに保存されません。終了するときに退避コピーとして「%3」に残します。"
                                "書き込めるフォルダへプログラムを移すか、このフォルダへの書き込みを許可してください。")
                           .arg(nativePath(env_.programDir), toQString(describeFileError(folder)),
                                nativePath(rescue_.folder()));
        saveRetryTimer->start();
    }
    showSaveState();
}

bool TForm1::saveBeforeLeaving() {
    const SaveOutcome outcome = store_.saveMonth(model, arrowTool.busy(), OnSaveFailure::askAbortRetry());
    afterSave(outcome);
    return outcome != SaveOutcome::Failed;
}

// No save of its own while the window closes (the close saves) or while the
// arrow tool waits for its last day.
bool TForm1::saveMustWait() const { return closing || arrowTool.state == ArrowWaitingForLast; }

// Save on idle: whenever the event queue runs empty with the month changed,
// except while the arrow tool waits for its last day, the save is due a
// moment later (typing keeps putting it off, see typingChanged): a burst of
// keys is one write, not one write and one flush to the disk per key. The
// deadline bounds the wait: a kill loses at most the last moments of typing.
void TForm1::PseudoApp1Idle() {
    if (saveMustWait() || !model.dirty) return;
    if (!idleSaveTimer->isActive()) idleSaveTimer->start();
    if (!saveDeadlineTimer->isActive()) saveDeadlineTimer->start();
}

void TForm1::typingChanged() {
    idleSaveTimer->start();
    if (!saveDeadlineTimer->isActive()) saveDeadlineTimer->start();
}

// It never asks: a failure shows in the bar. A failed save is held until the
// month changes or the retry comes round. A month the file holds already is
// not written again (the store compares), so an armed arrow tool, which keeps
// the month counted as unsaved, costs no writes.
void TForm1::idleSaveTimerTimer() {
    idleSaveTimer->stop();
    saveDeadlineTimer->stop();
    if (saveMustWait() || !model.dirty) return;
    afterSave(store_.saveOnIdle(model, arrowTool.busy()));
}

void TForm1::retrySave() {
    if (saveMustWait()) return;
    const SaveOutcome outcome = store_.saveMonth(model, arrowTool.busy(), OnSaveFailure::report());
    // Nothing to write: the problem lasts as long as the folder takes no files.
    if ((outcome == SaveOutcome::NotDirty || outcome == SaveOutcome::NothingToWrite) && saveProblem_ &&
        !env_.files->checkWritableFolder(env_.programDir).failed()) {
        saveProblem_.reset();
        saveRetryTimer->stop();
        showSaveState();
    }
    afterSave(outcome);
}

void TForm1::afterSave(SaveOutcome outcome) {
    bool changed = false;
    if (std::optional<MergeNotice> merge = store_.takeMerge()) {
        showOutsideChange(true);
        addNotice(mergeNoticeText(*merge), true);
    }
    if (std::optional<std::string> notice = store_.takeNotice()) {
        saveNotices_.push_back(toQString(*notice));
        changed = true;
    }
    if (outcome == SaveOutcome::Written) {
        rescue_.discard(model.year, model.month);
        rescue_.keepReserve();
        if (saveProblem_) {
            saveProblem_.reset();
            saveRetryTimer->stop();
            changed = true;
        }
    } else if (outcome == SaveOutcome::Failed || outcome == SaveOutcome::WentOnWithout) {
        // Kept outside the program's folder at once: even a hard kill of the
        // program then loses nothing.
        lastRescue_ = rescueMonth();
        saveProblem_ = saveFailureText();
        if (!saveRetryTimer->isActive()) saveRetryTimer->start();
        changed = true;
    }
    if (changed) showSaveState();
}

RescueResult TForm1::rescueMonth() {
    if (!model.dirty) return {};
    return rescue_.keep(model, env_.clock->now());
}

QString TForm1::saveFailureText() const {
    const SaveFailure& failure = store_.lastFailure();
    QString text = japanese("「%1」に保存できません。原因: %2。メモは画面に残っています。"
                            "空き容量や書き込みの権限を確かめてください。数秒ごとに自動で保存し直します。")
                       .arg(toQString(failure.path), toQString(failure.cause));
    if (lastRescue_.ok() && !lastRescue_.path.empty())
        text += japanese("今の内容は退避コピー「%1」にも残してあります。").arg(nativePath(lastRescue_.path));
    else if (!lastRescue_.ok())
        text += japanese("退避コピーも「%1」に書き込めませんでした（原因: %2）。"
                         "メモは画面にしかありません。ウィンドウを閉じずに、ディスクの空きを作ってください。")
                    .arg(nativePath(rescue_.folder()), toQString(lastRescue_.cause));
    return text;
}

// A problem comes first; the notices waiting behind it are shown with it, so
// none goes unseen while the problem lasts.
void TForm1::showSaveState() {
    const bool problem = saveProblem_.has_value();
    if (problem) {
        QString text = *saveProblem_;
        for (const QString& notice : saveNotices_) text += QLatin1Char('\n') + notice;
        saveBar->setMessage(SaveBar::Kind::Problem, text);
    } else if (!saveNotices_.empty()) {
        saveBar->setMessage(SaveBar::Kind::Notice, saveNotices_.front());
    }
    const bool shown = problem || !saveNotices_.empty();
    const int height = shown ? saveBar->heightAtWidth(clientWidth()) : 0;
    saveBar->setVisible(shown);
    if (height != saveBarHeight_) {
        gridTop_ += height - saveBarHeight_;
        saveBarHeight_ = height;
        dg1->move(0, gridTop_);
        fitWindowHeight();
    }
    placeSaveBar();
}

// Between the title row and the grid, the width of the window.
void TForm1::placeSaveBar() {
    if (saveBar) saveBar->setGeometry(0, gridTop_ - saveBarHeight_, clientWidth(), saveBarHeight_);
}

// Saving, remembering where the window was, and the optional deletion of
// old month files. A month that cannot be written keeps the window open
// (Abort) or goes to a rescue copy (Ignore); it is never dropped.
bool TForm1::FormCloseQuery() {
    const OnSaveFailure ask = OnSaveFailure::askAbortRetryIgnore(
        cp932Of(japanese("書き込まずに終了します。この月のメモは退避コピーとして「%1」に残します。")
                    .arg(nativePath(rescue_.folder()))));
    const SaveOutcome outcome = store_.saveMonth(model, arrowTool.busy(), ask);
    afterSave(outcome);
    if (outcome == SaveOutcome::Failed) return false;
    if (outcome == SaveOutcome::WentOnWithout && !lastRescue_.ok()) {
        env_.dialogs->ask(MessageIcon::Error, Buttons::Ok,
                          cp932Of(japanese("退避コピーも書き込めませんでした。原因: %1。\r\n"
                                           "終了をやめました。メモは画面に残っています。"
                                           "ディスクの空きや書き込みの権限を確かめてから、もう一度終了してください。")
                                      .arg(toQString(lastRescue_.cause))));
        return false;
    }
    closing = true;
    // The window's place is not worth a second box when the user has just
    // chosen to leave the month in a rescue copy: the folder takes nothing.
    if (auto error = settingsFile_.writeWindowPosition(y(), x()); error && outcome != SaveOutcome::WentOnWithout)
        env_.dialogs->ask(MessageIcon::Error, Buttons::Ok, *error);
    if (settings.deleteOldFiles)
        deleteExpiredMemoFiles(*env_.files, *env_.dialogs, *env_.clock, env_.programDir, settings.keepMonths);
    return true;
}

// The last resort when the folder and the rescue copy both fail: the folder
// in memory, which the next start names while it lasts.
void TForm1::keepMonthWithoutQuestions() {
    afterSave(store_.saveMonth(model, arrowTool.busy(), OnSaveFailure::report()));
    if (!model.dirty || lastRescue_.ok()) return;
    const RescueResult kept = lastResort_.keep(model, env_.clock->now());
    if (kept.ok())
        std::fprintf(stderr, "kelmora: the month could not be saved, nor kept in %s; it is in %s\n",
                     rescue_.folder().c_str(), kept.path.c_str());
    else
        std::fprintf(stderr, "kelmora: the month could not be saved, nor kept in %s: %s\n", rescue_.folder().c_str(),
                     cp932::toUtf8(lastRescue_.cause).c_str());
}

void TForm1::endWithoutQuestions() {
    if (!closing) {
        keepMonthWithoutQuestions();
        closing = true;
        // Nobody is left to tell when this fails.
        [[maybe_unused]] const WriteError ignored = settingsFile_.writeWindowPosition(y(), x());
    }
    removeTrayIcon();
}

void TForm1::endOnTerminationRequests() {
    // Every event loop ends, a modal box's too: nothing waits on an answer.
    closeOnTerminationSignal(this, [this] {
        endWithoutQuestions();
        QCoreApplication::exit(0);
    });
#ifndef QT_NO_SESSIONMANAGER
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { keepMonthWithoutQuestions(); });
#endif
}

}  // namespace kelmora
