#pragma once
// "印刷用紙設定": the three page margins in millimetres, and the way to the
// platform's own page setup (printer, paper, orientation).

#include <QDialog>
#include <functional>

#include "prnset/print_placement.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace kelmora {

class TEditEx;
class TUpDown;

class Tfrmprnset : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMostMargin = 50;

    // The up-downs start from the stored margins; after a Cancel they show
    // what was last edited the next time the dialog opens.
    explicit Tfrmprnset(const PrintMargins& stored, QWidget* parent = nullptr);

    // The margins as the up-downs show them.
    PrintMargins margins() const;
    // Runs the platform's printer setup ("プリンタ設定").
    std::function<void()> onPrinterSetup;

    QGroupBox* GroupBox1;
    QLabel *lblup, *lblleft, *lblright, *lblunit;
    TEditEx *edtup, *edtleft, *edtright;
    TUpDown *udup, *udleft, *udright;
    QPushButton* Button1;  // "プリンタ設定"
    QPushButton* BitBtn1;  // OK
    QPushButton* BitBtn2;  // Cancel

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace kelmora
