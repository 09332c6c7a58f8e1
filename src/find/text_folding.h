#pragma once
// The form in which a memo and a searched text are compared, so that a
// search finds what a Japanese reader takes for the same word: Latin letters
// of either case, full-width and half-width forms (ＡＢＣ and ABC, １０：００
// and 10:00, the ideographic space and the space, ｶﾞ and ガ), hiragana and
// katakana (かいぎ and カイギ) all fold to one form.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelmora {

// One character in its folded form. Half-width katakana become full-width
// here without their voiced marks: FoldedText joins ｶ and ﾞ into ガ.
char16_t foldedChar(char32_t ch);

// A CP932 text decoded and folded, with where each folded character came
// from. Line breaks stay as they are. The buffers are kept between texts.
class FoldedText {
public:
    void assign(std::string_view cp932);

    std::u16string_view chars() const { return chars_; }
    // The byte offset in the CP932 text at which folded character `index`
    // begins; `index` = chars().size() gives the text's length.
    std::size_t sourceOffset(std::size_t index) const { return offsets_[index]; }

private:
    std::u16string chars_;
    std::vector<std::uint32_t> offsets_;
};

// The folded characters of a CP932 text.
std::u16string foldedText(std::string_view cp932);

}  // namespace kelmora
