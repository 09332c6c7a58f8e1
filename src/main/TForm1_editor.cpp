// The in-cell editor: laid over the focus cell, it writes every change
// straight into the month and grows the memo row with the text.

#include <QApplication>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QTextCursor>
#include <QTimer>
#include <algorithm>

#include "CanvasEdit/TCanvasEdit.h"
#include "main/TForm1.h"
#include "main/arrow_piece.h"
#include "main/month_file_format.h"
#include "platform/colours.h"
#include "platform/owner_draw_grid.h"
#include "platform/passing_note.h"
#include "platform/qt_text.h"
#include "platform/text_layout.h"

namespace kelmora {
namespace {

constexpr int kTextLeft = 4;  // first character, from the cell's left edge
constexpr int kTextTop = 3;
constexpr const char* kCellFull = "メモ欄が一杯です。\r\nこれ以上入力できません";
// How long after a composition ended an input method may deliver it again
// (past a save on a slow disk).
constexpr qint64 kLateDelivery = 3000;  // ms

QString withCrLf(const QString& text) {
    QString out = MemoTextLayout::normalised(text);
    out.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return out;
}

}  // namespace

bool TForm1::editorShown() const { return memo1 && memo1->isVisible(); }

// The grid, the editor and the row measurement all break memo lines at
// this width.
int TForm1::memoTextWidth() const { return look().memoTextWidth; }

int TForm1::memoLineHeight() const { return MemoTextLayout::lineHeight(bandFont(settings.memo.font)); }

int TForm1::rowHeightForWeek(int week, int excludedCol) {
    const QFont font = bandFont(settings.memo.font);
    const int width = memoTextWidth();
    const int lineHeight = memoLineHeight();
    int result = settings.memo.height;
    for (int col = 0; col < kColumns; ++col) {
        if (col == excludedCol) continue;
        const int lines = MemoTextLayout::lineCount(toQString(model.memos[col][week].text), font, width);
        result = std::max(result, lines * lineHeight + 6);
    }
    return result;
}

// The editor takes the cell's colours; the selection highlight is the grid's only.
void TForm1::editorColours(int col, int row) {
    const CellColours colours = memoCellColours(col, MonthModel::weekOfRow(row));
    QPalette palette = memo1->palette();
    palette.setColor(QPalette::Base, toQColor(colours.back));
    palette.setColor(QPalette::Text, toQColor(colours.text));
    memo1->setPalette(palette);
}

void TForm1::openEditor() {
    const int col = model.focusCol, row = model.focusRow;
    const int week = MonthModel::weekOfRow(row);
    model.dirty = true;  // opening counts as a change: the month is saved at the next idle moment
    editorColours(col, row);
    otherHeight_ = rowHeightForWeek(week, col);
    memo1->setFont(bandFont(settings.memo.font));
    memo1->setTextMargins(kTextLeft, kTextTop, settings.memo.width + 1 - kTextLeft - memoTextWidth());
    memo1->setPlainText(MemoTextLayout::normalised(toQString(model.memos[col][week].text)));
    placeEditor(col, row);
    dg1->viewport()->update();
    memo1->show();
    memo1->raise();
    memo1->update();
    QTextCursor cursor = memo1->textCursor();
    cursor.movePosition(QTextCursor::End);
    memo1->setTextCursor(cursor);
    giveEditorTheKeyboard();
    tellInputMethod();
}

// Not while the grid hands a composition on to the editor: moving the
// keyboard would end the composition. The editor takes it at its end.
void TForm1::giveEditorTheKeyboard() {
    if (!composingOnGrid_) memo1->setFocus(Qt::OtherFocusReason);
}

void TForm1::placeEditor(int col, int row) {
    const QRect cell = dg1->cellRect(col, row);
    if (cell.isEmpty()) return;
    const QPoint topLeft = dg1->viewport()->mapTo(client_, cell.topLeft());
    memo1->setGeometry(topLeft.x(), topLeft.y(), cell.width() + 1, cell.height() + 1);
    if (editorShown()) giveEditorTheKeyboard();
}

// What an input method is composing goes into the cell as it is shown
// before the editor closes, the keyboard leaves it or the month is saved,
// as if committed: left to itself, an input method drops it or delivers it
// to the next field. Told to forget it, fcitx5 commits it there and then;
// IBus forgets it (and delivers it again later, see deliveredAgain); with
// neither, the editor commits it itself.
void TForm1::commitComposition() {
    if (!editorShown()) return;
    const QString composing = memo1->composingText();
    if (composing.isEmpty()) return;
    const QString before = memo1->toPlainText();
    QGuiApplication::inputMethod()->reset();
    if (memo1->toPlainText() == before) {
        QInputMethodEvent commit;
        commit.setCommitString(composing);
        QApplication::sendEvent(memo1, &commit);
    }
    if (composingOnGrid_) {  // the grid handed it on: the editor takes the keyboard now
        composingOnGrid_ = false;
        giveEditorTheKeyboard();
    }
}

// IBus with Mozc delivers a composition that ended when the keyboard left
// the editor (or that the window ended) a second time a moment later, to
// whatever has the keyboard then (the grid of the next month, say). The
// composition is in its cell already: that delivery is dropped. Any other
// input method event ends the wait for it.
bool TForm1::deliveredAgain(const QInputMethodEvent& event) {
    const QString commit = event.commitString();
    const bool again = !endedComposition_.isEmpty() && event.preeditString().isEmpty() && commit == endedComposition_ &&
                       endedAt_.isValid() && endedAt_.elapsed() < kLateDelivery;
    if (again || !event.preeditString().isEmpty() || !commit.isEmpty()) endedComposition_.clear();
    if (!again && !commit.isEmpty() && event.preeditString().isEmpty() && commit == memo1->composingText()) {
        endedComposition_ = commit;  // committed as it was shown: it may come again
        endedAt_.start();
    }
    return again;
}

// The grid takes the keyboard back before the editor goes, so the next key,
// composed or not, writes in the cell the focus frame is on (a hidden
// editor would swallow it).
void TForm1::hideEditor() {
    commitComposition();
    composingOnGrid_ = false;
    if (!focusWidget() || focusWidget() == memo1) dg1->setFocus(Qt::OtherFocusReason);
    memo1->hide();
    editorNote->putAway();
    dg1->viewport()->update();
    tellInputMethod();
}

// Whether the grid takes a composition, and where the candidates show,
// depend on the editor, the tools, the focus frame and the focus cell: the
// input method asks again whenever one of them changes.
void TForm1::tellInputMethod() { QGuiApplication::inputMethod()->update(Qt::ImQueryAll); }

void TForm1::restoreEditorText(const QString& text, int caret) {
    restoringText_ = true;
    memo1->setPlainText(MemoTextLayout::normalised(text));
    QTextCursor cursor = memo1->textCursor();
    cursor.setPosition(std::clamp(caret, 0, static_cast<int>(memo1->document()->characterCount()) - 1));
    memo1->setTextCursor(cursor);
    restoringText_ = false;
}

// The cell keeps its text and the caret goes back to where the change was
// made; the reason shows below the cell (above it when the window has no
// room below), over nothing being typed, while the user types on.
void TForm1::refuseEditorChange(const std::string& kept, const QString& why) {
    const QString text = toQString(kept);
    const int grown = static_cast<int>(MemoTextLayout::normalised(memo1->toPlainText()).size()) -
                      static_cast<int>(MemoTextLayout::normalised(text).size());
    restoreEditorText(text, memo1->textCursor().position() - std::max(0, grown));
    editorNote->showBeside(memo1, memo1->rect(), why);
}

void TForm1::memo1Change() {
    if (!editorShown() || restoringText_) return;
    const int col = model.focusCol, row = model.focusRow;
    Tmemocell& memo = model.memos[col][MonthModel::weekOfRow(row)];

    // What the cell shows is what the file keeps: a change the cell cannot
    // take (a character the file's code page cannot hold as itself, a text
    // too long for the file or the grid) is refused before it reaches the
    // month, so no save can write it.
    QString bad;
    const std::optional<std::string> bytes = toCp932(withCrLf(memo1->toPlainText()), &bad);
    if (!bytes) {
        refuseEditorChange(memo.text, japanese("この文字はメモに使えません：「") + bad + japanese("」(") +
                                          unicodeCodeOf(bad) + QLatin1Char(')'));
        return;
    }
    if (bytes->size() > kMaxMemoBytes || !editorRowFits(editorRowNeed(memo1->toPlainText()))) {
        refuseEditorChange(memo.text, japanese(kCellFull));
        return;
    }
    model.dirty = true;
    memo.text = *bytes;
    typingChanged();  // the save waits until the typing pauses, but not for ever
    fitFocusRowToEditor();
    placeEditor(col, row);
    if (memo.arrow != NoArrow) memo1->update();
}

// The editor lays its text out later; the shared layout gives the same
// lines now.
int TForm1::editorRowNeed(const QString& text) const {
    return MemoTextLayout::lineCount(text, bandFont(settings.memo.font), memoTextWidth()) * memoLineHeight() + 6;
}

// False when the focus row is the top one shown and would not fit the grid
// below the header and its date row.
bool TForm1::editorRowFits(int need) const {
    if (need <= otherHeight_ || need == dg1->rowHeight(model.focusRow)) return true;
    return !(dg1->row() == dg1->topRow() && dg1->rowHeight(0) + need + dg1->defaultRowHeight() > dg1->height());
}

// The focus row as tall as the editor's text needs as shown (with the text
// being composed), never lower than the other cells of its week need; left
// as it is when that would not fit.
void TForm1::fitFocusRowToEditor() {
    const int row = model.focusRow;
    const int need = editorRowNeed(memo1->shownText());
    if (need <= otherHeight_) {
        dg1->setRowHeight(row, otherHeight_);
        return;
    }
    if (need == dg1->rowHeight(row)) return;
    if (editorRowFits(need)) dg1->setRowHeight(row, need);
    fitWindowHeight();
    reselectFocusCell();
}

// The text being composed counts for the row's height, so it never runs
// past the cell; a cancelled composition gives the height back. One that
// would not fit is left to its commit, which is refused.
void TForm1::memo1Composition() {
    if (!editorShown()) return;
    fitFocusRowToEditor();
    placeEditor(model.focusCol, model.focusRow);
}

bool TForm1::memo1KeyDown(QKeyEvent* event) {
    if (event->key() == Qt::Key_A && event->modifiers() == Qt::ControlModifier) {
        memo1->selectAll();
        return true;
    }
    if (event->key() == Qt::Key_Escape) {
        hideEditor();
        return true;
    }
    return false;
}

// The focus cell's arrow, drawn over the text where the grid draws it: the
// editor lies on the cell's top-left corner and reaches one pixel past it.
void TForm1::memo1Paint(QPainter& p) {
    const Tmemocell& memo = model.memos[model.focusCol][MonthModel::weekOfRow(model.focusRow)];
    drawArrowPiece(p, static_cast<ArrowMark>(memo.arrow), 0, 0, memo1->width() - 1,
                   fontRowHeight(settings.memo.font.size) / 2, toQColor(settings.arrowColour));
}

}  // namespace kelmora
