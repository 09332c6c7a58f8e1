// The in-cell editor: laid over the focus cell, it writes every change
// straight into the month and grows the memo row with the text.

#include <QKeyEvent>
#include <QPainter>
#include <QTextCursor>
#include <QTimer>

#include "CanvasEdit/TCanvasEdit.h"
#include "main/TForm1.h"
#include "main/arrow_piece.h"
#include "main/cp932.h"
#include "platform/colours.h"
#include "platform/owner_draw_grid.h"
#include "platform/qt_text.h"
#include "platform/text_layout.h"

namespace kelmora {
namespace {

constexpr std::size_t kLongestMemo = 65535;  // bytes a memo file can hold for one day
constexpr int kTextLeft = 4;                  // first character, from the cell's left edge
constexpr int kTextTop = 3;

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

void TForm1::hideEditor() {
    composingOnGrid_ = false;
    memo1->hide();
    dg1->viewport()->update();
}

void TForm1::restoreEditorText(const QString& text) {
    restoringText_ = true;
    memo1->setPlainText(MemoTextLayout::normalised(text));
    QTextCursor cursor = memo1->textCursor();
    cursor.movePosition(QTextCursor::End);
    memo1->setTextCursor(cursor);
    restoringText_ = false;
}

void TForm1::memo1Change() {
    if (!editorShown() || restoringText_) return;
    const int col = model.focusCol, row = model.focusRow;
    Tmemocell& memo = model.memos[col][MonthModel::weekOfRow(row)];
    const std::string old = memo.text;

    // What the cell shows is what the file keeps: a character the file's
    // code page cannot hold is refused at once.
    QString bad;
    std::optional<std::string> bytes = toCp932(withCrLf(memo1->toPlainText()), &bad);
    if (!bytes) {
        restoreEditorText(toQString(old));
        // The character cannot be CP932, so the message goes as Qt's text.
        env_.dialogs->informText(japanese("この文字はメモに使えません：「") + bad + japanese("」(") + unicodeCodeOf(bad) +
                                 QLatin1Char(')'));
        return;
    }
    if (bytes->size() > kLongestMemo) {
        restoreEditorText(toQString(old));
        env_.dialogs->inform(cp932::literal("メモ欄が一杯です。\r\nこれ以上入力できません"));
        return;
    }
    model.dirty = true;
    memo.text = *bytes;
    typingChanged();  // the save waits until the typing pauses, but not for ever
    if (!fitFocusRowToEditor()) {
        env_.dialogs->inform(cp932::literal("メモ欄が一杯です。\r\nこれ以上入力できません"));
        memo.text = old;
        restoreEditorText(toQString(old));
    }
    placeEditor(col, row);
    if (memo.arrow != NoArrow) memo1->update();
}

// The focus row as tall as the editor's text needs as shown (with the text
// being composed), never lower than the other cells of its week need. False,
// the row left as it is, when the row is the top one shown and would not
// fit the grid below the header and its date row.
bool TForm1::fitFocusRowToEditor() {
    const int row = model.focusRow;
    // The editor lays its text out later; the shared layout gives the same
    // lines now.
    const int lines = MemoTextLayout::lineCount(memo1->shownText(), bandFont(settings.memo.font), memoTextWidth());
    const int need = lines * memoLineHeight() + 6;
    if (need <= otherHeight_) {
        dg1->setRowHeight(row, otherHeight_);
        return true;
    }
    if (need == dg1->rowHeight(row)) return true;
    const bool fits =
        !(dg1->row() == dg1->topRow() && dg1->rowHeight(0) + need + dg1->defaultRowHeight() > dg1->height());
    if (fits) dg1->setRowHeight(row, need);
    fitWindowHeight();
    reselectFocusCell();
    return fits;
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
