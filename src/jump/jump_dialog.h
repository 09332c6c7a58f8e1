#pragma once
// The year/month jump dialog: the year and month are chosen only by spinning.

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace kelmora {

class TEditEx;
class TUpDown;

class Tform_jump : public QDialog {
    Q_OBJECT
public:
    static constexpr int kFirstYear = 1970;
    static constexpr int kLastYear = 2100;

    explicit Tform_jump(QWidget* parent = nullptr);

    // Preset by the caller before showing, read after it closes.
    TUpDown* upyear;
    TUpDown* upmonth;
    // True only when the dialog was closed with OK.
    bool jumpConfirmed = false;

    QLabel* Label1;
    QLabel* Label2;
    TEditEx* EditEx1;
    TEditEx* EditEx2;
    QFrame* Bevel1;  // the line above the buttons
    QPushButton* BitBtn2;  // OK
    QPushButton* cancel;

public slots:
    void BitBtn2Click();

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace kelmora
