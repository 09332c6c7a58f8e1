#pragma once
// CP932 texts of the core as Qt strings, and back, at the window's edge.

#include <QString>
#include <optional>
#include <string>

namespace kelmora {

QString toQString(const std::string& cp932);
// Nothing when a character has no CP932 form; `unencodable` then holds it.
std::optional<std::string> toCp932(const QString& text, QString* unencodable = nullptr);
// For the program's own texts, which are all CP932 characters.
std::string cp932Of(const QString& text);
// For a message that quotes an outside text (a file name): a character
// CP932 has no form for shows as "?".
std::string cp932Shown(const QString& text);
// "U+00E9" for "é", "U+1F600" for "😀": how a refused character is named.
QString unicodeCodeOf(const QString& character);
// A caption of the program's own, written as UTF-8 in the source.
inline QString japanese(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace kelmora
