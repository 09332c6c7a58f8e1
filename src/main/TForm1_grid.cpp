// How every cell of the calendar grid looks: the weekday header, the date
// rows and the memo rows. Each cell is painted whole by one call.

#include <QPainter>

#include "CanvasEdit/TCanvasEdit.h"
#include "main/TForm1.h"
#include "main/arrow_piece.h"
#include "platform/colours.h"
#include "platform/owner_draw_grid.h"
#include "platform/qt_text.h"
#include "platform/text_layout.h"

namespace kelmora {
namespace {

constexpr int kPenWidth = 4;

int alignmentOf(int textpos) {
    switch (textpos) {
        case 1: return Qt::AlignHCenter;
        case 2: return Qt::AlignRight;
        default: return Qt::AlignLeft;
    }
}

// Text on one line, its extent first filled in the cell's last fill colour.
void drawOpaqueText(QPainter& p, const QRect& rect, int flags, const QString& text, const QColor& background) {
    const QRect extent = p.boundingRect(rect, flags | Qt::TextSingleLine, text);
    p.fillRect(extent, background);
    p.drawText(rect, flags | Qt::TextSingleLine, text);
}

QPen thickPen(const QColor& colour) { return QPen(colour, kPenWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

}  // namespace

void TForm1::dg1DrawCell(QPainter& painter, int col, int row, const QRect& rect) {
    painter.setBrush(Qt::NoBrush);
    painter.setFont(bandFont(settings.header.font));
    const int week = MonthModel::weekOfRow(row);
    if (row == 0) paintHeaderCell(painter, col, rect);
    else if (row % 2 == 1) paintDateCell(painter, col, week, rect);
    else paintMemoCell(painter, col, row, rect);

    // The arrow's first day blinks while the tool waits for the last one.
    if (arrowTool.state == 2 && arrowBlink && col == arrowTool.startCol && row == arrowTool.startRow &&
        model.year == arrowTool.startYear && model.month == arrowTool.startMonth)
        painter.fillRect(rect, toQColor(settings.arrowColour));
}

// The header is coloured by the weekly days off only.
void TForm1::paintHeaderCell(QPainter& p, int col, const QRect& rect) {
    for (int weekday = 0; weekday < 7; ++weekday) {
        if (model.columnOf(weekday, SundayFirst) != col) continue;
        const bool off = settings.weeklyHolidays[weekday];
        const QColor fill = toQColor(off ? settings.header.bkcolor1 : settings.header.bkcolor2);
        p.setPen(toQColor(off ? settings.header.font.colour1 : settings.header.font.colour2));
        p.fillRect(rect, fill);
        drawOpaqueText(p, rect, Qt::AlignVCenter | alignmentOf(settings.header.textpos),
                       toQString(model.weekdayNames[col]), fill);
    }
}

void TForm1::paintDateCell(QPainter& p, int col, int week, const QRect& rect) {
    p.setFont(bandFont(settings.date.font));
    const Tdaycell& cell = model.cells[col][week];
    QColor fill;
    if (cell.holiday) {
        p.setPen(toQColor(settings.date.font.colour1));
        fill = toQColor(settings.date.bkcolor1);
    } else if (cell.day != 0) {
        p.setPen(toQColor(settings.date.font.colour2));
        fill = toQColor(settings.date.bkcolor2);
    } else {
        fill = toQColor(settings.date.bkrinsetu);
    }
    p.fillRect(rect, fill);

    if (settings.todayMark && cell.day != 0 && model.year == model.todayYear && model.month == model.todayMonth &&
        cell.day == model.todayDay) {
        const QPen text = p.pen();
        p.setPen(thickPen(toQColor(settings.todayColour)));
        p.drawEllipse(rect);
        p.setPen(text);
    }

    const QRect textRect = rect.adjusted(5, 0, -3, 0);
    if (cell.day != 0)
        drawOpaqueText(p, textRect, Qt::AlignVCenter | alignmentOf(settings.date.textpos), QString::number(cell.day),
                       fill);

    // Holiday names sit opposite the number, at the bottom; none when centred.
    if (!settings.date.holiname || settings.date.textpos == 1) return;
    QFont names = bandFont(Tfontset{settings.date.font.size - 1, settings.date.font.name, 0, 0, 0, 0});
    p.setFont(names);
    const int side = Qt::AlignBottom | (settings.date.textpos == 0 ? Qt::AlignRight : Qt::AlignLeft);
    if (cell.substitute) drawOpaqueText(p, textRect, side, toQString(substituteHolidayName()), fill);
    if (cell.day == 0) return;
    for (const Tsyukujitu& entry : model.holidayTable[model.month])
        if (entry.day == cell.day) drawOpaqueText(p, textRect, side, toQString(entry.name), fill);
}

TForm1::CellColours TForm1::memoCellColours(int col, int week) const {
    const Tdaycell& day = model.cells[col][week];
    const Tmemocell& memo = model.memos[col][week];
    CellColours c;
    if (day.holiday) c = {settings.memo.bkcolor1, settings.memo.font.colour1};
    else if (day.day != 0) c = {settings.memo.bkcolor2, settings.memo.font.colour2};
    else c = {settings.memo.bkrinsetu, settings.memo.font.colour3};
    if (memo.hasBackColor) c.back = memo.backColor;
    if (memo.hasFontColor) c.text = memo.fontColor;
    return c;
}

void TForm1::paintMemoCell(QPainter& p, int col, int row, const QRect& rect) {
    const int week = MonthModel::weekOfRow(row);
    const Tmemocell& memo = model.memos[col][week];
    QFont font = bandFont(settings.memo.font);
    p.setFont(font);

    const CellColours colours = memoCellColours(col, week);
    Colour lastFill = colours.back;
    const Colour text = colours.text;
    p.fillRect(rect, toQColor(lastFill));
    if (memo.selected) {
        lastFill = kSystemHighlight;
        p.fillRect(rect, toQColor(lastFill));
    }

    const int L = rect.left(), T = rect.top(), R = rect.left() + rect.width(), B = rect.top() + rect.height();
    if (!editorShown() && settings.focusFrame && col == model.focusCol && row == model.focusRow) {
        Colour pen = kSystemHighlight;
        if (arrowTool.state == 1) pen = settings.arrowColour;
        else if (holidayMarking) pen = settings.memo.font.colour1;
        else if (weekdayMarking) pen = settings.memo.font.colour2;
        if (pen == lastFill) pen = contrastColour(pen);
        p.setPen(QPen(toQColor(pen), kPenWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        const QPoint corners[][3] = {
            {{L + 10, T}, {L, T}, {L, T + 10}},
            {{L + 10, B}, {L, B}, {L, B - 10}},
            {{R - 10, T}, {R, T}, {R, T + 10}},
            {{R - 10, B}, {R, B}, {R, B - 10}},
        };
        for (const auto& c : corners) p.drawPolyline(c, 3);
        const int hw = dg1->defaultColWidth() / 2;
        const int hh = dg1->rowHeight(dg1->row()) / 2;
        const QLine marks[] = {
            {L + hw, T, L + hw, T + 5},           {L + hw, B, L + hw, B - 5},
            {L, T + hh, L + 5, T + hh},           {R, T + hh, R - 5, T + hh},
            {L, T + hh - 5, L, T + hh + 5},       {R, T + hh - 5, R, T + hh + 5},
            {L + hw - 5, T, L + hw + 5, T},       {L + hw - 5, B, L + hw + 5, B},
        };
        for (const QLine& line : marks) p.drawLine(line);
    }

    p.setPen(toQColor(text));
    MemoTextLayout::draw(p, toQString(memo.text), font, memoTextWidth(), QPointF(L + 4, T + 3), B - 1,
                         toQColor(lastFill));

    drawArrowPiece(p, static_cast<ArrowMark>(memo.arrow), L, T, R, fontRowHeight(settings.memo.font.size) / 2,
                   toQColor(settings.arrowColour));
}

}  // namespace kelmora
