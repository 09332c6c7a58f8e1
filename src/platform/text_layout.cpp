#include "platform/text_layout.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>

namespace kelmora {

QTextOption MemoTextLayout::option() {
    QTextOption opt;
    opt.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    opt.setAlignment(Qt::AlignLeft);
    return opt;
}

QString MemoTextLayout::normalised(const QString& text) {
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

std::vector<LaidLine> MemoTextLayout::lines(const QString& text, const QFont& font, int width) {
    std::vector<LaidLine> out;
    const QString plain = normalised(text);
    const QTextOption opt = option();
    int paragraphStart = 0;
    while (true) {
        int end = plain.indexOf(QLatin1Char('\n'), paragraphStart);
        const int paragraphEnd = end < 0 ? plain.size() : end;
        const QString paragraph = plain.mid(paragraphStart, paragraphEnd - paragraphStart);
        if (paragraph.isEmpty()) {
            out.push_back({paragraphStart, 0, 0});
        } else {
            QTextLayout layout(paragraph, font);
            layout.setTextOption(opt);
            layout.setCacheEnabled(false);
            layout.beginLayout();
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(width);
                out.push_back({paragraphStart + line.textStart(), line.textLength(), line.naturalTextWidth()});
            }
            layout.endLayout();
        }
        if (end < 0) break;
        paragraphStart = end + 1;
    }
    return out;
}

int MemoTextLayout::lineCount(const QString& text, const QFont& font, int width) {
    return static_cast<int>(lines(text, font, width).size());
}

int MemoTextLayout::lineHeight(const QFont& font) { return QFontMetrics(font).lineSpacing(); }

int MemoTextLayout::draw(QPainter& painter, const QString& text, const QFont& font, int width, const QPointF& origin,
                          qreal bottom, const QColor& background) {
    const QString plain = normalised(text);
    const QFontMetrics metrics(font);
    const int height = metrics.lineSpacing();
    painter.setFont(font);
    qreal y = origin.y();
    int drawn = 0;
    for (const LaidLine& line : lines(plain, font, width)) {
        if (y + height > bottom) break;  // a line that does not fit whole is left out
        ++drawn;
        QString part = plain.mid(line.start, line.length);
        while (part.endsWith(QLatin1Char(' '))) part.chop(1);
        const qreal w = metrics.horizontalAdvance(part);
        if (w > 0) painter.fillRect(QRectF(origin.x(), y, w, height), background);
        painter.drawText(QPointF(origin.x(), y + metrics.ascent()), part);
        y += height;
    }
    return drawn;
}

}  // namespace kelmora
