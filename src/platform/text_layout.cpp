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
// font and width; an empty one is one empty line. What drawing needs is
// added at the first draw.
struct Paragraph {
    QString text;
    std::vector<LaidLine> lines;  // starts within the paragraph
    std::vector<Ink> ink;
};

// A memo: its paragraphs, each with where it starts in the memo's text
// (line breaks normalised).
struct Memo {
    std::vector<std::pair<int, std::shared_ptr<Paragraph>>> paragraphs;
};

struct LayoutKey {
    QString text;
    QFont font;
    int width = 0;
    bool operator==(const LayoutKey& other) const {
        return width == other.width && text == other.text && font == other.font;
    }
};

struct LayoutKeyHash {
    std::size_t operator()(const LayoutKey& key) const { return qHashMulti(0, key.text, key.font, key.width); }
};

// The values used last, the oldest forgotten first.
template <typename Value>
class LastUsed {
public:
    explicit LastUsed(std::size_t capacity) : capacity_(capacity) {}

    template <typename Make>
    std::shared_ptr<Value> get(const QString& text, const QFont& font, int width, Make make) {
        LayoutKey key{text, font, width};
        if (auto found = index_.find(key); found != index_.end()) {
            order_.splice(order_.begin(), order_, found->second);
            return found->second->second;
        }
        auto value = std::make_shared<Value>(make());
        order_.emplace_front(key, value);
        index_.emplace(std::move(key), order_.begin());
        if (order_.size() > capacity_) {
            index_.erase(order_.back().first);
            order_.pop_back();
        }
        return value;
    }

private:
    using Entry = std::pair<LayoutKey, std::shared_ptr<Value>>;
    std::size_t capacity_;
    std::list<Entry> order_;
    std::unordered_map<LayoutKey, typename std::list<Entry>::iterator, LayoutKeyHash> index_;
};

std::vector<LaidLine> layOut(const QString& text, const QFont& font, int width) {
    if (text.isEmpty()) return {{0, 0, 0}};
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

// Room for two full months (the one shown and the one paged from) and the
// editor's latest versions of a memo. A memo keeps its paragraphs.
constexpr std::size_t kParagraphsKept = 2048;
constexpr std::size_t kMemosKept = 512;

std::shared_ptr<Paragraph> paragraph(const QString& text, const QFont& font, int width) {
    static LastUsed<Paragraph> kept(kParagraphsKept);
    return kept.get(text, font, width, [&] { return Paragraph{text, layOut(text, font, width), {}}; });
}

std::shared_ptr<Memo> memo(const QString& text, const QFont& font, int width) {
    static LastUsed<Memo> kept(kMemosKept);
    return kept.get(text, font, width, [&] {
        Memo memo;
        const QString plain = MemoTextLayout::normalised(text);
        int start = 0;
        while (true) {
            const int end = plain.indexOf(QLatin1Char('\n'), start);
            const int paragraphEnd = end < 0 ? plain.size() : end;
            memo.paragraphs.emplace_back(start, paragraph(plain.mid(start, paragraphEnd - start), font, width));
            if (end < 0) break;
            start = end + 1;
        }
        return memo;
    });
}

void prepareInk(Paragraph& paragraph, const QFont& font) {
    if (!paragraph.ink.empty()) return;
    const QFontMetrics metrics(font);
    for (const LaidLine& line : paragraph.lines) {
        Ink ink;
        ink.text = paragraph.text.mid(line.start, line.length);
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
    for (const auto& [start, paragraph] : memo(text, font, width)->paragraphs)
        for (const LaidLine& line : paragraph->lines) out.push_back({start + line.start, line.length, line.naturalWidth});
    return out;
}

int MemoTextLayout::lineCount(const QString& text, const QFont& font, int width) {
    int count = 0;
    for (const auto& entry : memo(text, font, width)->paragraphs) count += static_cast<int>(entry.second->lines.size());
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
    for (const auto& entry : memo(text, font, width)->paragraphs) {
        Paragraph& paragraph = *entry.second;
        prepareInk(paragraph, font);
        for (const Ink& ink : paragraph.ink) {
            if (y + height > bottom) return drawn;  // a line that does not fit whole is left out
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
    }
    return drawn;
}

}  // namespace kelmora
