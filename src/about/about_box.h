#pragma once
// The about box: name, version, a line about the program, its home page and
// the folder that holds the calendar's data.

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

    // `dataFolder`: where this calendar keeps its month files and kelmora.ini.
    explicit Tfrmversion(const QString& dataFolder, QWidget* parent = nullptr);

    QFrame* Panel1;
    QLabel* Image1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    TFocusLabel* Label5;
    QLabel* Label6;  // "データの保存先"
    QLabel* Label7;  // the folder, selectable for copying
    QPushButton* Button1;

public slots:
    void Label5Click();
    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace kelmora
