#include "settei/profile_file.h"

#include <vector>

#include "main/cp932.h"

namespace kelmora {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string_view trimmed(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

unsigned char asciiLower(unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c; }

// The file's lines without their ends; a file may end its lines in CR LF
// (as this program writes them), LF or CR.
std::vector<std::string_view> splitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        lines.push_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) lines.push_back(bytes.substr(start));
    return lines;
}

// The section named by a header line "[name]", or nothing for another line.
std::optional<std::string_view> sectionOf(std::string_view line) {
    line = trimmed(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return trimmed(line.substr(1, close - 1));
}

bool isComment(std::string_view line) {
    line = trimmed(line);
    return !line.empty() && line.front() == ';';
}

// Name and value of a "name=value" line; nothing for a comment or a line
// without "=". The "=" is an ASCII byte that cannot be the second byte of a
// double-byte character, so the first one found ends the name.
struct KeyLine {
    std::string_view name, value;
};
std::optional<KeyLine> keyOf(std::string_view line) {
    if (isComment(line)) return std::nullopt;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return KeyLine{trimmed(line.substr(0, equals)), trimmed(line.substr(equals + 1))};
}

// Where a key lives among the lines: the section header's index (or none),
// the key line's index (or none), and the line after which a new key of the
// section goes (its last non-blank line).
struct Position {
    std::optional<std::size_t> header, keyLine;
    std::size_t lastOfSection = 0;
};
Position locate(const std::vector<std::string_view>& lines, std::string_view section, std::string_view key) {
    Position at;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (auto name = sectionOf(lines[i])) {
            if (at.header) break;  // the next section ends ours; later copies of it are not looked at
            if (profileNamesEqual(*name, section)) at.header = at.lastOfSection = i;
            continue;
        }
        if (!at.header) continue;
        if (!trimmed(lines[i]).empty()) at.lastOfSection = i;
        if (auto line = keyOf(lines[i]); line && !at.keyLine && profileNamesEqual(line->name, key)) at.keyLine = i;
    }
    return at;
}

// A value holds no line end: it would break the file into other keys.
std::string_view singleLine(std::string_view value) { return value.substr(0, value.find_first_of("\r\n")); }

}  // namespace

bool profileNamesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (cp932::isLeadByte(x) && i + 1 < a.size()) {
            if (x != y || a[i + 1] != b[i + 1]) return false;
            ++i;
            continue;
        }
        if (asciiLower(x) != asciiLower(y)) return false;
    }
    return true;
}

std::string_view unquotedValue(std::string_view value) {
    // A quote is ASCII below 0x40: never the second byte of a double-byte character.
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::optional<std::string> ProfileFile::read(std::string_view section, std::string_view key) const {
    const ReadResult file = files_.readFile(path_, kMaxFileBytes);
    if (file.status != ReadResult::Ok) return std::nullopt;
    const auto lines = splitLines(file.bytes);
    const Position at = locate(lines, section, key);
    if (!at.keyLine) return std::nullopt;
    const std::string_view value = unquotedValue(keyOf(lines[*at.keyLine])->value);
    return std::string(value.substr(0, cp932::clippedLength(value, kMaxValueBytes)));
}

bool ProfileFile::write(std::string_view section, std::string_view key, std::string_view value) {
    // An existing file that cannot be read is never overwritten: its other
    // keys would be lost.
    const ReadResult file = files_.readFile(path_, kMaxFileBytes);
    if (file.status != ReadResult::Ok && files_.exists(path_)) return false;
    const auto lines = splitLines(file.bytes);
    const Position at = locate(lines, section, key);

    const std::string keyLine = std::string(key) + "=" + std::string(singleLine(value));
    std::string out;
    out.reserve(file.bytes.size() + keyLine.size() + section.size() + 8);
    auto put = [&](std::string_view line) {
        out += line;
        out += kLineEnd;
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (at.keyLine == i) {
            put(keyLine);
            continue;
        }
        put(lines[i]);
        if (at.header && !at.keyLine && i == at.lastOfSection) put(keyLine);
    }
    if (!at.header) {
        put("[" + std::string(section) + "]");
        put(keyLine);
    }
    return files_.replaceFile(path_, out) == WriteStatus::Ok;
}

}  // namespace kelmora
