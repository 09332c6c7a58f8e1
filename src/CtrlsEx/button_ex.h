#pragma once
// A push button whose face its owner can draw (the colour buttons show the
// colour they set), and which names itself after its dialog result.

#include <QPushButton>
#include <functional>

class QPainter;

namespace kelmora {

enum TButtonExStyle { bsStandard, bsOwnerDraw, bsOwnerDrawWithFrame };

struct TOwnerDrawState {
    bool selected = false;  // pressed
    bool focused = false;
    bool disabled = false;
    bool defaultLook = false;  // the dialog's active default button
};

class TButtonEx;
using TDrawButtonEvent =
    std::function<void(TButtonEx* control, QPainter& painter, const QRect& rect, TOwnerDrawState state)>;

class TButtonEx : public QPushButton {
    Q_OBJECT
public:
    explicit TButtonEx(QWidget* parent = nullptr);

    int ModalResult() const { return modalResult_; }
    // 1..8 also set the caption ("OK", "ｷｬﾝｾﾙ", ...); other values leave it.
    void setModalResult(int result);

    TButtonExStyle Sytle() const { return style_; }
    void setSytle(TButtonExStyle style);

    // Draws the content inside the rectangle left by the face; without a
    // handler the caption is drawn centred.
    TDrawButtonEvent OnDrawButton;

    TOwnerDrawState drawState() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void drawFace(QPainter& painter, QRect& content, const TOwnerDrawState& state);
    void drawCaption(QPainter& painter, const QRect& content);

    int modalResult_ = 0;
    TButtonExStyle style_ = bsStandard;
};

// The caption a dialog result gives a button, or nothing for other values.
QString captionForModalResult(int result);

// A dialog's OK (1) or Cancel (2) button with the platform's glyph and the
// caption of its result.
QPushButton* glyphButton(int modalResult, QWidget* parent);

}  // namespace kelmora
