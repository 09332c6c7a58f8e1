// Keys and clicks on the calendar: the focus cell, the month shown, the
// selection of memo cells.

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <algorithm>

#include "CanvasEdit/TCanvasEdit.h"
#include "jump/jump_dialog.h"
#include "jump/up_down.h"
#include "main/TForm1.h"
#include "main/cp932.h"
#include "platform/owner_draw_grid.h"

namespace kelmora {
namespace {

bool isArrowKey(int key) { return key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down; }

}  // namespace

bool TForm1::anySelected() const {
    for (int col = 0; col < kColumns; ++col)
        for (int week = 1; week <= kWeeks; ++week)
            if (model.memos[col][week].selected) return true;
    return false;
}

// The window looks at every key before the focused control. Keys it acts on
// are kept from the control where the action replaces what the control
// would do with them; all others pass unchanged.
bool TForm1::FormKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    const bool keypad = modifiers & Qt::KeypadModifier;
    const Qt::KeyboardModifiers mods = modifiers & ~Qt::KeypadModifier;

    if (editorShown()) {
        if (key == Qt::Key_Escape) {
            hideEditor();
            return true;
        }
        if (key == Qt::Key_Z && mods == Qt::ControlModifier) {
            mnuundoClick();
            return true;
        }
        // The edit control would take Ctrl+Y as its redo key.
        if (key == Qt::Key_Y && mods == Qt::ControlModifier) {
            tbyjClick();
            return true;
        }
        if (isArrowKey(key) && (mods & Qt::AltModifier)) {
            commitComposition();  // in the cell it was typed in
            moveFocus(key);
            dg1->setCurrentCell(model.focusCol, model.focusRow);
            openEditor();
            return true;
        }
        return false;
    }

    if (keypad && (key == Qt::Key_Plus || key == Qt::Key_Minus) &&
        (mods == Qt::NoModifier || mods == Qt::ShiftModifier)) {
        if (key == Qt::Key_Plus) btnnextClick();
        else btnprevClick();
        return true;
    }
    switch (key) {
        case Qt::Key_PageUp:
            dg1->setTopRow(dg1->topRow() - 1);
            model.focusRow = 2;
            dg1->setRow(model.focusRow);
            dg1->viewport()->update();
            tellInputMethod();
            return true;
        case Qt::Key_PageDown:
            dg1->setTopRow(dg1->topRow() + 1);
            model.focusRow = static_cast<std::uint16_t>(MonthModel::memoRow(model.weekRows));
            dg1->setRow(model.focusRow);
            dg1->viewport()->update();
            tellInputMethod();
            return true;
        case Qt::Key_Escape:
            // A tool or a selection is put away first; only then Escape quits.
            if (holidayMarking || weekdayMarking || arrowTool.busy() || anySelected()) {
                FormClick();
                model.clearSelection();
                dg1->viewport()->update();
                return true;
            }
            if (env_.dialogs->ask(MessageIcon::Warning, Buttons::OkCancel,
                                  cp932::literal("終了します\r\nよろしいですか？")) == Answer::Ok)
                close();
            return true;
        default: break;
    }
    if (!settings.focusFrame) return false;
    if (isArrowKey(key)) {
        moveFocus(key);
        dg1->setCurrentCell(model.focusCol, model.focusRow);
        dg1->viewport()->update();
        tellInputMethod();  // the candidates show at the new focus cell
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        clickFocusCell(mods);
        return true;
    }
    return false;
}

void TForm1::clickFocusCell(Qt::KeyboardModifiers modifiers) {
    dg1->setCurrentCell(model.focusCol, model.focusRow);
    dg1MouseDown(Qt::LeftButton, modifiers, model.focusCol, model.focusRow);
}

bool TForm1::typingOpensEditor() const {
    return !editorShown() && settings.focusFrame && !holidayMarking && !weekdayMarking && !arrowTool.busy();
}

// As in a spreadsheet: a printable key on the grid opens the editor on the
// focus cell, as Enter does, and goes into it. The keys of the key map have
// been seen before and keep their meaning.
bool TForm1::typeIntoFocusCell(const QKeyEvent& key) {
    if (!typingOpensEditor() || (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    const QString text = key.text();
    if (text.isEmpty() || !std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); })) return false;
    clickFocusCell(Qt::NoModifier);
    if (!editorShown()) return false;
    QKeyEvent again(key.type(), key.key(), key.modifiers(), text, key.isAutoRepeat(), key.count());
    QApplication::sendEvent(memo1, &again);
    return true;
}

// A composition on the grid writes in the focus cell likewise. Moving the
// keyboard to the editor would end the composition, so the grid keeps it
// and hands the composition on to the editor until it is committed or
// cancelled; then the editor takes the keyboard.
bool TForm1::dg1InputMethod(QInputMethodEvent* event) {
    if (deliveredAgain(*event)) return true;
    const bool commit = !event->commitString().isEmpty();
    const bool composing = !event->preeditString().isEmpty();
    if (!composingOnGrid_) {
        if (!typingOpensEditor() || (!commit && !composing)) return false;
        composingOnGrid_ = true;
        clickFocusCell(Qt::NoModifier);
        if (!editorShown()) {
            composingOnGrid_ = false;
            return false;
        }
    }
    handingOn_ = true;  // weighed here already
    QApplication::sendEvent(memo1, event);
    handingOn_ = false;
    if (commit || !composing) {
        composingOnGrid_ = false;
        if (editorShown()) giveEditorTheKeyboard();
    }
    return true;
}

// Where the input method shows its candidates: at the focus cell, and while
// the editor takes a composition from the grid, at the editor's caret.
QVariant TForm1::dg1InputMethodQuery(Qt::InputMethodQuery query) const {
    if (composingOnGrid_ && editorShown()) {
        QVariant answer = memo1->inputMethodQuery(query);
        if (query == Qt::ImCursorRectangle || query == Qt::ImAnchorRectangle)
            answer = answer.toRectF().translated(dg1->mapFrom(client_, memo1->pos()));
        return answer;
    }
    if (query == Qt::ImEnabled) return typingOpensEditor();
    if (query == Qt::ImCursorRectangle) {
        const QRect cell = dg1->cellRect(model.focusCol, model.focusRow);
        if (!cell.isEmpty()) return QRectF(dg1->viewport()->mapTo(dg1, cell.topLeft()), cell.size());
    }
    return {};
}

// Across a week's end to the next or previous week; across the month's
// first or last cell into the neighbouring month (a year with Shift held,
// as the month buttons read it). When the month cannot change (the years
// end, or the month could not be saved) the focus stays where it was.
void TForm1::moveFocus(int key) {
    const int rows = dg1->rowCount();
    const std::uint16_t col = model.focusCol, row = model.focusRow;
    const auto leaveMonth = [&](std::uint16_t newCol, std::uint16_t newRow, bool forward) {
        const int year = model.year, month = model.month;
        model.focusCol = newCol;
        model.focusRow = newRow;
        if (forward) btnnextClick();
        else btnprevClick();
        if (model.year == year && model.month == month) {
            model.focusCol = col;
            model.focusRow = row;
        }
    };
    // Up into an earlier week: its date row shows above it.
    const auto showDateRowAbove = [this] {
        dg1->setCurrentCell(model.focusCol, model.focusRow);
        if (dg1->topRow() % 2 == 0) dg1->setTopRow(dg1->topRow() - 1);
    };
    switch (key) {
        case Qt::Key_Left:
            if (col > 0) {
                model.focusCol = col - 1;
            } else if (row > 2) {
                model.focusRow = row - 2;
                model.focusCol = 6;
                showDateRowAbove();
            } else {
                leaveMonth(6, 12, false);  // the new month's build makes 12 into 10 for five weeks
            }
            break;
        case Qt::Key_Up:
            if (row > 2) {
                model.focusRow = row - 2;
                showDateRowAbove();
            }
            break;
        case Qt::Key_Right:
            if (col < 6) {
                model.focusCol = col + 1;
            } else if (row + 1 < rows) {
                model.focusCol = 0;
                model.focusRow = row + 2;
            } else {
                leaveMonth(0, 2, true);
            }
            break;
        case Qt::Key_Down:
            if (row + 1 < rows) model.focusRow = row + 2;
            break;
        default: break;
    }
}

// A press on the grid, in this order: the right button leaves everything to
// the grid's menu; a marking tool marks the pressed day; a press on a
// header or date row only puts the editor away; the arrow tool takes the
// memo cell as a day of its arrow; Ctrl adds or removes the memo cell from
// the selection; a plain press writes in the cell.
void TForm1::dg1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int col, int row) {
    if (button == Qt::RightButton) return;
    // A press on the header or beside the cells has no day: the tools then
    // have nothing to mark.
    const bool onCell = row >= OwnerDrawGrid::kFixedRows;
    const int week = MonthModel::weekOfRow(row);
    if (onCell && holidayMarking) {
        markDay(col, week, true);
        return;
    }
    if (onCell && weekdayMarking) {
        markDay(col, week, false);
        return;
    }
    if (!onCell || row % 2 == 1) {
        hideEditor();
        dg1->viewport()->update();
        return;
    }
    if (arrowTool.busy()) {
        arrowClick(col, row);
        return;
    }
    if (modifiers & Qt::ControlModifier) {
        if (editorShown()) hideEditor();
        Tmemocell& memo = model.memos[col][week];
        memo.selected = memo.selected ? 0 : 1;
        dg1->viewport()->update();
        return;
    }
    model.clearSelection();
    model.focusCol = static_cast<std::uint16_t>(col);
    model.focusRow = static_cast<std::uint16_t>(row);
    openEditor();
}

// The jump dialog opens on the month shown (clamped to its years); only OK
// changes the month.
Tform_jump& TForm1::jumpDialog() {
    if (!form_jump) form_jump = new Tform_jump(this);
    return *form_jump;
}

void TForm1::mnujumpClick() {
    hideEditor();
    if (!saveBeforeLeaving()) return;
    Tform_jump& jump = jumpDialog();
    jump.upyear->setPosition(model.year);
    jump.upmonth->setPosition(model.month);
    runModal(jump);
    if (!jump.jumpConfirmed) return;
    showMonth(jump.upyear->Position(), jump.upmonth->Position());
}

}  // namespace kelmora
