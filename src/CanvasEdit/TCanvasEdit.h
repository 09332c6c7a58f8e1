#pragma once
// A multi-line edit that lets its owner draw over the text once the text
// has been painted (the arrow of a memo cell stays visible while typing).

#include <QPlainTextEdit>
#include <functional>

namespace kelmora {

class TCanvasEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TCanvasEdit(QWidget* parent = nullptr);

    // Called after the edit has painted itself, with a painter on the whole
    // control (editor coordinates), so drawings lie on top of the text.
    std::function<void(QPainter&)> OnPaint;
    // Called for each key press before the edit handles it; true = handled.
    std::function<bool(QKeyEvent*)> OnKeyDown;
    // Called before the edit takes an input method's event; true = dropped.
    std::function<bool(QInputMethodEvent*)> OnInputMethod;
    // Called after an input method has changed the text being composed
    // (shownText), also when it was cancelled.
    std::function<void()> OnComposition;

    // Text area margins: where the first character sits and how much room the
    // right edge keeps, so lines break exactly as the grid breaks them.
    void setTextMargins(int left, int top, int right);
    int textWidth() const;
    // Lines after wrapping, as shown.
    int lineCount() const;
    // The text as shown: with the text an input method is composing, which
    // the edit's text does not hold until it is committed.
    QString shownText() const;
    // What an input method is composing (empty when it composes nothing).
    QString composingText() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    class Overlay;
    Overlay* overlay_;
};

}  // namespace kelmora
