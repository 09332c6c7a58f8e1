#pragma once
// The dialog that asks for a memo to add to the selected memo cells.

#include <QDialog>
#include <QFont>
#include <optional>
#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kelmora {

class Prompts;

class TForm3 : public QDialog {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 162;
    static constexpr int kClientHeight = 161;

    explicit TForm3(Prompts& prompts, QWidget* parent = nullptr);

    // The box wraps as a memo cell of this width does. The dialog widens
    // when the box would not fit in it. Empties the box.
    void prepare(int boxWidth);
    // The memo band's font, put on the box each time the dialog shows.
    void setMemoFont(const QFont& font) { memoFont_ = font; }

    // What was typed, lines joined by CR LF, in CP932; empty after Cancel.
    std::string memoText() const;

    QLabel* Label1;
    QLabel* Label2;
    QPlainTextEdit* Memoadd;
    QPushButton* BitBtn1;  // OK
    QPushButton* BitBtn2;  // Cancel

public slots:
    void BitBtn1Click();
    void BitBtn2Click();
    void reject() override;  // Escape: as Cancel

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    // Refuses characters a month file cannot hold, naming the first one.
    bool textIsStorable();

    Prompts& prompts_;
    QFont memoFont_;
    bool closingByBox_ = false;
};

}  // namespace kelmora
