#pragma once
// A one-line label that can repaint itself at once instead of waiting for
// the deferred update.

#include <QColor>
#include <QWidget>

namespace kelmora {

class TCustomFastLabel : public QWidget {
    Q_OBJECT
public:
    explicit TCustomFastLabel(QWidget* parent = nullptr);

    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);

    // Background colour, used unless Transparent.
    QColor Color() const { return color_; }
    void setColor(const QColor& color);
    bool Transparent() const { return transparent_; }
    void setTransparent(bool on);

    QColor FontColor() const { return fontColor_; }
    void setFontColor(const QColor& color);

    // Keeps the label as large as its content.
    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool on);

    // Paint at once, without erasing the background first.
    bool NoFlicker() const { return noFlicker_; }
    void setNoFlicker(bool on);

    // Redraws now with NoFlicker, otherwise at the next update.
    void invalidate();

signals:
    void OnClick();

protected:
    // Called after a change of caption, font or layout.
    virtual void contentChanged();
    virtual QSize contentSize() const;
    void changeEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    QColor color_;
    QColor fontColor_ = Qt::black;
    bool transparent_ = false;
    bool autoSize_ = true;
    bool noFlicker_ = false;
};

}  // namespace kelmora
