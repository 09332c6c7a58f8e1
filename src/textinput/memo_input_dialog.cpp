#include "textinput/memo_input_dialog.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "CtrlsEx/button_ex.h"
#include "main/cp932.h"
#include "main/prompts.h"
#include "platform/dialog_font.h"
#include "platform/screen_centre.h"
#include "platform/qt_text.h"

namespace kelmora {

TForm3::TForm3(Prompts& prompts, QWidget* parent) : QDialog(parent), prompts_(prompts) {
    setWindowTitle(QString::fromUtf8("メモ入力"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFont(dialogFont(12));
    setFixedSize(kClientWidth, kClientHeight);
    memoFont_ = dialogFont(12);

    Label1 = new QLabel(QString::fromUtf8("追加する予定を"), this);
    Label1->setFont(dialogFont(16));
    Label1->move(22, 6);
    Label2 = new QLabel(QString::fromUtf8("入力して下さい"), this);
    Label2->setFont(dialogFont(16));
    Label2->move(28, 30);

    Memoadd = new QPlainTextEdit(this);
    Memoadd->setGeometry(1, 56, 143, 54);
    Memoadd->setTabChangesFocus(true);
    Memoadd->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    BitBtn1 = glyphButton(1, this);
    BitBtn2 = glyphButton(2, this);
    for (QPushButton* b : {BitBtn1, BitBtn2}) b->setAutoDefault(false);  // Enter breaks the line
    BitBtn1->setGeometry(6, 124, 72, 27);
    BitBtn2->setGeometry(84, 124, 72, 27);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm3::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm3::BitBtn2Click);
}

void TForm3::prepare(int boxWidth) {
    const int clientWidth = qMax(kClientWidth, boxWidth + 2);
    setFixedSize(clientWidth, kClientHeight);
    BitBtn1->move(clientWidth / 2 - 75, BitBtn1->y());
    BitBtn2->move(clientWidth / 2 + 3, BitBtn2->y());
    Memoadd->setGeometry((clientWidth - boxWidth) / 2, Memoadd->y(), boxWidth, Memoadd->height());
    Memoadd->clear();
}

std::string TForm3::memoText() const {
    QString text = Memoadd->toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return toCp932(text).value_or(std::string());
}

bool TForm3::textIsStorable() {
    QString unencodable;
    if (toCp932(Memoadd->toPlainText(), &unencodable)) return true;
    prompts_.inform(cp932::literal("メモに使えない文字が含まれています（") + unicodeCodeOf(unencodable).toStdString() +
                    cp932::literal("）。\r\nその文字を消してから OK を押して下さい。"));
    return false;
}

void TForm3::BitBtn1Click() {
    if (!textIsStorable()) return;
    accept();
}

void TForm3::BitBtn2Click() {
    Memoadd->clear();
    QDialog::reject();
}

void TForm3::reject() {
    if (closingByBox_) {
        // The close box keeps what was typed; a text that cannot be stored
        // keeps the dialog open.
        if (textIsStorable()) QDialog::reject();
        return;
    }
    BitBtn2Click();
}

void TForm3::closeEvent(QCloseEvent* event) {
    closingByBox_ = true;
    QDialog::closeEvent(event);
    closingByBox_ = false;
}

bool TForm3::event(QEvent* e) {
    // Give the box the keyboard on activation.
    if (e->type() == QEvent::WindowActivate) Memoadd->setFocus();
    return QDialog::event(e);
}

void TForm3::showEvent(QShowEvent* event) {
    Memoadd->setFont(memoFont_);
    QDialog::showEvent(event);
    centreOnScreen(this);
    Memoadd->setFocus();
}

}  // namespace kelmora
