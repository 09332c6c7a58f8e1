#pragma once
// Code page 932 (Japanese Windows "Shift_JIS") as the files and the core keep
// their texts, converted to and from Unicode at the edges.

#include <optional>
#include <string>
#include <string_view>

namespace kelmora::cp932 {

// True for a byte that starts a double-byte character.
bool isLeadByte(unsigned char byte);

// Length in bytes of the longest prefix of `text` that is at most `limit`
// bytes long and does not end inside a double-byte character.
std::size_t clippedLength(std::string_view text, std::size_t limit);

// Seven CP932 characters have two Unicode spellings: the one Windows reads
// them as (～ U+FF5E, ∥ U+2225, － U+FF0D, ― U+2015, ￠ U+FFE0, ￡ U+FFE1,
// ￢ U+FFE2) and the JIS one the input methods of other systems type
// (〜 U+301C, ‖ U+2016, − U+2212, — U+2014, ¢ U+00A2, £ U+00A3, ¬ U+00AC).
enum class Spelling { Windows, Jis };
// Texts read back as this system's input methods type them, so what the
// user typed is what the window shows, copies and the tool prints.
#ifdef _WIN32
inline constexpr Spelling kSystemSpelling = Spelling::Windows;
#else
inline constexpr Spelling kSystemSpelling = Spelling::Jis;
#endif

// CP932 to Unicode. A byte sequence that is no character becomes U+FFFD.
std::u16string toUtf16(std::string_view text, Spelling spelling = kSystemSpelling);
std::string toUtf8(std::string_view text, Spelling spelling = kSystemSpelling);
// The character that starts at byte `pos` of `text` (pos < text.size());
// `pos` moves past it. A byte sequence that is no character gives U+FFFD.
char32_t decodeNext(std::string_view text, std::size_t& pos, Spelling spelling = kSystemSpelling);

// Unicode to CP932, the one rule for what a text may hold: a character is
// stored only as the code that reads back as itself, never as a look-alike
// (no ‾ as ￣, no ¥ as \); both spellings of the seven characters above are
// stored as their one CP932 code. Returns nothing when a character has no
// such code; `unencodable` then receives the first such character.
std::optional<std::string> fromUtf16(std::u16string_view text, char32_t* unencodable = nullptr);
std::optional<std::string> fromUtf8(std::string_view text, char32_t* unencodable = nullptr);

// Unicode to CP932 for showing, not storing: a character without a CP932
// form becomes "?" (a file name in a message, for one).
std::string fromUtf8ForDisplay(std::string_view text);

// For the program's own texts, which are all CP932 characters.
std::string literal(std::string_view utf8);

}  // namespace kelmora::cp932
