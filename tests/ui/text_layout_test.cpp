#include "platform/text_layout.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "CanvasEdit/TCanvasEdit.h"

namespace kelmora {
namespace {

// The editor's own wrapping, the measurement and the drawing must break a
// memo into the same lines.
TEST(MemoTextLayout, EditorMeasurementAndDrawingAgree) {
    const QString texts[] = {
        QString(),
        QStringLiteral("a"),
        QStringLiteral("会議"),
        QStringLiteral("今日は朝から夕方まで打ち合わせが続きますので電話は控えてください"),
        QStringLiteral("Supercalifragilisticexpialidocious-and-more-words-without-any-space"),
        QStringLiteral("short words that wrap at the boundary of a word when the line is full"),
        QStringLiteral("一行目\r\n二行目\r\n"),
        QStringLiteral("\r\n\r\n"),
        QStringLiteral("trailing space   \r\nx"),
        QStringLiteral("混在 mixed テキスト with 英字 and 10:00〜12:00 の予定"),
    };
    const int widths[] = {60, 95, 195};
    QFont plain(QStringLiteral("ＭＳ Ｐゴシック"));
    plain.setPointSize(9);
    ASSERT_GT(MemoTextLayout::lineCount(texts[3], plain, 60), 3);  // the table really wraps
    ASSERT_EQ(MemoTextLayout::lineCount(texts[6], plain, 195), 3);
    for (bool italic : {false, true}) {
        for (int size : {9, 12}) {
            QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
            font.setPointSize(size);
            font.setItalic(italic);
            for (int width : widths) {
                TCanvasEdit editor;
                editor.setFont(font);
                editor.setTextMargins(4, 3, 2);
                editor.resize(width + 6, 400);
                editor.show();
                for (const QString& text : texts) {
                    editor.setPlainText(MemoTextLayout::normalised(text));
                    QApplication::processEvents();
                    ASSERT_EQ(editor.textWidth(), width);
                    const int measured = MemoTextLayout::lineCount(text, font, width);
                    EXPECT_EQ(editor.lineCount(), measured)
                        << text.toStdString() << " width " << width << " size " << size << " italic " << italic;
                    // Drawing: count the lines that reach the canvas.
                    QImage image(width + 20, measured * MemoTextLayout::lineHeight(font) + 20, QImage::Format_RGB32);
                    image.fill(Qt::white);
                    QPainter p(&image);
                    EXPECT_EQ(MemoTextLayout::draw(p, text, font, width, QPointF(0, 0), image.height(), Qt::yellow),
                              measured);
                }
            }
        }
    }
}

TEST(MemoTextLayout, LastLineThatDoesNotFitIsNotDrawn) {
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPointSize(9);
    const int lh = MemoTextLayout::lineHeight(font);
    QImage image(100, 10 * lh, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    // Room for two whole lines and most of a third.
    MemoTextLayout::draw(p, QStringLiteral("一\r\n二\r\n三"), font, 90, QPointF(0, 0), 3 * lh - 1, Qt::yellow);
    p.end();
    auto rowHasInk = [&](int top) {
        for (int y = top; y < top + lh; ++y)
            for (int x = 0; x < 30; ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255)) return true;
        return false;
    };
    EXPECT_TRUE(rowHasInk(0));
    EXPECT_TRUE(rowHasInk(lh));
    EXPECT_FALSE(rowHasInk(2 * lh));
}

}  // namespace
}  // namespace kelmora
