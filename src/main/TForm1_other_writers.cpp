// Other writers of the calendar's folder: a sync tool bringing another
// machine's version of the month, a second copy of the program. The shown
// month's file is watched; a version saved elsewhere is loaded at once when
// the month is unchanged here, merged day by day when it is changed here too,
// and the bar says what happened. Nothing is asked: the user may be typing.

#include <algorithm>

#include <QApplication>
#include <QDir>
#include <QStringList>
#include <QTextCursor>

#include "CanvasEdit/TCanvasEdit.h"
#include "main/TForm1.h"
#include "main/month_file_watcher.h"
#include "main/month_files.h"
#include "main/save_bar.h"
#include "platform/owner_draw_grid.h"
#include "platform/qt_text.h"

namespace kelmora {
namespace {

QString nativePath(const std::string& path) { return QDir::toNativeSeparators(QString::fromStdString(path)); }

// "7日、12日", with the month for days of the neighbouring months.
QString daysText(const std::vector<Date>& days, int month) {
    QString text;
    for (const Date& day : days) {
        if (!text.isEmpty()) text += japanese("、");
        text += day.month == month ? japanese("%1日").arg(day.day) : japanese("%1月%2日").arg(day.month).arg(day.day);
    }
    return text;
}

}  // namespace

void TForm1::watchShownMonth() {
    if (!monthWatcher) {
        monthWatcher = new MonthFileWatcher(this);
        connect(monthWatcher, &MonthFileWatcher::changed, this, [this] { lookForOutsideChange(); });
    }
    monthWatcher->watch(QString::fromStdString(env_.programDir), QString::fromStdString(store_.fileNameOf(model)));
}

void TForm1::lookForOutsideChange() {
    if (closing) return;
    // Not under a box or dialog (a save may be waiting there for an answer),
    // nor while the arrow tool waits: the look comes again a moment later.
    if (saveMustWait() || QApplication::activeModalWidget()) {
        monthWatcher->askAgainLater();
        return;
    }
    watchShownMonth();
    tellConflictCopies();
    const QString title = toQString(model.title);
    const QString file = nativePath(store_.fileNameOf(model));
    switch (store_.outsideChange(model)) {
        case OutsideChange::None: return;
        case OutsideChange::Changed:
            if (model.dirty) afterSave(store_.saveMonth(model, arrowTool.busy(), OnSaveFailure::report()));
            else reloadFromOutside();
            return;
        case OutsideChange::Gone:
            store_.acceptGone(model);
            addNotice(japanese("%1 のファイル「%2」が他のところで削除されました。画面の内容はそのままです。"
                               "書き換えると、その内容で保存し直します。")
                          .arg(title, file),
                      true);
            return;
        case OutsideChange::Unreadable: {
            // Told once for each version that is in the way.
            const FileStamp stamp = env_.files->stampOf(store_.fileNameOf(model));
            if (stamp == toldUnreadable_) return;
            toldUnreadable_ = stamp;
            addNotice(japanese("%1 のファイル「%2」が他のところで書き換えられましたが、月のファイルとして読めません"
                               "（書き込みの途中かもしれません）。画面の内容はそのままです。"
                               "このあと保存するときは、そのファイルを別の名前で残してから書き込みます。")
                          .arg(title, file),
                      true);
            return;
        }
    }
}

// The focus cell, the editor on it and the caret stay where they were.
void TForm1::reloadFromOutside() {
    if (!store_.reloadQuietly(model)) return;
    showOutsideChange(false);
    addNotice(japanese("他のところで変更された %1 を読み込み直しました。").arg(toQString(model.title)), true);
}

void TForm1::showOutsideChange(bool caretFromEnd) {
    const bool editing = editorShown();
    const int caret = memo1->textCursor().position();
    const int fromEnd = static_cast<int>(memo1->toPlainText().size()) - caret;
    // Putting the new text into the editor is no change of the user's.
    const bool wasDirty = model.dirty;
    refitMemoRows();
    if (editing && editorShown()) {
        const int length = static_cast<int>(memo1->toPlainText().size());
        QTextCursor cursor = memo1->textCursor();
        cursor.setPosition(std::clamp(caretFromEnd ? length - fromEnd : caret, 0, length));
        memo1->setTextCursor(cursor);
    }
    model.dirty = wasDirty;
    fitWindowHeight();
    dg1->viewport()->update();
}

QString TForm1::mergeNoticeText(const MergeNotice& merge) const {
    const MonthMergeReport& report = merge.report;
    std::vector<Date> takenOnly;
    for (const Date& day : report.taken)
        if (std::find(report.joined.begin(), report.joined.end(), day) == report.joined.end()) takenOnly.push_back(day);
    QString text = japanese("他のところで変更された %1年%2月 を、この画面の変更と日ごとに合わせて保存しました。")
                       .arg(merge.year)
                       .arg(merge.month);
    if (!takenOnly.empty())
        text += japanese("向こうの変更を取り込んだ日: %1。").arg(daysText(takenOnly, merge.month));
    if (!report.joined.empty())
        text += japanese("両方でメモが書き換えられていた日: %1。どちらのメモも残し、向こうのメモの後に「%2」の行を入れて"
                         "この画面のメモを続けています。")
                    .arg(daysText(report.joined, merge.month), toQString(memoJoinLine()));
    return text;
}

// A sync tool that found the month changed on two machines at once keeps
// the other version as a file of its own: the calendar never reads or
// deletes it, but says once where it is.
void TForm1::tellConflictCopies() {
    QStringList fresh;
    for (const std::string& name : conflictCopiesIn(*env_.files, env_.programDir)) {
        if (std::find(toldConflictCopies_.begin(), toldConflictCopies_.end(), name) != toldConflictCopies_.end())
            continue;
        toldConflictCopies_.push_back(name);
        fresh << QString::fromStdString(name);
    }
    if (fresh.isEmpty()) return;
    addNotice(japanese("カレンダーのフォルダに、同期ツールが作った競合コピーがあります: 「%1」。"
                       "別の PC で書いたメモが入っているかもしれません。カレンダーはこのファイルを読まず、消しもしません。"
                       "要るメモをカレンダーに書き写したら、ファイルを削除してください。")
                  .arg(fresh.join(japanese("」「"))));
}

void TForm1::addNotice(const QString& text, bool aboutMonthFile) {
    const auto drop = [&](const QString& old) {
        saveNotices_.erase(std::remove(saveNotices_.begin(), saveNotices_.end(), old), saveNotices_.end());
    };
    drop(text);
    if (aboutMonthFile && !monthFileNotice_.isEmpty()) drop(monthFileNotice_);
    if (aboutMonthFile) monthFileNotice_ = text;
    saveNotices_.push_front(text);
    showSaveState();
}

}  // namespace kelmora
