#include "export/icalendar_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelmora::ical {
namespace {

bool isContinuationByte(char ch) { return (static_cast<unsigned char>(ch) & 0xC0) == 0x80; }

// The physical lines of folded text, without their CR LF; fails the test when
// a line does not end in CR LF.
std::vector<std::string> physicalLines(const std::string& folded) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < folded.size()) {
        const std::size_t end = folded.find("\r\n", pos);
        if (end == std::string::npos) {
            ADD_FAILURE() << "text after the last CR LF: " << folded.substr(pos);
            break;
        }
        lines.push_back(folded.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

std::string repeated(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

TEST(IcalendarFolding, LinesStayWithinTheLimitSplitNoCharacterAndUnfoldToTheOriginal) {
    const std::string cases[] = {
        "",
        "BEGIN:VEVENT",
        repeated("a", 75),
        repeated("a", 76),
        repeated("x", 400),
        "SUMMARY:" + repeated("あ", 60),             // three octets a character
        "SUMMARY:a" + repeated("会議", 40),          // the cuts fall at every offset of a character
        "DESCRIPTION:ab" + repeated("\xF0\x9F\x93\x85", 30),  // four octets a character
        "SUMMARY:" + repeated("ｱ,\\n", 50),         // half-width kana and escapes
    };
    for (const std::string& line : cases) {
        const std::vector<std::string> lines = physicalLines(foldLine(line));
        ASSERT_FALSE(lines.empty()) << line;
        std::string unfolded = lines[0];
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string& piece = lines[i];
            EXPECT_LE(piece.size(), kMaxLineOctets) << line;
            if (i > 0) {
                ASSERT_FALSE(piece.empty()) << line;
                EXPECT_EQ(piece[0], ' ') << line;
                ASSERT_GT(piece.size(), 1u) << line;
                EXPECT_FALSE(isContinuationByte(piece[1])) << "line " << i << " begins inside a character: " << line;
                unfolded += piece.substr(1);
            }
            // Greedy: a piece is only cut short where the next character would not fit.
            if (i + 1 < lines.size()) {
                std::size_t next = 1;
                while (next < lines[i + 1].size() - 1 && isContinuationByte(lines[i + 1][1 + next])) ++next;
                EXPECT_GT(piece.size() + next, kMaxLineOctets) << "line " << i << " cut early: " << line;
            }
        }
        EXPECT_EQ(unfolded, line);
    }
}

TEST(IcalendarFolding, ExactPieces) {
    EXPECT_EQ(foldLine(""), "\r\n");
    EXPECT_EQ(foldLine(repeated("a", 75)), repeated("a", 75) + "\r\n");
    EXPECT_EQ(foldLine(repeated("a", 76)), repeated("a", 75) + "\r\n a\r\n");
    // 74 octets, then a character of three that would end at octet 77.
    EXPECT_EQ(foldLine(repeated("a", 74) + "あい"), repeated("a", 74) + "\r\n あい\r\n");
}

TEST(IcalendarText, EscapesWhatTextValuesReserveAndDropsControls) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"10:00 歯医者", "10:00 歯医者"},
        {"a\\b", "a\\\\b"},
        {"\\n is not a line break", "\\\\n is not a line break"},
        {"牛乳;卵,パン", "牛乳\\;卵\\,パン"},
        {"一行目\r\n二行目", "一行目\\n二行目"},
        {"lf\nonly\rcr\r\n\r\nend", "lf\\nonly\\ncr\\n\\nend"},
        {"tab\tkept\x01\x1f\x7f", "tab\tkept"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(escapeText(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace kelmora::ical
