#include "platform/text_layout.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QTextLayout>
#include <limits>
#include <list>
#include <memory>
#include <unordered_map>

namespace kelmora {
namespace {

// One line of a paragraph as the grid draws it: the text without its
// trailing spaces, the width of its opaque fill, and the text shaped once.
// A font with lines through or under its text is drawn as plain text: a
// line mixing faces gets one line under it, and the line sits where it
// always did at every scale, only then.
struct Ink {
    QString text;
    int fillWidth = 0;
    std::unique_ptr<QTextLayout> shaped;
};

// A paragraph (the text between two line breaks) broken into lines at one
// font and width. What drawing needs is added at the first draw.
struct Paragraph {
    std::vector<LaidLine> lines;  // starts within the paragraph
    std::vector<Ink> ink;
};

struct ParagraphKey {
    QString text;
    QFont font;
    int width = 0;
    bool operator==(const ParagraphKey& other) const {
        return width == other.width && text == other.text && font == other.font;
    }
};

struct ParagraphKeyHash {
    std::size_t operator()(const ParagraphKey& key) const { return qHashMulti(0, key.text, key.font, key.width); }
};

// The paragraphs laid out last, the oldest forgotten first. Room for two
// full months (the one shown and the one paged from) and the editor's
// latest versions of a paragraph.
constexpr std::size_t kParagraphsKept = 2048;

class ParagraphCache {
public:
    std::shared_ptr<Paragraph> get(const QString& text, const QFont& font, int width) {
        ParagraphKey key{text, font, width};
        if (auto found = index_.find(key); found != index_.end()) {
            order_.splice(order_.begin(), order_, found->second);
            return found->second->second;
        }
        auto paragraph = std::make_shared<Paragraph>();
        paragraph->lines = layOut(text, font, width);
        order_.emplace_front(key, paragraph);
        index_.emplace(std::move(key), order_.begin());
        if (order_.size() > kParagraphsKept) {
            index_.erase(order_.back().first);
            order_.pop_back();
        }
        return paragraph;
    }

private:
    static std::vector<LaidLine> layOut(const QString& text, const QFont& font, int width) {
        std::vector<LaidLine> out;
        QTextLayout layout(text, font);
        layout.setTextOption(MemoTextLayout::option());
        layout.setCacheEnabled(false);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            out.push_back({line.textStart(), line.textLength(), line.naturalTextWidth()});
        }
        layout.endLayout();
        return out;
    }

    using Entry = std::pair<ParagraphKey, std::shared_ptr<Paragraph>>;
    std::list<Entry> order_;
    std::unordered_map<ParagraphKey, std::list<Entry>::iterator, ParagraphKeyHash> index_;
};

ParagraphCache& paragraphs() {
    static ParagraphCache cache;
    return cache;
}

// Calls `each(paragraph text, its start in the text)` for every paragraph of
// the normalised text; an empty text is one empty paragraph.
template <typename F>
void forEachParagraph(const QString& plain, F each) {
    int start = 0;
    while (true) {
        const int end = plain.indexOf(QLatin1Char('\n'), start);
        const int paragraphEnd = end < 0 ? plain.size() : end;
        if (!each(plain.mid(start, paragraphEnd - start), start)) return;
        if (end < 0) return;
        start = end + 1;
    }
}

void prepareInk(Paragraph& paragraph, const QString& text, const QFont& font) {
    if (!paragraph.ink.empty()) return;
    const QFontMetrics metrics(font);
    for (const LaidLine& line : paragraph.lines) {
        Ink ink;
        ink.text = text.mid(line.start, line.length);
        while (ink.text.endsWith(QLatin1Char(' '))) ink.text.chop(1);
        ink.fillWidth = metrics.horizontalAdvance(ink.text);
        if (!font.underline() && !font.strikeOut() && !font.overline()) {
            ink.shaped = std::make_unique<QTextLayout>(ink.text, font);
            ink.shaped->setCacheEnabled(true);
            ink.shaped->beginLayout();
            QTextLine shapedLine = ink.shaped->createLine();
            if (shapedLine.isValid()) {
                shapedLine.setNumColumns(std::numeric_limits<int>::max());  // one line, never broken again
                shapedLine.setPosition(QPointF(0, 0));
            }
            ink.shaped->endLayout();
        }
        paragraph.ink.push_back(std::move(ink));
    }
}

}  // namespace

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
    forEachParagraph(normalised(text), [&](const QString& paragraph, int start) {
        if (paragraph.isEmpty()) {
            out.push_back({start, 0, 0});
            return true;
        }
        for (const LaidLine& line : paragraphs().get(paragraph, font, width)->lines)
            out.push_back({start + line.start, line.length, line.naturalWidth});
        return true;
    });
    return out;
}

int MemoTextLayout::lineCount(const QString& text, const QFont& font, int width) {
    int count = 0;
    forEachParagraph(normalised(text), [&](const QString& paragraph, int) {
        count += paragraph.isEmpty() ? 1 : static_cast<int>(paragraphs().get(paragraph, font, width)->lines.size());
        return true;
    });
    return count;
}

int MemoTextLayout::lineHeight(const QFont& font) { return QFontMetrics(font).lineSpacing(); }

int MemoTextLayout::draw(QPainter& painter, const QString& text, const QFont& font, int width, const QPointF& origin,
                          qreal bottom, const QColor& background) {
    const QFontMetrics metrics(font);
    const int height = metrics.lineSpacing();
    painter.setFont(font);
    qreal y = origin.y();
    int drawn = 0;
    forEachParagraph(normalised(text), [&](const QString& paragraphText, int) {
        if (paragraphText.isEmpty()) {
            if (y + height > bottom) return false;  // a line that does not fit whole is left out
            ++drawn;
            y += height;
            return true;
        }
        const std::shared_ptr<Paragraph> paragraph = paragraphs().get(paragraphText, font, width);
        prepareInk(*paragraph, paragraphText, font);
        for (const Ink& ink : paragraph->ink) {
            if (y + height > bottom) return false;
            ++drawn;
            if (ink.fillWidth > 0) painter.fillRect(QRectF(origin.x(), y, ink.fillWidth, height), background);
            const qreal baseline = y + metrics.ascent();
            if (!ink.shaped) {
                painter.drawText(QPointF(origin.x(), baseline), ink.text);
            } else if (const QTextLine line = ink.shaped->lineAt(0); line.isValid()) {
                // On the font's own baseline, whatever faces the line's
                // characters came from.
                line.draw(&painter, QPointF(origin.x(), baseline - line.ascent()));
            }
            y += height;
        }
        return true;
    });
    return drawn;
}

}  // namespace kelmora
