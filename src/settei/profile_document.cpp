#include "settei/profile_document.h"

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

std::string foldedProfileName(std::string_view name) {
    std::string folded(name);
    for (std::size_t i = 0; i < folded.size(); ++i) {
        const auto c = static_cast<unsigned char>(folded[i]);
        if (cp932::isLeadByte(c) && i + 1 < folded.size()) {
            ++i;  // the trail byte stays as it is
            continue;
        }
        folded[i] = static_cast<char>(asciiLower(c));
    }
    return folded;
}

ProfileDocument::ProfileDocument(std::string_view bytes) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        addLine(std::string(bytes.substr(start, i - start)));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) addLine(std::string(bytes.substr(start)));
}

ProfileDocument::Section& ProfileDocument::newSection(std::string header, std::string_view name) {
    Section& section = sections_.emplace_back();
    section.lines.push_back(std::move(header));
    sectionIndex_.try_emplace(foldedProfileName(name), sections_.size() - 1);
    return section;
}

void ProfileDocument::addLine(std::string line) {
    if (auto name = sectionOf(line)) {
        newSection(std::move(line), *name);
        return;
    }
    Section& section = sections_.back();
    section.lines.push_back(std::move(line));
    const std::size_t at = section.lines.size() - 1;
    const std::string_view text = section.lines.back();
    if (!trimmed(text).empty()) section.lastNonBlank = at;
    if (auto key = keyOf(text)) section.keys.try_emplace(foldedProfileName(key->name), at);
}

std::string_view unquotedValue(std::string_view value) {
    // A quote is ASCII below 0x40: never the second byte of a double-byte character.
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::optional<std::string> ProfileDocument::value(std::string_view sectionName, std::string_view key) const {
    const auto section = sectionIndex_.find(foldedProfileName(sectionName));
    if (section == sectionIndex_.end()) return std::nullopt;
    const Section& s = sections_[section->second];
    const auto line = s.keys.find(foldedProfileName(key));
    if (line == s.keys.end()) return std::nullopt;
    const std::string_view value = unquotedValue(keyOf(s.lines[line->second])->value);
    return std::string(value.substr(0, cp932::clippedLength(value, kMaxValueBytes)));
}

void ProfileDocument::set(std::string_view sectionName, std::string_view key, std::string_view value) {
    std::string keyLine = std::string(key) + "=" + std::string(singleLine(value));
    const auto found = sectionIndex_.find(foldedProfileName(sectionName));
    Section& section = found != sectionIndex_.end() ? sections_[found->second]
                                                    : newSection("[" + std::string(sectionName) + "]", sectionName);
    const std::string folded = foldedProfileName(key);
    if (const auto line = section.keys.find(folded); line != section.keys.end()) {
        section.lines[line->second] = std::move(keyLine);
        return;
    }
    // Only blank lines follow the last non-blank one, so no key's line moves.
    const std::size_t at = section.lastNonBlank + 1;
    section.lines.insert(section.lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(keyLine));
    section.lastNonBlank = at;
    section.keys.emplace(folded, at);
}

std::string ProfileDocument::bytes() const {
    std::size_t size = 0;
    for (const Section& s : sections_)
        for (const std::string& line : s.lines) size += line.size() + kLineEnd.size();
    std::string out;
    out.reserve(size);
    for (const Section& s : sections_)
        for (const std::string& line : s.lines) {
            out += line;
            out += kLineEnd;
        }
    return out;
}

}  // namespace kelmora
