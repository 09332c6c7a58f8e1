#include "main/cp932.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace kelmora::cp932 {
namespace {

#include "main/cp932_table.inc"

constexpr char32_t kReplacement = 0xFFFD;
constexpr unsigned kTrailFirst = 0x40;
constexpr unsigned kTrailLast = 0xFC;

// Single bytes outside ASCII and half-width katakana, kept reversible.
constexpr std::array<std::pair<unsigned char, char16_t>, 5> kOddSingles{{
    {0x80, 0x0080}, {0xA0, 0xF8F0}, {0xFD, 0xF8F1}, {0xFE, 0xF8F2}, {0xFF, 0xF8F3}}};

// The seven characters of two spellings, and their CP932 codes.
struct TwoSpellings {
    char16_t jis, windows;
    std::uint16_t code;
};
constexpr std::array<TwoSpellings, 7> kTwoSpellings{{
    {0x301C, 0xFF5E, 0x8160}, {0x2016, 0x2225, 0x8161}, {0x2212, 0xFF0D, 0x817C}, {0x2014, 0x2015, 0x815C},
    {0x00A2, 0xFFE0, 0x8191}, {0x00A3, 0xFFE1, 0x8192}, {0x00AC, 0xFFE2, 0x81CA}}};

int leadIndex(unsigned lead) {
    if (lead >= 0x81 && lead <= 0x9F) return static_cast<int>(lead - 0x81);
    if (lead >= 0xE0 && lead <= 0xFC) return static_cast<int>(lead - 0xE0 + 0x1F);
    return -1;
}

bool isUserDefinedLead(unsigned lead) { return lead >= 0xF0 && lead <= 0xF9; }

// User-defined characters F040..F9FC map onto U+E000.. in order, 188 a row.
char16_t userDefinedToUnicode(unsigned lead, unsigned trail) {
    unsigned column = trail - kTrailFirst - (trail >= 0x80 ? 1 : 0);
    return static_cast<char16_t>(0xE000 + (lead - 0xF0) * 188 + column);
}

char16_t decodePair(unsigned lead, unsigned trail) {
    if (trail < kTrailFirst || trail > kTrailLast || trail == 0x7F) return 0;
    if (isUserDefinedLead(lead)) return userDefinedToUnicode(lead, trail);
    int index = leadIndex(lead);
    if (index < 0) return 0;
    return kDoubleByte[index][trail - kTrailFirst];
}

// Unicode (BMP) to CP932 code; 0 = none. Where a character has several
// codes, the JIS and NEC rows win over the IBM rows, and the IBM rows win
// over the NEC-selected copies of them (0xED/0xEE), as Windows encodes.
const std::array<std::uint16_t, 0x10000>& encodeTable() {
    static const auto table = [] {
        auto t = std::make_unique<std::array<std::uint16_t, 0x10000>>();
        t->fill(0);
        for (unsigned c = 0; c < 0x80; ++c) (*t)[c] = static_cast<std::uint16_t>(c);
        for (unsigned c = 0xA1; c <= 0xDF; ++c) (*t)[0xFF61 + (c - 0xA1)] = static_cast<std::uint16_t>(c);
        for (auto [byte, ch] : kOddSingles) (*t)[ch] = byte;
        auto take = [&](unsigned lead) {
            for (unsigned trail = kTrailFirst; trail <= kTrailLast; ++trail) {
                char16_t ch = decodePair(lead, trail);
                if (ch != 0 && (*t)[ch] == 0) (*t)[ch] = static_cast<std::uint16_t>(lead << 8 | trail);
            }
        };
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead)
            if (lead != 0xED && lead != 0xEE && (leadIndex(lead) >= 0 || isUserDefinedLead(lead))) take(lead);
        take(0xED);
        take(0xEE);
        for (const TwoSpellings& c : kTwoSpellings) (*t)[c.jis] = c.code;
        return t;
    }();
    return *table;
}

char32_t decodeAt(std::string_view text, std::size_t& pos, Spelling spelling) {
    unsigned b = static_cast<unsigned char>(text[pos++]);
    if (b < 0x80) return b;
    if (b >= 0xA1 && b <= 0xDF) return 0xFF61 + (b - 0xA1);
    for (auto [byte, ch] : kOddSingles)
        if (byte == b) return ch;
    if (pos >= text.size()) return kReplacement;
    unsigned trail = static_cast<unsigned char>(text[pos]);
    char16_t ch = decodePair(b, trail);
    if (ch == 0) return kReplacement;
    ++pos;
    // Also the IBM-row copies of ￢ (EEF9, FA54) read as ¬.
    if (spelling == Spelling::Jis)
        for (const TwoSpellings& c : kTwoSpellings)
            if (ch == c.windows) return c.jis;
    return ch;
}

bool encodeCodePoint(char32_t ch, std::string& out) {
    if (ch > 0xFFFF) return false;
    std::uint16_t code = encodeTable()[ch];
    if (code == 0 && ch != 0) return false;
    if (code > 0xFF) out.push_back(static_cast<char>(code >> 8));
    out.push_back(static_cast<char>(code & 0xFF));
    return true;
}

void appendUtf8(char32_t ch, std::string& out) {
    if (ch < 0x80) {
        out.push_back(static_cast<char>(ch));
    } else if (ch < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (ch >> 6)));
        out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (ch >> 12)));
        out.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
    }
}

// Next code point of UTF-8 text; malformed input gives U+FFFD.
char32_t nextUtf8(std::string_view text, std::size_t& pos) {
    unsigned b = static_cast<unsigned char>(text[pos++]);
    if (b < 0x80) return b;
    int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : -1;
    if (extra < 0) return kReplacement;
    char32_t ch = b & (0x3F >> extra);
    for (int i = 0; i < extra; ++i) {
        if (pos >= text.size() || (static_cast<unsigned char>(text[pos]) & 0xC0) != 0x80) return kReplacement;
        ch = ch << 6 | (static_cast<unsigned char>(text[pos++]) & 0x3F);
    }
    return ch;
}

char32_t nextUtf16(std::u16string_view text, std::size_t& pos) {
    char32_t ch = text[pos++];
    if (ch >= 0xD800 && ch <= 0xDBFF && pos < text.size() && text[pos] >= 0xDC00 && text[pos] <= 0xDFFF)
        ch = 0x10000 + ((ch - 0xD800) << 10) + (text[pos++] - 0xDC00);
    return ch;
}

template <typename Text, typename Next>
std::optional<std::string> encodeAll(Text text, Next next, char32_t* unencodable) {
    std::string out;
    out.reserve(text.size() * 2);
    for (std::size_t pos = 0; pos < text.size();) {
        char32_t ch = next(text, pos);
        if (!encodeCodePoint(ch, out)) {
            if (unencodable) *unencodable = ch;
            return std::nullopt;
        }
    }
    return out;
}

}  // namespace

bool isLeadByte(unsigned char byte) { return leadIndex(byte) >= 0 || isUserDefinedLead(byte); }

std::size_t clippedLength(std::string_view text, std::size_t limit) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t width = isLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
        if (pos + width > limit) break;
        pos += width;
    }
    return pos;
}

char32_t decodeNext(std::string_view text, std::size_t& pos, Spelling spelling) {
    return decodeAt(text, pos, spelling);
}

std::u16string toUtf16(std::string_view text, Spelling spelling) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) out.push_back(static_cast<char16_t>(decodeAt(text, pos, spelling)));
    return out;
}

std::string toUtf8(std::string_view text, Spelling spelling) {
    std::string out;
    out.reserve(text.size() * 3 / 2);
    for (std::size_t pos = 0; pos < text.size();) appendUtf8(decodeAt(text, pos, spelling), out);
    return out;
}

std::optional<std::string> fromUtf16(std::u16string_view text, char32_t* unencodable) {
    return encodeAll(text, nextUtf16, unencodable);
}

std::optional<std::string> fromUtf8(std::string_view text, char32_t* unencodable) {
    return encodeAll(text, nextUtf8, unencodable);
}

std::string fromUtf8ForDisplay(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();)
        if (!encodeCodePoint(nextUtf8(text, pos), out)) out.push_back('?');
    return out;
}

std::string literal(std::string_view utf8) {
    auto bytes = fromUtf8(utf8);
    if (!bytes) std::abort();  // a program text outside CP932 is a build fault
    return *bytes;
}

}  // namespace kelmora::cp932
