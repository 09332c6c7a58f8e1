#include "prnset/page_setup_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "CtrlsEx/button_ex.h"
#include "CtrlsEx/edit_ex.h"
#include "jump/up_down.h"
#include "platform/dialog_font.h"
#include "platform/screen_centre.h"

namespace kelmora {
namespace {

constexpr int kRowTop = 26, kRowStep = 30;

// One margin: its caption, a read-only number and the up-down that spins it.
void marginRow(QWidget* parent, int index, const char* caption, int value, QLabel*& label, TEditEx*& edit,
               TUpDown*& upDown) {
    const int top = kRowTop + index * kRowStep;
    label = new QLabel(QString::fromUtf8(caption), parent);
    label->move(20, top + 4);
    upDown = numberWithUpDown(parent, QRect(44, top, 40, 22), 0, Tfrmprnset::kMostMargin, edit);
    upDown->setPosition(value);
}

}  // namespace

Tfrmprnset::Tfrmprnset(const PrintMargins& stored, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8("印刷用紙設定"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(dialogFont(12));
    setFixedSize(300, 170);

    GroupBox1 = new QGroupBox(QString::fromUtf8("余白（印刷不能領域を除く）"), this);
    GroupBox1->setGeometry(8, 8, 180, 120);
    marginRow(GroupBox1, 0, "上", stored.top, lblup, edtup, udup);
    marginRow(GroupBox1, 1, "左", stored.left, lblleft, edtleft, udleft);
    marginRow(GroupBox1, 2, "右", stored.right, lblright, edtright, udright);
    lblunit = new QLabel(QString::fromUtf8("（単位は全てmmです）"), this);
    lblunit->move(16, 138);

    Button1 = new QPushButton(QString::fromUtf8("プリンタ設定"), this);
    Button1->setGeometry(200, 16, 92, 27);
    connect(Button1, &QPushButton::clicked, this, [this] {
        if (onPrinterSetup) onPrinterSetup();
    });
    BitBtn1 = glyphButton(1, this);
    BitBtn1->setGeometry(200, 96, 92, 27);
    BitBtn1->setDefault(true);
    BitBtn2 = glyphButton(2, this);
    BitBtn2->setGeometry(200, 132, 92, 27);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

PrintMargins Tfrmprnset::margins() const { return {udup->Position(), udleft->Position(), udright->Position()}; }

void Tfrmprnset::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnScreen(this);
    BitBtn1->setFocus();
}

}  // namespace kelmora
