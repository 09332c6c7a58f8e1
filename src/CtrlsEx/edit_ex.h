#pragma once
// A single-line field that can align its text and group it in threes with ",".

#include <QLineEdit>

#include "platform/alignment.h"

namespace kelmora {

// "1234567" -> "1,234,567"; every character counts alike, three or fewer stay.
QString groupThousands(QString text);

class TEditEx : public QLineEdit {
    Q_OBJECT
public:
    explicit TEditEx(QWidget* parent = nullptr);

    TAlignment Alignment() const { return alignment_; }
    void setAlignment(TAlignment alignment);
    using QLineEdit::setAlignment;

    bool Thousands() const { return thousands_; }
    void setThousands(bool on);

    // Without separators while Thousands is on; written with them.
    QString Text() const;
    void setText(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Regroups the shown text, keeping caret and selection at the same
    // distance from the end of the text.
    void regroup();

    TAlignment alignment_ = taLeftJustify;
    bool thousands_ = false;
};

}  // namespace kelmora
