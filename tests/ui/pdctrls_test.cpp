#include "PdCtrls/focus_label.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

#include "platform/dialog_font.h"

namespace kelmora {
namespace {

void movePointer(QWidget* widget, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(widget->mapToGlobal(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

struct LabelOnForm {
    QWidget form;
    TFocusLabel* label = new TFocusLabel(&form);
    TImageList images{QSize(16, 16)};

    LabelOnForm() {
        QPixmap red(16, 16);
        red.fill(Qt::red);
        images.add(red);
        label->setFont(dialogFont(16));
        label->setCaption(QStringLiteral("kelmora.jp"));
        label->setAutoSize(false);
        label->setGeometry(10, 10, 200, 30);
        form.resize(300, 120);
        form.show();
    }
    int captionWidth() const { return QFontMetrics(label->font()).horizontalAdvance(label->Caption()); }
};

TEST(FocusLabel, TextRectangleFollowsAlignmentAndPicture) {
    const struct {
        TAlignment alignment;
        int imageIndex;
        int spacing;
        // left edge of the text for a caption of width cx in a 200-wide label
        int (*left)(int cx);
    } cases[] = {
        {taLeftJustify, -1, 2, [](int) { return 0; }},
        {taLeftJustify, 0, 2, [](int) { return 18; }},
        {taLeftJustify, 0, 6, [](int) { return 22; }},
        {taRightJustify, -1, 2, [](int cx) { return 200 - cx; }},
        {taRightJustify, 0, 2, [](int cx) { return 200 - cx; }},
        {taCenter, -1, 2, [](int cx) { return (200 - cx) / 2; }},
        {taCenter, 0, 2, [](int cx) { return (200 - cx - 18) / 2 + 18; }},
    };
    for (const auto& c : cases) {
        LabelOnForm f;
        f.label->setImages(&f.images);
        f.label->setSpacing(c.spacing);
        f.label->setImageIndex(c.imageIndex);
        f.label->setAlignment(c.alignment);
        const int cx = f.captionWidth();
        const int cy = QFontMetrics(f.label->font()).height();
        const QRect expected(c.left(cx), (30 - cy) / 2, cx, cy);
        EXPECT_EQ(f.label->textRect(), expected) << "alignment " << c.alignment << " image " << c.imageIndex;
    }
}

TEST(FocusLabel, HoverOnlyOverTheText) {
    LabelOnForm f;
    int entered = 0, exited = 0;
    QObject::connect(f.label, &TFocusLabel::OnEnter, [&] { ++entered; });
    QObject::connect(f.label, &TFocusLabel::OnExit, [&] { ++exited; });
    const QRect text = f.label->textRect();

    movePointer(f.label, QPoint(text.right() + 20, text.center().y()));  // empty area beside the text
    EXPECT_FALSE(f.label->hovered());
    EXPECT_NE(f.label->cursor().shape(), Qt::PointingHandCursor);

    movePointer(f.label, text.center());
    EXPECT_TRUE(f.label->hovered());
    EXPECT_EQ(f.label->cursor().shape(), Qt::PointingHandCursor);
    movePointer(f.label, text.center() + QPoint(1, 0));
    EXPECT_EQ(entered, 1);

    movePointer(f.label, QPoint(text.right() + 20, text.center().y()));
    EXPECT_FALSE(f.label->hovered());
    EXPECT_NE(f.label->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(exited, 1);

    movePointer(f.label, text.center());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(f.label, &leave);
    EXPECT_FALSE(f.label->hovered());
    EXPECT_EQ(exited, 2);
}

TEST(FocusLabel, NoHoverWhenNotFocusble) {
    LabelOnForm f;
    f.label->setFocusble(false);
    movePointer(f.label, f.label->textRect().center());
    EXPECT_FALSE(f.label->hovered());
}

bool hasPureBlue(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (QColor(image.pixel(x, y)) == QColor(0, 0, 255)) return true;
    return false;
}

TEST(FocusLabel, HoveredTextIsDrawnInTheFocusedFont) {
    LabelOnForm f;
    f.label->setFontColor(Qt::black);
    EXPECT_FALSE(hasPureBlue(f.label->grab().toImage()));
    movePointer(f.label, f.label->textRect().center());
    EXPECT_TRUE(hasPureBlue(f.label->grab().toImage()));
    EXPECT_TRUE(f.label->FontFocused().underline());
}

TEST(FocusLabel, LargerFocusedFontKeepsTheRestingHitRectangle) {
    LabelOnForm f;
    const QRect resting = f.label->textRect();
    f.label->setFontFocused(dialogFont(40), QColor(0, 0, 255));
    EXPECT_EQ(f.label->textRect(), resting);
    movePointer(f.label, f.label->textRect().center());
    ASSERT_TRUE(f.label->hovered());
    movePointer(f.label, QPoint(resting.right() + 10, resting.center().y()));  // inside the big text
    EXPECT_FALSE(f.label->hovered());
}

TEST(FocusLabel, OneHoveredLabelPerParent) {
    LabelOnForm f;
    auto* second = new TFocusLabel(&f.form);
    second->setCaption(QStringLiteral("second"));
    second->move(10, 60);
    second->show();
    int firstExits = 0;
    QObject::connect(f.label, &TFocusLabel::OnExit, [&] { ++firstExits; });

    movePointer(f.label, f.label->textRect().center());
    ASSERT_TRUE(f.label->hovered());
    movePointer(second, second->textRect().center());  // no Leave reached the first
    EXPECT_TRUE(second->hovered());
    EXPECT_FALSE(f.label->hovered());
    EXPECT_EQ(firstExits, 1);
}

TEST(FocusLabel, AutoSizeLeavesRoomForThePictureOnly) {
    LabelOnForm f;
    f.label->setAutoSize(true);
    const int cx = f.captionWidth();
    EXPECT_EQ(f.label->width(), cx);
    f.label->setImages(&f.images);
    f.label->setImageIndex(0);
    EXPECT_EQ(f.label->width(), cx + 16 + 2);
    EXPECT_EQ(f.label->textRect().left(), 18);
}

}  // namespace
}  // namespace kelmora
