#include "jump/jump_dialog.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "CtrlsEx/button_ex.h"
#include "CtrlsEx/edit_ex.h"
#include "jump/up_down.h"
#include "platform/dialog_font.h"
#include "platform/screen_centre.h"

namespace kelmora {

namespace {

TEditEx* numberField(QWidget* parent, const QRect& geometry) {
    auto* field = new TEditEx(parent);
    field->setGeometry(geometry);
    field->setFont(dialogFont(19, true));
    field->setAlignment(taRightJustify);
    field->setReadOnly(true);  // typed numbers would bypass the ranges
    return field;
}

}  // namespace

Tform_jump::Tform_jump(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8("年月指定ジャンプ"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFont(dialogFont(12));
    setFixedSize(256, 124);

    Label1 = new QLabel(QString::fromUtf8("年："), this);
    Label1->setFont(dialogFont(19));
    Label1->move(48, 13);
    Label2 = new QLabel(QString::fromUtf8("月："), this);
    Label2->setFont(dialogFont(19));
    Label2->move(48, 45);

    EditEx1 = numberField(this, QRect(80, 10, 73, 27));
    upyear = new TUpDown(this);
    upyear->setGeometry(153, 10, 17, 27);
    upyear->setRange(kFirstYear, kLastYear);
    upyear->setAssociate(EditEx1);

    EditEx2 = numberField(this, QRect(96, 42, 57, 27));
    upmonth = new TUpDown(this);
    upmonth->setGeometry(153, 42, 17, 27);
    upmonth->setRange(1, 12);
    upmonth->setWrap(true);
    upmonth->setAssociate(EditEx2);

    Bevel1 = new QFrame(this);
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(0, 78, 256, 2);

    BitBtn2 = glyphButton(1, this);
    BitBtn2->setGeometry(86, 88, 77, 27);
    BitBtn2->setDefault(true);
    cancel = glyphButton(2, this);
    cancel->setGeometry(170, 88, 77, 27);

    connect(BitBtn2, &QPushButton::clicked, this, &Tform_jump::BitBtn2Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void Tform_jump::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnScreen(this);
    jumpConfirmed = false;
    // Enter pressed at once cancels.
    cancel->setFocus();
}

void Tform_jump::BitBtn2Click() {
    jumpConfirmed = true;
    accept();
}

}  // namespace kelmora
