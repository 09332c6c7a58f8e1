// The settings dialog's two preview grids: dg2 shows the three bands as a
// holiday column and a weekday column, dg3 the adjacent-month cells, the
// today mark and an arrow across two memo cells.

#include <QPainter>
#include <QRadioButton>

#include "main/TForm1.h"
#include "main/arrow_piece.h"
#include "main/calendar_look.h"
#include "platform/alignment.h"
#include "platform/colours.h"
#include "platform/qt_text.h"
#include "platform/text_layout.h"
#include "settei/settings_dialog.h"

namespace kelmora {
namespace {

// A cell filled, with one line of text vertically centred in `textRect`.
void fillWithLine(QPainter& p, const QRect& cell, Colour fill, const QRect& textRect, int align, Colour text,
                  const QString& line) {
    p.fillRect(cell, toQColor(fill));
    p.setPen(toQColor(text));
    p.drawText(textRect, align | Qt::AlignVCenter | Qt::TextSingleLine, line);
}

// A memo cell: the fill and the text wrapped as the calendar wraps memos.
void fillWithMemo(QPainter& p, const QRect& cell, Colour fill, Colour text, const QString& memo) {
    p.fillRect(cell, toQColor(fill));
    p.setPen(toQColor(text));
    MemoTextLayout::draw(p, memo, p.font(), cell.width(), cell.topLeft(), cell.top() + cell.height(), toQColor(fill));
}

}  // namespace

void TForm2::dg2DrawCell(QPainter& p, int col, int row, const QRect& rect) {
    p.setBrush(Qt::NoBrush);
    const bool holiday = col == 0;
    if (row == 0) {
        p.setFont(fontOf(header.font));
        fillWithLine(p, rect, holiday ? header.bkcolor1 : header.bkcolor2, rect,
                     alignmentOfTextPosition(header.textpos), holiday ? header.font.colour1 : header.font.colour2,
                     japanese(holiday ? "日" : "月"));
    } else if (row == 1) {
        p.setFont(fontOf(date.font));
        const QRect narrowed = rect.adjusted(5, 0, -3, 0);
        const Colour fill = holiday ? date.bkcolor1 : date.bkcolor2;
        fillWithLine(p, rect, fill, narrowed, alignmentOfTextPosition(date.textpos),
                     holiday ? date.font.colour1 : date.font.colour2, QString::number(col + 1));
        // A holiday's name sits at the bottom, opposite the date; none when centred.
        if (holiday && date.holiname && date.textpos != 1) {
            p.setFont(holidayNameFontOf(date.font));
            p.drawText(narrowed, holidayNameSide(date.textpos) | Qt::AlignBottom | Qt::TextSingleLine,
                       japanese("祝日名"));
        }
    } else {
        p.setFont(fontOf(memo.font));
        fillWithMemo(p, rect, holiday ? memo.bkcolor1 : memo.bkcolor2, holiday ? memo.font.colour1 : memo.font.colour2,
                     sampleText);
    }
}

void TForm2::dg3DrawCell(QPainter& p, int col, int row, const QRect& rect) {
    p.setBrush(Qt::NoBrush);
    if (row == 0) {
        p.setFont(fontOf(date.font));
        if (col == 0) {
            p.fillRect(rect, toQColor(date.bkrinsetu));
            return;
        }
        const bool holiday = col == 1;
        fillWithLine(p, rect, holiday ? date.bkcolor1 : date.bkcolor2, rect, alignmentOfTextPosition(date.textpos),
                     holiday ? date.font.colour1 : date.font.colour2, QString::number(col));
        if (rbtodayon->isChecked()) {
            p.setPen(QPen(toQColor(todayColour), kArrowPenWidth));
            p.drawEllipse(rect);
        }
        return;
    }
    p.setFont(fontOf(memo.font));
    if (col == 0) {
        fillWithMemo(p, rect, memo.bkrinsetu, memo.font.colour3, sampleText);
        return;
    }
    // Two days joined by one arrow, a head at each end, under an empty first line.
    const bool first = col == 1;
    fillWithMemo(p, rect, first ? memo.bkcolor1 : memo.bkcolor2, first ? memo.font.colour1 : memo.font.colour2,
                 QStringLiteral("\r\n") + sampleText);
    drawArrowPiece(p, first ? ArrowStart : ArrowEnd, rect.left(), rect.top(), rect.left() + rect.width(),
                   calendar_.fontRowHeight(memo.font.size) / 2, toQColor(arrowColour));
}

}  // namespace kelmora
