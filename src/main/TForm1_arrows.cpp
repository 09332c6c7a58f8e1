// The arrow tool on the calendar window: arming it, the clicks on an
// arrow's first and last day with the blink of the first, laying the arrow
// (into the next month too) and deleting it from the editor's menu.

#include <QAction>
#include <QTimer>

#include "CanvasEdit/TCanvasEdit.h"
#include "main/TForm1.h"
#include "main/cp932.h"
#include "main/tool_cursors.h"
#include "platform/owner_draw_grid.h"

namespace kelmora {
namespace {

std::string neighbourName(int delta) { return cp932::literal(delta < 0 ? "前月" : "翌月"); }

}  // namespace

// The month changes of the arrow steps are the month buttons' own: save,
// one month on or back, build, load.
class TForm1::ArrowStepMonths : public ArrowMonths {
public:
    explicit ArrowStepMonths(TForm1& window) : w_(window) {}

    MonthModel& shown() override { return w_.model; }
    bool move(int delta) override { return save() && show(delta); }
    void moveWithoutSaving(int delta) override { show(delta); }

private:
    bool save() {
        const SaveOutcome outcome = w_.store_.saveMonth(w_.model, w_.arrowTool.busy());
        w_.afterSave(outcome);
        return savedToFile(outcome);
    }
    bool show(int delta) {
        const YearMonth shown{w_.model.year, w_.model.month};
        return w_.displayMonth(delta > 0 ? shown.next() : shown.previous());
    }
    TForm1& w_;
};

ArrowStepsResult TForm1::runArrowStepsHere(const std::vector<ArrowStep>& steps) {
    const std::uint16_t col = model.focusCol, row = model.focusRow;
    ArrowStepMonths months(*this);
    const ArrowStepsResult result = runArrowSteps(steps, months);
    // A five-week month on the way may have moved a focus in week 6.
    model.focusCol = col;
    model.focusRow = row;
    reselectFocusCell();
    return result;
}

// Armed again, the tool is put away. Otherwise a marking tool makes way,
// the editor closes and the next click on a memo cell chooses the first day.
void TForm1::tbyjClick() {
    if (arrowTool.busy()) {
        FormClick();
        return;
    }
    if (holidayMarking || weekdayMarking) FormClick();
    hideEditor();
    setToolCursor(static_cast<int>(ToolCursor::Range));
    arrowTool.arm();
    holidayMarking = false;
    weekdayMarking = false;
    mnuyj->setChecked(true);
    tbyj->setChecked(true);
    tellInputMethod();
}

void TForm1::arrowClick(int col, int row) {
    const ArrowClick click = arrowTool.click(model, col, row);
    if (click.focusHere) {
        model.focusCol = static_cast<std::uint16_t>(col);
        model.focusRow = static_cast<std::uint16_t>(row);
    }
    switch (click.outcome) {
        case ArrowClick::FirstChosen:
            arrowBlink = true;
            Timer1->start();
            break;
        case ArrowClick::Refused:
            if (click.refusal.alreadyArrow) env_.dialogs->inform(cp932::literal("矢印は２重には引けません"));
            if (click.refusal.noDate) env_.dialogs->inform(cp932::literal("矢印は隣接月部には引けません"));
            FormClick();
            break;
        case ArrowClick::LastChosen:
            Timer1->stop();
            createArrow();
            model.dirty = true;
            FormClick();  // the tool is done: released, unchecked, the normal cursor
            break;
        default: break;  // the first day again: the tool keeps waiting
    }
    dg1->viewport()->update();
}

// The month shown afterwards is the one of the last click.
void TForm1::createArrow() {
    const ArrowPlan plan = arrowTool.createArrow(model);
    if (plan.tooLong) {
        env_.dialogs->inform(cp932::literal("３ヶ月以上の矢印は引けません"));
    } else if (const ArrowStepsResult result = runArrowStepsHere(plan.steps); !result.complete) {
        env_.dialogs->ask(MessageIcon::Warning, Buttons::Ok,
                          cp932::literal("矢印の") + neighbourName(result.missedMonth) +
                              cp932::literal("の部分を引けませんでした。\r\n引けたのはこの月の部分だけです。"));
    }
    dg1->viewport()->update();
}

// Deletes the whole arrow through the focus cell, in the neighbouring month
// too, and comes back to the month and the cell it was deleted from. On a
// cell without an arrow (the shortcut works wherever the editor is) nothing
// happens.
void TForm1::mnudel_yjClick() {
    if (model.memos[model.focusCol][MonthModel::weekOfRow(model.focusRow)].arrow == NoArrow) return;
    if (env_.dialogs->ask(MessageIcon::Warning, Buttons::OkCancel,
                          cp932::literal("この矢印を削除します\r\nよろしいですか？")) != Answer::Ok)
        return;
    const bool writing = editorShown();
    const ArrowStepsResult result = runArrowStepsHere(arrowDeletionSteps(model, model.focusCol, model.focusRow));
    model.dirty = true;
    // A month change on the way closed the editor: it opens again where it was.
    if (writing && !editorShown()) openEditor();
    if (editorShown()) memo1->viewport()->update();
    dg1->viewport()->update();
    if (!result.complete)
        env_.dialogs->ask(MessageIcon::Warning, Buttons::Ok,
                          cp932::literal("矢印の") + neighbourName(result.missedMonth) +
                              cp932::literal("の部分を削除できませんでした。\r\n削除できたのはこの月の部分だけです。"));
}

}  // namespace kelmora
