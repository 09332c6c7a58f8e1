#pragma once
// The bar inside the calendar window, above the grid, for what the user must
// know about saving without being stopped while typing: a save that failed
// (with "再試行") or a notice (with "閉じる"). It never takes the keyboard
// from the editor.

#include <QFrame>
#include <QString>

class QLabel;
class QPushButton;

namespace kelmora {

class SaveBar : public QFrame {
    Q_OBJECT
public:
    enum class Kind { Problem, Notice };

    explicit SaveBar(QWidget* parent = nullptr);

    void setMessage(Kind kind, const QString& text);
    Kind kind() const { return kind_; }
    QString text() const;
    QPushButton* button() const { return button_; }
    // The height the bar needs at this width (its text wraps).
    int heightAtWidth(int width) const;

signals:
    void retryRequested();
    void dismissed();

private:
    Kind kind_ = Kind::Notice;
    QLabel* icon_ = nullptr;
    QLabel* text_ = nullptr;
    QPushButton* button_ = nullptr;
};

}  // namespace kelmora
