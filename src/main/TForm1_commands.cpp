// The commands on days and memo cells: the selection's memos and colours,
// the focus cell's colours, the two marking tools, the editor's clipboard
// and undo, the menus' enabling, help and the about box.

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTextDocument>
#include <QTimer>
#include <QToolBar>

#include "CanvasEdit/TCanvasEdit.h"
#include "about/about_box.h"
#include "about/help_window.h"
#include "jump/jump_dialog.h"
#include "main/TForm1.h"
#include "platform/qt_text.h"
#include "main/cp932.h"
#include "main/month_file_format.h"
#include "main/tool_cursors.h"
#include "platform/event_hook.h"
#include "platform/owner_draw_grid.h"
#include "settei/settings_dialog.h"
#include "textinput/memo_input_dialog.h"

namespace kelmora {
namespace {

const char* const kSameColours = "背景色と文字色が同じです";

template <typename F>
void forEachSelected(MonthModel& model, F f) {
    for (int week = 1; week <= kWeeks; ++week)
        for (int col = 0; col < kColumns; ++col)
            if (model.memos[col][week].selected) f(col, week, model.memos[col][week]);
}

bool clipboardHoldsText() { return !QGuiApplication::clipboard()->text().isEmpty(); }

}  // namespace

// The two context menus, and the window's first look at keys and at clicks
// on its bare background. The memo input and jump dialogs are made at their
// first use (the start does not wait for them) and kept.
void TForm1::createCommands() {
    runModal = [](QDialog& dialog) { dialog.exec(); };

    PopupMenu1 = new QMenu(this);
    mnuaddmemo = PopupMenu1->addAction(japanese("選択したメモ欄にメモを追加..."), this, [this] { mnuaddmemoClick(); });
    mnudelmemo = PopupMenu1->addAction(japanese("選択したメモ欄のメモを削除..."), this, [this] { mnudelmemoClick(); });
    PopupMenu1->addSeparator();
    multbkcolor = PopupMenu1->addAction(japanese("選択したメモ欄の背景色を変更..."), this, [this] { multbkcolorClick(); });
    multfcolor = PopupMenu1->addAction(japanese("選択したメモ欄の文字色を変更..."), this, [this] { multfcolorClick(); });
    multcolorini = PopupMenu1->addAction(japanese("選択したメモ欄の配色を通常に戻す..."), this, [this] { multcoloriniClick(); });
    connect(PopupMenu1, &QMenu::aboutToShow, this, [this] { PopupMenu1Popup(); });
    dg1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(dg1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenu1->popup(dg1->mapToGlobal(pos)); });

    // The editor's menu. Its colour and erase shortcuts work while the editor
    // has the keyboard; cut, copy, paste and undo are the editor's own keys.
    PopupMenu2 = new QMenu(this);
    const auto item = [this](const char* caption, QKeySequence keys, auto handler, bool editorKey) {
        QAction* action = PopupMenu2->addAction(japanese(caption), this, handler);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetShortcut);
        if (editorKey) memo1->addAction(action);
        return action;
    };
    pmCut = item("切り取り(&T)", QKeySequence(Qt::CTRL | Qt::Key_X), [this] { Cut1Click(); }, false);
    pmCopy = item("コピー(&C)", QKeySequence(Qt::CTRL | Qt::Key_C), [this] { Copy1Click(); }, false);
    pmPaste = item("貼り付け(&P)", QKeySequence(Qt::CTRL | Qt::Key_V), [this] { Paste1Click(); }, false);
    pmSelectAll = item("すべて選択(&A)", QKeySequence(), [this] { SelectAll1Click(); }, false);
    pmUndo = item("元に戻す(&U)", QKeySequence(Qt::CTRL | Qt::Key_Z), [this] { mnuundoClick(); }, false);
    PopupMenu2->addSeparator();
    mnuchng_bkc = item("背景色変更...", QKeySequence(Qt::CTRL | Qt::Key_B), [this] { mnuchng_bkcClick(); }, true);
    mnuchng_fc = item("文字色変更...", QKeySequence(Qt::CTRL | Qt::Key_F), [this] { mnuchng_fcClick(); }, true);
    mnucolorini = item("通常の配色に戻す...", QKeySequence(Qt::CTRL | Qt::Key_I), [this] { mnucoloriniClick(); }, true);
    PopupMenu2->addSeparator();
    mnudeltxt = item("メモ消去", QKeySequence(Qt::CTRL | Qt::Key_M), [this] { mnudeltxtClick(); }, true);
    mnudel_yj = item("矢印削除...", QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { mnudel_yjClick(); }, true);
    connect(PopupMenu2, &QMenu::aboutToShow, this, [this] { PopupMenu2Popup(); });
    // Their shortcuts must not stay off because the menu last opened on a
    // cell of normal colours or without an arrow.
    connect(PopupMenu2, &QMenu::aboutToHide, this, [this] {
        mnucolorini->setEnabled(true);
        mnudel_yj->setEnabled(true);
    });
    memo1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(memo1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenu2->popup(memo1->mapToGlobal(pos)); });

    // One level of undo: a change the user makes after an undo starts afresh.
    connect(memo1, &QPlainTextEdit::textChanged, this, [this] {
        if (!undoing_) undoneLast_ = false;
    });

    keyPreview_ = new EventHook(this, [this](QObject* watched, QEvent* event) {
        if (event->type() != QEvent::KeyPress) return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        // Once per key: when it reaches the window's focused control (the key
        // travels on to the parents when the control leaves it).
        if (!widget || widget->window() != this || widget != (focusWidget() ? focusWidget() : this)) return false;
        // The menu bar walked with the keyboard keeps its keys.
        if (qobject_cast<QMenuBar*>(widget) || QApplication::activePopupWidget()) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        return FormKeyDown(key->key(), key->modifiers()) || typeIntoFocusCell(*key);
    });
    qApp->installEventFilter(keyPreview_);

    auto* backgroundClicks = new EventHook(this, [this](QObject* watched, QEvent* event) {
        if (event->type() != QEvent::MouseButtonRelease) return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton) return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->childAt(mouse->position().toPoint())) return false;
        FormClick();
        return false;
    });
    client_->installEventFilter(backgroundClicks);
    ToolBar1->installEventFilter(backgroundClicks);
}

// "編集(&E)": undo, cut, copy, paste of the editor.
void TForm1::createEditMenu() {
    MenuItem1 = menuBar()->addMenu(japanese("編集(&E)"));
    mnuundo = MenuItem1->addAction(japanese("元に戻す(&U)"), this, [this] { mnuundoClick(); });
    mnuundo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    MenuItem1->addSeparator();
    Cut1 = MenuItem1->addAction(japanese("切り取り(&T)"), this, [this] { Cut1Click(); });
    Cut1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    Copy1 = MenuItem1->addAction(japanese("コピー(&C)"), this, [this] { Copy1Click(); });
    Copy1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    Paste1 = MenuItem1->addAction(japanese("貼り付け(&P)"), this, [this] { Paste1Click(); });
    Paste1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    connect(MenuItem1, &QMenu::aboutToShow, this, [this] { MenuItem1Click(); });
}

// "休平日設定(&K)" with its two marking tools, and the arrow tool.
void TForm1::createToolCommands(QMenu* calendar) {
    QMenu* marks = calendar->addMenu(japanese("休平日設定(&K)"));
    mnuholi = marks->addAction(japanese("休日設定"), this, [this] { mnuholiClick(); });
    mnuholi->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    mnuholi->setCheckable(true);
    mnuhei = marks->addAction(japanese("平日設定"), this, [this] { mnuheiClick(); });
    mnuhei->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    mnuhei->setCheckable(true);
    mnuyj = calendar->addAction(japanese("矢印を引く(&Y)"), this, [this] { tbyjClick(); });
    mnuyj->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    mnuyj->setCheckable(true);
}

// --- the selection ------------------------------------------------------------

// The typed memo goes below what each selected cell holds. A memo file keeps
// at most 65535 bytes a day: a cell that would grow past that keeps its text.
TForm3& TForm1::memoInputDialog() {
    if (!Form3) Form3 = new TForm3(*env_.dialogs, this);
    return *Form3;
}

void TForm1::mnuaddmemoClick() {
    TForm3& input = memoInputDialog();
    input.setMemoFont(bandFont(settings.memo.font));
    input.prepare(dg1->defaultColWidth());
    runModal(input);
    const std::string text = input.memoText();
    if (text.empty()) {
        model.clearSelection();
        dg1->viewport()->update();
        return;
    }
    int skipped = 0;
    forEachSelected(model, [&](int, int, Tmemocell& memo) {
        std::string joined = memo.text.empty() ? text : memo.text + "\r\n" + text;
        if (joined.size() > kMaxMemoBytes) ++skipped;
        else memo.text = std::move(joined);
    });
    refitMemoRows();
    model.dirty = true;
    fitWindowHeight();
    dg1->viewport()->update();
    model.clearSelection();
    if (skipped > 0)
        env_.dialogs->inform(cp932::literal("メモが長くなりすぎるため、") + std::to_string(skipped) +
                             cp932::literal(" 個のメモ欄には追加しませんでした。"));
}

void TForm1::mnudelmemoClick() {
    if (env_.dialogs->ask(MessageIcon::Warning, Buttons::OkCancel,
                          cp932::literal("選択されたメモ欄の予定を全て削除します。\r\nよろしいですか？")) == Answer::Ok) {
        forEachSelected(model, [](int, int, Tmemocell& memo) { memo.text.clear(); });
        refitMemoRows();
        model.dirty = true;
        fitWindowHeight();
    }
    dg1->viewport()->update();
    model.clearSelection();
}

Colour TForm1::effectiveFontColour(int col, int week) const {
    const Tmemocell& memo = model.memos[col][week];
    if (memo.hasFontColor) return memo.fontColor;
    return model.cells[col][week].holiday ? settings.memo.font.colour1 : settings.memo.font.colour2;
}

Colour TForm1::effectiveBackColour(int col, int week) const {
    const Tmemocell& memo = model.memos[col][week];
    if (memo.hasBackColor) return memo.backColor;
    return model.cells[col][week].holiday ? settings.memo.bkcolor1 : settings.memo.bkcolor2;
}

// A colour equal to the other colour of a cell would hide its text: that
// cell is refused, with a message for each one.
void TForm1::multbkcolorClick() {
    if (std::optional<Colour> k = env_.dialogs->pickColour()) {
        forEachSelected(model, [&](int col, int week, Tmemocell& memo) {
            if (*k == effectiveFontColour(col, week)) {
                env_.dialogs->inform(cp932::literal(kSameColours));
                return;
            }
            memo.backColor = *k;
            memo.hasBackColor = 1;
        });
    }
    model.dirty = true;
    model.clearSelection();
    if (editorShown()) editorColours(model.focusCol, model.focusRow);
    dg1->viewport()->update();
}

void TForm1::multfcolorClick() {
    if (std::optional<Colour> k = env_.dialogs->pickColour()) {
        forEachSelected(model, [&](int col, int week, Tmemocell& memo) {
            if (*k == effectiveBackColour(col, week)) {
                env_.dialogs->inform(cp932::literal(kSameColours));
                return;
            }
            memo.fontColor = *k;
            memo.hasFontColor = 1;
        });
    }
    model.dirty = true;
    model.clearSelection();
    if (editorShown()) editorColours(model.focusCol, model.focusRow);
    dg1->viewport()->update();
}

// The stored colours stay; only their use is switched off.
void TForm1::multcoloriniClick() {
    if (env_.dialogs->ask(MessageIcon::Question, Buttons::YesNo,
                          cp932::literal("選択したメモ欄の配色を通常に戻します。\r\nよろしいですか？")) != Answer::Yes)
        return;
    forEachSelected(model, [](int, int, Tmemocell& memo) {
        memo.hasBackColor = 0;
        memo.hasFontColor = 0;
    });
    model.dirty = true;
    model.clearSelection();
    if (editorShown()) editorColours(model.focusCol, model.focusRow);
    dg1->viewport()->update();
}

// --- the focus cell (the editor's menu) -----------------------------------------

void TForm1::mnuchng_bkcClick() {
    const int col = model.focusCol, week = MonthModel::weekOfRow(model.focusRow);
    const Colour text = effectiveFontColour(col, week);
    if (std::optional<Colour> k = env_.dialogs->pickColour()) {
        if (*k == text) {
            env_.dialogs->inform(cp932::literal(kSameColours));
        } else {
            model.memos[col][week].backColor = *k;
            model.memos[col][week].hasBackColor = 1;
            model.dirty = true;
        }
    }
    editorColours(model.focusCol, model.focusRow);
    dg1->viewport()->update();
}

void TForm1::mnuchng_fcClick() {
    const int col = model.focusCol, week = MonthModel::weekOfRow(model.focusRow);
    const Colour back = effectiveBackColour(col, week);
    if (std::optional<Colour> k = env_.dialogs->pickColour()) {
        if (*k == back) {
            env_.dialogs->inform(cp932::literal(kSameColours));
        } else {
            model.memos[col][week].fontColor = *k;
            model.memos[col][week].hasFontColor = 1;
            model.dirty = true;
        }
    }
    editorColours(model.focusCol, model.focusRow);
    dg1->viewport()->update();
}

void TForm1::mnucoloriniClick() {
    if (env_.dialogs->ask(MessageIcon::Question, Buttons::YesNo,
                          cp932::literal("このメモ欄の配色を通常に戻します。\r\nよろしいですか？")) != Answer::Yes)
        return;
    Tmemocell& memo = model.memos[model.focusCol][MonthModel::weekOfRow(model.focusRow)];
    memo.hasBackColor = 0;
    memo.hasFontColor = 0;
    model.dirty = true;
    editorColours(model.focusCol, model.focusRow);
    dg1->viewport()->update();
}

// The editor's own change handling stores the empty text in the cell.
void TForm1::mnudeltxtClick() {
    if (env_.dialogs->ask(MessageIcon::Warning, Buttons::OkCancel,
                          cp932::literal("このメモ欄のメモを消去します。\r\nよろしいですか？")) == Answer::Ok)
        memo1->setPlainText(QString());
}

// --- the marking tools ------------------------------------------------------------

void TForm1::mnuholiClick() {
    if (holidayMarking) {
        FormClick();
        return;
    }
    if (arrowTool.busy()) FormClick();
    hideEditor();
    tbholiday->setChecked(true);
    mnuholi->setChecked(true);
    mnuhei->setChecked(false);
    setToolCursor(static_cast<int>(ToolCursor::Holiday));
    weekdayMarking = false;
    tbweekday->setChecked(false);
    holidayMarking = true;
    tellInputMethod();  // typing on the grid marks nothing
}

void TForm1::mnuheiClick() {
    if (weekdayMarking) {
        FormClick();
        return;
    }
    if (arrowTool.busy()) FormClick();
    hideEditor();
    tbweekday->setChecked(true);
    mnuhei->setChecked(true);
    mnuholi->setChecked(false);
    setToolCursor(static_cast<int>(ToolCursor::Weekday));
    holidayMarking = false;
    tbholiday->setChecked(false);
    weekdayMarking = true;
    tellInputMethod();
}

// A mark replaces the other kind of mark and never toggles; it is made on
// neighbouring-month cells too.
void TForm1::markDay(int col, int week, bool holiday) {
    model.cells[col][week].holiday = holiday ? 1 : 0;
    model.marks[col][week].holidayMark = holiday ? 1 : 0;
    model.marks[col][week].weekdayMark = holiday ? 0 : 1;
    model.dirty = true;
    dg1->viewport()->update();
}

// The tool reset: every tool off, the default cursor back.
void TForm1::FormClick() {
    setToolCursor(0);
    holidayMarking = false;
    weekdayMarking = false;
    arrowTool.reset();
    Timer1->stop();
    tbholiday->setChecked(false);
    tbweekday->setChecked(false);
    tbyj->setChecked(false);
    mnuholi->setChecked(false);
    mnuhei->setChecked(false);
    mnuyj->setChecked(false);
    hideEditor();  // which tells the input method typing writes again
}

// The tool's cursor applies over every window of the program.
void TForm1::setToolCursor(int cursor) {
    if (cursor == 0) {
        if (toolCursorSet_) QApplication::restoreOverrideCursor();
        toolCursorSet_ = false;
        return;
    }
    const QCursor& shape = toolCursor(static_cast<ToolCursor>(cursor));
    if (toolCursorSet_) {
        QApplication::changeOverrideCursor(shape);
    } else {
        QApplication::setOverrideCursor(shape);
        toolCursorSet_ = true;
    }
}

// --- the editor's clipboard and undo --------------------------------------------------

bool TForm1::editorCanUndo() const {
    const QTextDocument* doc = memo1->document();
    return doc->isUndoAvailable() || (undoneLast_ && doc->isRedoAvailable());
}

// One level: undo reverts the last change, undoing again brings it back.
void TForm1::mnuundoClick() {
    if (!editorShown()) return;
    undoing_ = true;
    if (undoneLast_ && memo1->document()->isRedoAvailable()) {
        memo1->redo();
        undoneLast_ = false;
    } else if (memo1->document()->isUndoAvailable()) {
        memo1->undo();
        undoneLast_ = true;
    }
    undoing_ = false;
}

void TForm1::Cut1Click() {
    if (editorShown()) memo1->cut();
}

void TForm1::Copy1Click() {
    if (editorShown()) memo1->copy();
}

void TForm1::Paste1Click() {
    if (editorShown()) memo1->paste();
}

void TForm1::SelectAll1Click() { memo1->selectAll(); }

// --- menu enabling, as each menu opens ------------------------------------------------

void TForm1::PopupMenu1Popup() {
    const bool any = anySelected();
    for (QAction* a : {mnuaddmemo, mnudelmemo, multbkcolor, multfcolor, multcolorini}) a->setEnabled(any);
}

void TForm1::PopupMenu2Popup() {
    const bool selectedText = memo1->textCursor().hasSelection();
    const Tmemocell& memo = model.memos[model.focusCol][MonthModel::weekOfRow(model.focusRow)];
    pmPaste->setEnabled(clipboardHoldsText());
    pmCut->setEnabled(selectedText);
    pmCopy->setEnabled(selectedText);
    mnucolorini->setEnabled(memo.hasBackColor || memo.hasFontColor);
    mnudel_yj->setEnabled(memo.arrow != NoArrow);
    pmUndo->setEnabled(editorCanUndo());
}

void TForm1::MenuItem1Click() {
    const bool shown = editorShown();
    const bool selectedText = shown && memo1->textCursor().hasSelection();
    Paste1->setEnabled(shown && clipboardHoldsText());
    Cut1->setEnabled(selectedText);
    Copy1->setEnabled(selectedText);
    mnuundo->setEnabled(shown && editorCanUndo());
}

// --- settings -------------------------------------------------------------------------

// The month is saved first (a month that cannot be saved keeps the dialog
// shut, as it keeps the month from changing). With OK or Cancel the window
// then shows its month in the settings' look again: a changed week start,
// weekly days off or font takes full effect here.
void TForm1::setteiClick() {
    hideEditor();
    if (!saveBeforeLeaving()) return;
    {
        TForm2 dialog(*this);
        runModal(dialog);
    }
    applyLook();
    FormResize();
    reselectFocusCell();
    dg1->viewport()->update();
}

// --- help and about -------------------------------------------------------------------

void TForm1::mnuhelpClick() {
    showHelpContents(this, QString::fromStdString(env_.helpFile), QString::fromStdString(env_.programDir),
                     *env_.dialogs);
}

void TForm1::mnuversionClick() {
    Tfrmversion box(QString::fromStdString(env_.programDir), this);
    runModal(box);
}

}  // namespace kelmora
