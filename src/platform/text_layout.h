#pragma once
// The one way a memo is broken into lines: the in-cell editor, the row
// height measurement and the grid's drawing all use it, so the three always
// agree for the same text, font and width.

#include <QFont>
#include <QString>
#include <QTextOption>
#include <vector>

class QPainter;
class QPointF;

namespace kelmora {

struct LaidLine {
    int start = 0;   // position in the text
    int length = 0;
    qreal naturalWidth = 0;
};

class MemoTextLayout {
public:
    // Lines are broken at word boundaries, or anywhere inside a word longer
    // than the line, as an edit control breaks them.
    static QTextOption option();

    // Line breaks CR LF, CR or LF all end a paragraph.
    static QString normalised(const QString& text);

    // The lines of `text` laid out `width` pixels wide; an empty paragraph
    // (also after a final line break) is one empty line.
    static std::vector<LaidLine> lines(const QString& text, const QFont& font, int width);
    static int lineCount(const QString& text, const QFont& font, int width);

    // Height of one line: the font's line spacing, external leading included.
    static int lineHeight(const QFont& font);

    // Draws the lines from `origin` downwards, each over a fill of its own
    // width in `background`; stops before a line that would pass `bottom`.
    // Returns the number of lines drawn.
    static int draw(QPainter& painter, const QString& text, const QFont& font, int width, const QPointF& origin,
                     qreal bottom, const QColor& background);
};

}  // namespace kelmora
