#include "main/month_file_format.h"

#include <cstdint>

#include "main/cp932.h"

namespace kelmora {
namespace {

constexpr std::uint16_t kVersionSundayFirst = 240;
constexpr std::uint16_t kFirstVersionWithMarks = 13;
constexpr std::uint16_t kFirstVersionWithArrows = 20;
constexpr std::uint16_t kLastVersionWithoutLayout = 200;

void putU16(std::string& out, std::uint16_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

void putU32(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void putColour(std::string& out, std::uint8_t flag, Colour colour) {
    out.push_back(static_cast<char>(flag ? 1 : 0));
    if (flag) putU32(out, colour);
}

// Reads the file front to back; every read fails once the bytes run out.
class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    bool u8(std::uint8_t& value) {
        if (left() < 1) return false;
        value = byte(0);
        pos_ += 1;
        return true;
    }
    bool u16(std::uint16_t& value) {
        if (left() < 2) return false;
        value = static_cast<std::uint16_t>(byte(0) | byte(1) << 8);
        pos_ += 2;
        return true;
    }
    bool u32(std::uint32_t& value) {
        if (left() < 4) return false;
        value = static_cast<std::uint32_t>(byte(0)) | static_cast<std::uint32_t>(byte(1)) << 8 |
                static_cast<std::uint32_t>(byte(2)) << 16 | static_cast<std::uint32_t>(byte(3)) << 24;
        pos_ += 4;
        return true;
    }
    bool text(std::size_t length, std::string& value) {
        if (left() < length) return false;
        value.assign(bytes_.substr(pos_, length));
        pos_ += length;
        return true;
    }
    bool skip(std::size_t count) {
        if (left() < count) return false;
        pos_ += count;
        return true;
    }

private:
    std::size_t left() const { return bytes_.size() - pos_; }
    std::uint8_t byte(std::size_t at) const { return static_cast<std::uint8_t>(bytes_[pos_ + at]); }

    std::string_view bytes_;
    std::size_t pos_ = 0;
};

Layout layoutOfVersion(std::uint16_t version) {
    if (version <= kLastVersionWithoutLayout) return SundayFirst;
    return version % 10 == 1 ? MondayFirst : SundayFirst;
}

// Visits the stored cells of weeks 1..weeks in file order, passing the cell of
// the same date in the current layout, or -1, -1 when that lies outside the
// block. The visitor returns false to stop on a read failure.
template <typename Visit>
bool forEachStoredCell(const MonthModel& month, Layout fileLayout, int weeks, Visit visit) {
    for (int week = 1; week <= weeks; ++week) {
        for (int col = 0; col < kColumns; ++col) {
            const int targetCol = month.columnOf(col, fileLayout);
            const int targetWeek = month.weekOf(col, week, fileLayout);
            const bool inside = MonthModel::inBlock(targetCol, targetWeek);
            if (!visit(inside ? targetCol : -1, inside ? targetWeek : -1)) return false;
        }
    }
    return true;
}

bool readColours(Reader& in, MonthModel& month, Layout fileLayout, bool background) {
    return forEachStoredCell(month, fileLayout, kWeeks, [&](int col, int week) {
        std::uint8_t flag = 0;
        std::uint32_t colour = 0;
        if (!in.u8(flag)) return false;
        if (flag == 1 && !in.u32(colour)) return false;
        if (col < 0) return true;
        Tmemocell& memo = month.memos[col][week];
        if (background) {
            memo.hasBackColor = flag == 1;
            if (flag == 1) memo.backColor = colour;
        } else {
            memo.hasFontColor = flag == 1;
            if (flag == 1) memo.fontColor = colour;
        }
        return true;
    });
}

}  // namespace

MonthFileSections sectionsOf(std::string_view bytes) {
    std::uint16_t version = 0;
    if (!Reader(bytes).u16(version)) return {false, false};
    return {version >= kFirstVersionWithMarks, version >= kFirstVersionWithArrows};
}

std::string monthFileName(const std::string& programDir, int year, int month) {
    std::string name = programDir + std::to_string(year);
    if (month < 10) name += '0';
    return name + std::to_string(month) + ".wmd";
}

std::string memoTooLongCause() { return cp932::literal("メモが長すぎます（1日 65535 バイトまで）"); }

std::optional<std::string> encodeMonthFile(const MonthModel& month) {
    std::string out;
    out.reserve(512);
    putU16(out, static_cast<std::uint16_t>(kVersionSundayFirst + month.layout()));
    putU16(out, 0);
    for (int week = 1; week <= month.weekRows; ++week) {
        for (int col = 0; col < kColumns; ++col) {
            const std::string& text = month.memos[col][week].text;
            if (text.size() > kMaxMemoBytes) return std::nullopt;
            putU16(out, static_cast<std::uint16_t>(text.size()));
            out += text;
        }
    }
    for (std::uint8_t off : month.weeklyDaysOff) out.push_back(static_cast<char>(off ? 1 : 0));
    for (int week = 1; week <= kWeeks; ++week) {
        for (int col = 0; col < kColumns; ++col) {
            out.push_back(static_cast<char>(month.marks[col][week].holidayMark));
            out.push_back(static_cast<char>(month.marks[col][week].weekdayMark));
        }
    }
    for (int week = 1; week <= kWeeks; ++week)
        for (int col = 0; col < kColumns; ++col) out.push_back(static_cast<char>(month.memos[col][week].arrow));
    for (int week = 1; week <= kWeeks; ++week)
        for (int col = 0; col < kColumns; ++col)
            putColour(out, month.memos[col][week].hasBackColor, month.memos[col][week].backColor);
    for (int week = 1; week <= kWeeks; ++week)
        for (int col = 0; col < kColumns; ++col)
            putColour(out, month.memos[col][week].hasFontColor, month.memos[col][week].fontColor);
    return out;
}

bool decodeMonthFile(std::string_view bytes, MonthModel& month) {
    Reader in(bytes);
    std::uint16_t version = 0, reserved = 0;
    if (!in.u16(version) || !in.u16(reserved)) return false;
    const Layout fileLayout = layoutOfVersion(version);

    const bool textsRead =
        forEachStoredCell(month, fileLayout, month.weekRowsIn(fileLayout), [&](int col, int week) {
            std::uint16_t length = 0;
            std::string text;
            if (!in.u16(length) || !in.text(length, text)) return false;
            if (col >= 0) month.memos[col][week].text = std::move(text);
            return true;
        });
    if (!textsRead) return false;
    if (version < kFirstVersionWithMarks) return true;

    // The weekly days off at the time of writing: the settings decide them now.
    if (!in.skip(7)) return false;
    const bool marksRead = forEachStoredCell(month, fileLayout, kWeeks, [&](int col, int week) {
        Tdaymark mark;
        if (!in.u8(mark.holidayMark) || !in.u8(mark.weekdayMark)) return false;
        if (col < 0) return true;
        month.marks[col][week] = mark;
        applyDayMark(month.cells[col][week], mark);
        return true;
    });
    if (!marksRead) return false;
    if (version < kFirstVersionWithArrows) return true;

    const bool arrowsRead = forEachStoredCell(month, fileLayout, kWeeks, [&](int col, int week) {
        std::uint8_t arrow = 0;
        if (!in.u8(arrow)) return false;
        if (col >= 0) month.memos[col][week].arrow = arrow;
        return true;
    });
    if (!arrowsRead || !readColours(in, month, fileLayout, true) ||
        !readColours(in, month, fileLayout, false))
        return false;
    month.arrowDataLoaded = true;
    return true;
}

}  // namespace kelmora
