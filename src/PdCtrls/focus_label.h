#pragma once
// A label that behaves like a link: while the pointer is over its text it
// draws the text in a second font and shows the hand cursor.

#include <QFont>

#include "PdCtrls/fast_label.h"
#include "PdCtrls/image_list.h"
#include "platform/alignment.h"

namespace kelmora {

class TFocusLabel : public TCustomFastLabel {
    Q_OBJECT
public:
    explicit TFocusLabel(QWidget* parent = nullptr);

    bool Focusble() const { return focusble_; }
    void setFocusble(bool on);

    // Until set, the label's own font underlined, in pure blue.
    QFont FontFocused() const;
    QColor FontFocusedColor() const { return focusedColor_; }
    void setFontFocused(const QFont& font, const QColor& color);

    const TImageList* Images() const { return images_; }
    void setImages(const TImageList* images);  // not owned
    int ImageIndex() const { return imageIndex_; }
    void setImageIndex(int index);
    int Spacing() const { return spacing_; }
    void setSpacing(int pixels);

    TAlignment Alignment() const { return alignment_; }
    void setAlignment(TAlignment alignment);

    // Where the caption is drawn, and where the pointer makes it hot.
    QRect textRect() const { return textRect_; }
    bool hovered() const { return hovered_; }

    // Ends the hover state (also when a sibling label takes it over).
    void leaveHover();

signals:
    void OnEnter();
    void OnExit();

protected:
    void contentChanged() override;
    QSize contentSize() const override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void enterHover();
    void computeTextRect();
    int pictureRoom() const;
    bool hasPicture() const;

    bool focusble_ = true;
    bool focusedFontSet_ = false;
    QFont focusedFont_;
    QColor focusedColor_ = QColor(0, 0, 255);
    const TImageList* images_ = nullptr;
    int imageIndex_ = -1;
    int spacing_ = 2;
    TAlignment alignment_ = taLeftJustify;

    QRect textRect_;
    bool hovered_ = false;
    QPoint lastPointer_{-1, -1};
    bool hadCursor_ = false;
    QCursor savedCursor_;
};

}  // namespace kelmora
