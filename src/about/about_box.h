#pragma once
// The about box: name, version, a line about the program and its home page.

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace kelmora {

class TFocusLabel;

class Tfrmversion : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kHomePage = "https://kelmora.jp/";
    static constexpr unsigned kVisitedColour = 0x800080;  // 0x00BBGGRR: purple

    explicit Tfrmversion(QWidget* parent = nullptr);

    QFrame* Panel1;
    QLabel* Image1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    TFocusLabel* Label5;
    QPushButton* Button1;

public slots:
    void Label5Click();
    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace kelmora
