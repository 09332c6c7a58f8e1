#include "main/calendar_painter.h"

#include <QPainter>

#include "main/arrow_piece.h"
#include "main/date_cell_texts.h"
#include "main/national_holidays.h"
#include "platform/alignment.h"
#include "platform/colours.h"
#include "platform/qt_text.h"
#include "platform/text_layout.h"

namespace kelmora {
namespace {

constexpr int kPenWidth = 4;

// Text on one line, its extent first filled in the cell's last fill colour;
// returns the extent.
QRect drawOpaqueText(QPainter& p, const QRect& rect, int flags, const QString& text, const QColor& background) {
    const QRect extent = p.boundingRect(rect, flags | Qt::TextSingleLine, text);
    p.fillRect(extent, background);
    p.drawText(rect, flags | Qt::TextSingleLine, text);
    return extent;
}

}  // namespace

void CalendarPainter::paintCell(QPainter& painter, int col, int row, const QRect& rect) const {
    painter.setBrush(Qt::NoBrush);
    painter.setFont(look_.headerFont);
    const int week = MonthModel::weekOfRow(row);
    if (row == 0) paintHeaderCell(painter, col, rect);
    else if (row % 2 == 1) paintDateCell(painter, col, week, rect);
    else paintMemoCell(painter, col, row, rect);

    if (state_.blinkOn && col == state_.blinkCol && row == state_.blinkRow)
        painter.fillRect(rect, toQColor(look_.settings.arrowColour));
}

// The header is coloured by the weekly days off only.
void CalendarPainter::paintHeaderCell(QPainter& p, int col, const QRect& rect) const {
    const Settings& s = look_.settings;
    for (int weekday = 0; weekday < 7; ++weekday) {
        if (model_.columnOf(weekday, SundayFirst) != col) continue;
        const bool off = s.weeklyHolidays[weekday];
        const QColor fill = toQColor(off ? s.header.bkcolor1 : s.header.bkcolor2);
        p.setPen(toQColor(off ? s.header.font.colour1 : s.header.font.colour2));
        p.fillRect(rect, fill);
        drawOpaqueText(p, rect, Qt::AlignVCenter | alignmentOfTextPosition(s.header.textpos), toQString(model_.weekdayNames[col]),
                       fill);
    }
}

void CalendarPainter::paintDateCell(QPainter& p, int col, int week, const QRect& rect) const {
    const Settings& s = look_.settings;
    p.setFont(look_.dateFont);
    const Tdaycell& cell = model_.cells[col][week];
    QColor fill;
    if (cell.holiday) {
        p.setPen(toQColor(s.date.font.colour1));
        fill = toQColor(s.date.bkcolor1);
    } else if (cell.day != 0) {
        p.setPen(toQColor(s.date.font.colour2));
        fill = toQColor(s.date.bkcolor2);
    } else {
        fill = toQColor(s.date.bkrinsetu);
    }
    p.fillRect(rect, fill);

    if (state_.todayMark && s.todayMark && cell.day != 0 && model_.year == model_.todayYear &&
        model_.month == model_.todayMonth && cell.day == model_.todayDay) {
        const QPen text = p.pen();
        p.setPen(QPen(toQColor(s.todayColour), kPenWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawEllipse(rect);
        p.setPen(text);
    }

    const QRect textRect = rect.adjusted(5, 0, -3, 0);
    const int numberFlags = Qt::AlignVCenter | alignmentOfTextPosition(s.date.textpos);
    QRect number;
    if (cell.day != 0) number = drawOpaqueText(p, textRect, numberFlags, QString::number(cell.day), fill);

    // Holiday names sit opposite the number, at the bottom; none when centred.
    const QStringList names = s.date.holiname && s.date.textpos != 1 ? holidayNames(cell) : QStringList();
    const QStringList almanac = almanacTexts(cell);
    p.setFont(look_.holidayNameFont);
    if (almanac.isEmpty()) {
        // Without the almanac several names share one place.
        const int side = Qt::AlignBottom | holidayNameSide(s.date.textpos);
        for (const QString& name : names) drawOpaqueText(p, textRect, side, name, fill);
        return;
    }
    for (const PlacedText& text :
         layOutDateCellTexts(p.fontMetrics(), textRect, number, s.date.textpos == 2, almanac, names))
        drawOpaqueText(p, text.rect, Qt::AlignBottom | Qt::AlignLeft, text.text, fill);
}

// "振替休日" first, then the day's names from the holiday table.
QStringList CalendarPainter::holidayNames(const Tdaycell& cell) const {
    QStringList names;
    if (cell.substitute) names << toQString(substituteHolidayName());
    if (cell.day == 0) return names;
    for (const Tsyukujitu& entry : model_.holidayTable[model_.month])
        if (entry.day == cell.day) names << toQString(entry.name);
    return names;
}

// 六曜 and the day's solar term, as the settings ask; none for the days of
// the neighbouring months.
QStringList CalendarPainter::almanacTexts(const Tdaycell& cell) const {
    QStringList texts;
    if (state_.koyomi == nullptr || cell.day == 0) return texts;
    const KoyomiDay& day = state_.koyomi->day(cell.day);
    if (look_.settings.rokuyo) texts << toQString(rokuyoName(day.rokuyo));
    if (look_.settings.sekki && day.solarTerm >= 0) texts << toQString(solarTermName(day.solarTerm));
    return texts;
}

void CalendarPainter::paintMemoCell(QPainter& p, int col, int row, const QRect& rect) const {
    const Settings& s = look_.settings;
    const int week = MonthModel::weekOfRow(row);
    const Tmemocell& memo = model_.memos[col][week];
    p.setFont(look_.memoFont);

    const MemoCellColours colours = memoCellColours(model_, s, col, week);
    Colour lastFill = colours.back;
    p.fillRect(rect, toQColor(lastFill));
    if (memo.selected && state_.selection) {
        lastFill = kSystemHighlight;
        p.fillRect(rect, toQColor(lastFill));
    }

    if (state_.focusFrame && col == state_.focusCol && row == state_.focusRow) paintFocusFrame(p, lastFill, rect);

    const int L = rect.left(), T = rect.top(), R = rect.left() + rect.width(), B = rect.top() + rect.height();
    p.setPen(toQColor(colours.text));
    MemoTextLayout::draw(p, toQString(memo.text), look_.memoFont, look_.memoTextWidth, QPointF(L + 4, T + 3), B - 1,
                         toQColor(lastFill));

    drawArrowPiece(p, static_cast<ArrowMark>(memo.arrow), L, T, R, look_.arrowHalf, toQColor(s.arrowColour));
}

// Four corner brackets and a mark in the middle of each side, in the colour
// of the armed tool; a colour equal to the fill below takes its contrast.
void CalendarPainter::paintFocusFrame(QPainter& p, Colour lastFill, const QRect& rect) const {
    const Settings& s = look_.settings;
    Colour pen = kSystemHighlight;
    switch (state_.tool) {
        case CalendarPaintState::Tool::ArrowFirstDay: pen = s.arrowColour; break;
        case CalendarPaintState::Tool::HolidayMarking: pen = s.memo.font.colour1; break;
        case CalendarPaintState::Tool::WeekdayMarking: pen = s.memo.font.colour2; break;
        case CalendarPaintState::Tool::None: break;
    }
    if (pen == lastFill) pen = contrastColour(pen);
    p.setPen(QPen(toQColor(pen), kPenWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    const int L = rect.left(), T = rect.top(), R = rect.left() + rect.width(), B = rect.top() + rect.height();
    const QPoint corners[][3] = {
        {{L + 10, T}, {L, T}, {L, T + 10}},
        {{L + 10, B}, {L, B}, {L, B - 10}},
        {{R - 10, T}, {R, T}, {R, T + 10}},
        {{R - 10, B}, {R, B}, {R, B - 10}},
    };
    for (const auto& c : corners) p.drawPolyline(c, 3);
    const int hw = state_.frameHalfWidth;
    const int hh = state_.frameHalfHeight;
    const QLine marks[] = {
        {L + hw, T, L + hw, T + 5},     {L + hw, B, L + hw, B - 5},     {L, T + hh, L + 5, T + hh},
        {R, T + hh, R - 5, T + hh},     {L, T + hh - 5, L, T + hh + 5}, {R, T + hh - 5, R, T + hh + 5},
        {L + hw - 5, T, L + hw + 5, T}, {L + hw - 5, B, L + hw + 5, B},
    };
    for (const QLine& line : marks) p.drawLine(line);
}

}  // namespace kelmora
