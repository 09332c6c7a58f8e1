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

// CP932 to Unicode. A byte sequence that is no character becomes U+FFFD.
std::u16string toUtf16(std::string_view text);
std::string toUtf8(std::string_view text);

// Unicode to CP932. The forms some input methods produce for a few
// characters (U+301C WAVE DASH and the like) are stored as the CP932
// character the user sees. Returns nothing when a character has no CP932
// form; `unencodable` then receives the first such character.
std::optional<std::string> fromUtf16(std::u16string_view text, char32_t* unencodable = nullptr);
std::optional<std::string> fromUtf8(std::string_view text, char32_t* unencodable = nullptr);

// Unicode to CP932 for showing, not storing: a character without a CP932
// form becomes "?" (a file name in a message, for one).
std::string fromUtf8ForDisplay(std::string_view text);

// For the program's own texts, which are all CP932 characters.
std::string literal(std::string_view utf8);

}  // namespace kelmora::cp932
