#pragma once
// Legacy settings files ("kelmora.wst") built field by field, for the tests
// and the fuzzing seeds.

#include <cstdint>
#include <string>

#include "main/cp932.h"
#include "settei/settings.h"

namespace kelmora::testing {

// Little-endian fields, as the legacy file lays them out.
struct Bytes {
    std::string out;
    Bytes& u8(unsigned v) { return put(v, 1); }
    Bytes& u16(unsigned v) { return put(v, 2); }
    Bytes& i32(std::int64_t v) { return put(static_cast<std::uint32_t>(v), 4); }
    Bytes& text(const std::string& s) {
        u16(static_cast<unsigned>(s.size()));
        out += s;
        return *this;
    }
    Bytes& font(int size, unsigned style) { return i32(size).u8(style).u8(0xEE).u8(0xEE).u8(0xEE); }
    Bytes& put(std::uint32_t v, int width) {
        for (int i = 0; i < width; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
        return *this;
    }
};

struct LegacyFields {
    unsigned memoHeight = 55;
    unsigned headerPos = 2, datePos = 1;
};

// A legacy file of `version` with a distinct value in every field; the
// fields of later versions are present as the version says.
inline std::string legacyFile(unsigned version, const LegacyFields& f = {}) {
    Bytes b;
    b.u16(version).i32(120).i32(-5).i32(480).i32(730).u8(0);         // 1-6: left, top, height, width, toolbar
    b.text(cp932::literal("ＭＳ 明朝")).i32(22).u8(StyleBold | StyleUnderline).i32(0x000080);  // 7-10
    b.i32(140).i32(999).u16(f.memoHeight).u8(f.headerPos).u8(f.datePos);  // 11-15
    b.font(10, StyleItalic).font(11, StyleBold | StyleStrikeOut).font(12, 0xF0 | StyleUnderline);  // 16-18
    b.text("Header").text("Date").text(cp932::literal("メモ"));      // 19-21
    for (std::int64_t c : {0x000001, 0x000002, 0x000003, 0x000004, 0x000005, 0x000006}) b.i32(c);  // 22-27
    b.i32(7).i32(8);                                                  // 28-29
    for (std::int64_t c : {0x000011, 0x000012, 0x000013, 0x000014, 0x000015, 0x000016}) b.i32(c);  // 30-35
    b.u8(1).u16(5).u8(0);                                             // 36-38
    if (version != 10) {
        b.i32(0x000021).i32(0x000022).i32(0x000023).i32(0x000024).u8(0);  // 39-43
        b.u16(0).u16(0).u16(0).u8(0).u16(0);                              // 44-48
    }
    if (version >= 13) b.u8(0).u8(1).u8(0).u8(0).u8(0).u8(1).u8(1).u8(0);  // 49-50
    return b.out;
}

}  // namespace kelmora::testing
