#pragma once
// The text rules of an iCalendar file: how a value is escaped and how a long
// line is folded. Everything here is UTF-8.

#include <string>
#include <string_view>

namespace kelmora::ical {

// The most octets a line may hold, its CR LF not counted.
constexpr std::size_t kMaxLineOctets = 75;

// A TEXT value: backslash, semicolon and comma get a backslash, a line break
// (CR LF, a lone CR or a lone LF) becomes "\n", and the other control
// characters, which a TEXT value cannot hold, are dropped.
std::string escapeText(std::string_view utf8);

// One content line as it goes into the file: cut into pieces of at most
// kMaxLineOctets octets (a continuation starts with a space, which counts),
// never inside a multi-byte character, each piece ending in CR LF.
std::string foldLine(std::string_view line);

}  // namespace kelmora::ical
