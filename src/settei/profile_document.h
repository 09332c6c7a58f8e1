#pragma once
// The text of a sectioned key=value file, held in memory: read once, looked
// up and changed key by key, and written out whole. Every line the program
// does not set (other sections, other keys, comments, blank and odd lines)
// comes out as it went in; lines end in CR LF when written.
//
// Rules: section and key names are matched without regard to ASCII case
// (the second byte of a double-byte character exactly) and without the
// spaces round them. The first section of a name counts; a later copy of it
// is not looked at. Within a section the first line of a key counts. Lines
// before the first section belong to none.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kelmora {

class ProfileDocument {
public:
    // The longest value a read returns, in bytes; a longer one is cut there,
    // never inside a double-byte character.
    static constexpr std::size_t kMaxValueBytes = 1023;

    ProfileDocument() = default;
    // The file's bytes; lines may end in CR LF, LF or CR.
    explicit ProfileDocument(std::string_view bytes);

    // The value of `key` in `section`, spaces round it dropped; nothing when
    // the section or the key is missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Replaces the key's line, in the caller's spelling, or adds the key
    // after the section's last non-blank line; a missing section is added at
    // the end. A value is cut at its first line break: it cannot make keys.
    void set(std::string_view section, std::string_view key, std::string_view value);

    // The whole text, every line ended by CR LF.
    std::string bytes() const;

private:
    struct Section {
        std::vector<std::string> lines;  // the header line first, except for the lines before any section
        std::size_t lastNonBlank = 0;    // where a new key goes after
        std::unordered_map<std::string, std::size_t> keys;  // folded name -> its first line
    };
    void addLine(std::string line);
    Section& newSection(std::string header, std::string_view name);

    std::vector<Section> sections_{Section{}};                   // [0]: the lines before the first section
    std::unordered_map<std::string, std::size_t> sectionIndex_;  // folded name -> first section of it
};

// Both names alike when compared without regard to ASCII case; the second
// byte of a double-byte character is compared exactly.
bool profileNamesEqual(std::string_view a, std::string_view b);

// A name in the form in which alike names are equal (see profileNamesEqual).
std::string foldedProfileName(std::string_view name);

// A value that begins and ends with the same quote, double or single, reads
// as what lies between them ("ＭＳ 明朝" in double quotes is ＭＳ 明朝), as the
// platform's profile functions read it; any other value as it is. Writing
// adds no quotes.
std::string_view unquotedValue(std::string_view value);

}  // namespace kelmora
