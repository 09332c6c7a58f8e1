#include "export/export_range_dialog.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "CtrlsEx/button_ex.h"
#include "CtrlsEx/edit_ex.h"
#include "jump/up_down.h"
#include "main/month_model.h"
#include "platform/dialog_font.h"
#include "platform/screen_centre.h"

namespace kelmora {
namespace {

constexpr int kRowHeight = 25;

QLabel* label(QWidget* parent, const char* caption, int x, int y) {
    auto* text = new QLabel(QString::fromUtf8(caption), parent);
    text->setFont(dialogFont(14));
    text->setGeometry(x, y, text->sizeHint().width(), kRowHeight);
    return text;
}

// A number field at (x, y) and its spin control at its right.
TUpDown* spinner(QWidget* parent, int x, int y, int width, int min, int max, TEditEx*& field) {
    TUpDown* spin = numberWithUpDown(parent, QRect(x, y, width, kRowHeight), min, max, field);
    field->setFont(dialogFont(16, true));
    return spin;
}

// One row: "caption [year]年 [month]月"; the caption's key goes to the year.
// The month runs 0..13: 0 and 13 are steps past the year's ends, carried at
// once. Returns the year's field.
TEditEx* monthRow(QWidget* parent, const char* caption, int y, TUpDown*& year, TUpDown*& month) {
    QLabel* rowLabel = label(parent, caption, 14, y);
    TEditEx* yearField = nullptr;
    TEditEx* monthField = nullptr;
    year = spinner(parent, 112, y, 56, kMinYear, kMaxYear, yearField);
    label(parent, "年", 188, y);
    month = spinner(parent, 210, y, 36, 0, 13, monthField);
    label(parent, "月", 266, y);
    rowLabel->setBuddy(yearField);
    return yearField;
}

}  // namespace

Tform_export::Tform_export(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8("iCalendar形式で書き出す"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(dialogFont(12));
    setFixedSize(300, 132);

    firstYearField = monthRow(this, "最初の月(&S)：", 12, upfirstyear, upfirstmonth);
    monthRow(this, "最後の月(&L)：", 46, uplastyear, uplastmonth);

    auto* bevel = new QFrame(this);
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(0, 86, 300, 2);

    btnok = glyphButton(1, this);
    btnok->setGeometry(130, 96, 77, 27);
    btnok->setDefault(true);
    btncancel = glyphButton(2, this);
    btncancel->setGeometry(214, 96, 77, 27);

    for (TUpDown* spin : {upfirstyear, upfirstmonth})
        connect(spin, &TUpDown::positionChanged, this, [this] { spun(true); });
    for (TUpDown* spin : {uplastyear, uplastmonth})
        connect(spin, &TUpDown::positionChanged, this, [this] { spun(false); });
    connect(btnok, &QPushButton::clicked, this, [this] {
        exportConfirmed = true;
        accept();
    });
    connect(btncancel, &QPushButton::clicked, this, &QDialog::reject);
}

void Tform_export::setMonths(YearMonth first, YearMonth last) {
    adjusting_ = true;
    setFirst(first);
    setLast(last);
    adjusting_ = false;
    spun(true);
}

YearMonth Tform_export::first() const { return {upfirstyear->Position(), upfirstmonth->Position()}; }
YearMonth Tform_export::last() const { return {uplastyear->Position(), uplastmonth->Position()}; }

void Tform_export::setFirst(YearMonth ym) {
    upfirstyear->setPosition(ym.year);
    upfirstmonth->setPosition(std::clamp(ym.month, 1, 12));
}

void Tform_export::setLast(YearMonth ym) {
    uplastyear->setPosition(ym.year);
    uplastmonth->setPosition(std::clamp(ym.month, 1, 12));
}

// A month spun past the year's end carries into the year (and stops at the
// calendar's ends); then the month just moved stays where the user put it
// and the other one follows if they crossed.
void Tform_export::spun(bool firstMoved) {
    if (adjusting_) return;
    adjusting_ = true;
    TUpDown* year = firstMoved ? upfirstyear : uplastyear;
    TUpDown* month = firstMoved ? upfirstmonth : uplastmonth;
    if (month->Position() == 13) {
        const bool carried = year->Position() < kMaxYear;
        if (carried) year->setPosition(year->Position() + 1);
        month->setPosition(carried ? 1 : 12);
    } else if (month->Position() == 0) {
        const bool carried = year->Position() > kMinYear;
        if (carried) year->setPosition(year->Position() - 1);
        month->setPosition(carried ? 12 : 1);
    }
    if (last() < first()) {
        if (firstMoved) setLast(first());
        else setFirst(last());
    }
    adjusting_ = false;
}

void Tform_export::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnScreen(this);
    exportConfirmed = false;
    firstYearField->setFocus();
}

}  // namespace kelmora
