#include "platform/text_layout.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QFontMetrics>
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

// Each line drawn as plain text on the font's baseline, over its fill: what
// the grid showed before lines were kept shaped between paints.
QImage drawnAsPlainText(const QString& text, const QFont& font, int width, qreal scale) {
    QImage image(static_cast<int>((width + 20) * scale), static_cast<int>(200 * scale), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.scale(scale, scale);
    p.setFont(font);
    const QFontMetrics metrics(font);
    const QString plain = MemoTextLayout::normalised(text);
    qreal y = 3;
    for (const LaidLine& line : MemoTextLayout::lines(text, font, width)) {
        QString part = plain.mid(line.start, line.length);
        while (part.endsWith(QLatin1Char(' '))) part.chop(1);
        p.fillRect(QRectF(4, y, metrics.horizontalAdvance(part), metrics.lineSpacing()), Qt::yellow);
        p.drawText(QPointF(4, y + metrics.ascent()), part);
        y += metrics.lineSpacing();
    }
    return image;
}

QImage drawnByTheLayout(const QString& text, const QFont& font, int width, qreal scale) {
    QImage image(static_cast<int>((width + 20) * scale), static_cast<int>(200 * scale), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.scale(scale, scale);
    MemoTextLayout::draw(p, text, font, width, QPointF(4, 3), 200, Qt::yellow);
    return image;
}

// The shaped lines kept between paints draw the same pixels as plain text:
// faces mixed in one line, lines through and under the text, on the screen
// and at a printed page's density; a second paint from the kept lines too.
TEST(MemoTextLayout, KeptLinesDrawWhatPlainTextDraws) {
    const QString texts[] = {
        QStringLiteral("9:00 朝会\r\n10:30 打合せ  \r\n\r\n資料作成"),
        QStringLiteral("AV To fi ffi ½ № ①② ㈱ 髙﨑 𠮷野家 ♪☆ ｱｲｳ ｶﾞﾊﾟ"),
        QStringLiteral("今日は朝から夕方まで打ち合わせが続きます"),
    };
    for (const char* face : {"ＭＳ Ｐゴシック", "DejaVu Sans"}) {
        for (std::uint8_t style : {0, 1 | 2, 4, 8}) {
            QFont font(QString::fromUtf8(face));
            font.setPointSize(12);
            font.setBold(style & 1);
            font.setItalic(style & 2);
            font.setUnderline(style & 4);
            font.setStrikeOut(style & 8);
            for (qreal scale : {1.0, 3.125}) {
                for (const QString& text : texts) {
                    const QImage expected = drawnAsPlainText(text, font, 95, scale);
                    EXPECT_TRUE(drawnByTheLayout(text, font, 95, scale) == expected)
                        << face << " style " << int{style} << " scale " << scale << ": " << text.toStdString();
                    EXPECT_TRUE(drawnByTheLayout(text, font, 95, scale) == expected) << "drawn again";
                }
            }
        }
    }
}

// More paragraphs than are kept: the first ones, laid out again, still
// break as they did.
TEST(MemoTextLayout, ForgottenParagraphsAreLaidOutAgainAlike) {
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPointSize(9);
    const QString first = QStringLiteral("今日は朝から夕方まで打ち合わせが続きます");
    const std::vector<LaidLine> before = MemoTextLayout::lines(first, font, 60);
    ASSERT_GT(before.size(), 1u);
    for (int i = 0; i < 5000; ++i) MemoTextLayout::lineCount(QStringLiteral("予定 %1").arg(i), font, 60);
    const std::vector<LaidLine> after = MemoTextLayout::lines(first, font, 60);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(after[i].start, before[i].start);
        EXPECT_EQ(after[i].length, before[i].length);
    }
}

}  // namespace
}  // namespace kelmora
