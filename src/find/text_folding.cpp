#include "find/text_folding.h"

#include <array>
#include <memory>

#include "main/cp932.h"

namespace kelmora {
namespace {

// A half-width katakana or punctuation mark, its full-width form, and the
// full-width forms with the voiced (ﾞ) and semi-voiced (ﾟ) mark after it
// (0: the mark does not join it).
struct HalfWidthForm {
    char16_t plain, voiced, semiVoiced;
};

constexpr char32_t kFirstHalfWidth = 0xFF61;
constexpr char32_t kHalfWidthVoicedMark = 0xFF9E;
constexpr char32_t kHalfWidthSemiVoicedMark = 0xFF9F;

// U+FF61 ｡ .. U+FF9F ﾟ in order.
constexpr std::array<HalfWidthForm, 63> kHalfWidthForms{{
    {u'。', 0, 0}, {u'「', 0, 0}, {u'」', 0, 0}, {u'、', 0, 0}, {u'・', 0, 0},            // ｡｢｣､･
    {u'ヲ', 0, 0}, {u'ァ', 0, 0}, {u'ィ', 0, 0}, {u'ゥ', 0, 0}, {u'ェ', 0, 0},             // ｦｧｨｩｪ
    {u'ォ', 0, 0}, {u'ャ', 0, 0}, {u'ュ', 0, 0}, {u'ョ', 0, 0}, {u'ッ', 0, 0},             // ｫｬｭｮｯ
    {u'ー', 0, 0}, {u'ア', 0, 0}, {u'イ', 0, 0}, {u'ウ', u'ヴ', 0}, {u'エ', 0, 0},         // ｰｱｲｳｴ
    {u'オ', 0, 0}, {u'カ', u'ガ', 0}, {u'キ', u'ギ', 0}, {u'ク', u'グ', 0}, {u'ケ', u'ゲ', 0},  // ｵｶｷｸｹ
    {u'コ', u'ゴ', 0}, {u'サ', u'ザ', 0}, {u'シ', u'ジ', 0}, {u'ス', u'ズ', 0}, {u'セ', u'ゼ', 0},  // ｺｻｼｽｾ
    {u'ソ', u'ゾ', 0}, {u'タ', u'ダ', 0}, {u'チ', u'ヂ', 0}, {u'ツ', u'ヅ', 0}, {u'テ', u'デ', 0},  // ｿﾀﾁﾂﾃ
    {u'ト', u'ド', 0}, {u'ナ', 0, 0}, {u'ニ', 0, 0}, {u'ヌ', 0, 0}, {u'ネ', 0, 0},         // ﾄﾅﾆﾇﾈ
    {u'ノ', 0, 0}, {u'ハ', u'バ', u'パ'}, {u'ヒ', u'ビ', u'ピ'}, {u'フ', u'ブ', u'プ'},     // ﾉﾊﾋﾌ
    {u'ヘ', u'ベ', u'ペ'}, {u'ホ', u'ボ', u'ポ'}, {u'マ', 0, 0}, {u'ミ', 0, 0},            // ﾍﾎﾏﾐ
    {u'ム', 0, 0}, {u'メ', 0, 0}, {u'モ', 0, 0}, {u'ヤ', 0, 0}, {u'ユ', 0, 0},             // ﾑﾒﾓﾔﾕ
    {u'ヨ', 0, 0}, {u'ラ', 0, 0}, {u'リ', 0, 0}, {u'ル', 0, 0}, {u'レ', 0, 0},             // ﾖﾗﾘﾙﾚ
    {u'ロ', 0, 0}, {u'ワ', 0, 0}, {u'ン', 0, 0}, {u'゛', 0, 0}, {u'゜', 0, 0},             // ﾛﾜﾝﾞﾟ
}};

bool isHalfWidthForm(char32_t ch) { return ch >= kFirstHalfWidth && ch < kFirstHalfWidth + kHalfWidthForms.size(); }

const HalfWidthForm& halfWidthForm(char32_t ch) { return kHalfWidthForms[ch - kFirstHalfWidth]; }

// The full-width form a voiced or semi-voiced mark makes of `ch`, or 0.
char16_t joinedWithMark(char32_t ch, char32_t mark) {
    if (!isHalfWidthForm(ch)) return 0;
    if (mark == kHalfWidthVoicedMark) return halfWidthForm(ch).voiced;
    if (mark == kHalfWidthSemiVoicedMark) return halfWidthForm(ch).semiVoiced;
    return 0;
}

}  // namespace

char16_t foldedChar(char32_t ch) {
    if (ch >= 0xFF01 && ch <= 0xFF5E) ch -= 0xFEE0;  // full-width ASCII
    else if (ch == 0x3000) ch = u' ';                // ideographic space
    else if (isHalfWidthForm(ch)) ch = halfWidthForm(ch).plain;
    if (ch >= u'A' && ch <= u'Z') return static_cast<char16_t>(ch + (u'a' - u'A'));
    // Hiragana ぁ..ゖ and the iteration marks ゝゞ sit 0x60 below their katakana.
    if ((ch >= 0x3041 && ch <= 0x3096) || ch == 0x309D || ch == 0x309E) return static_cast<char16_t>(ch + 0x60);
    return ch > 0xFFFF ? u'\uFFFD' : static_cast<char16_t>(ch);
}

namespace {

// The folded character of every CP932 code, single bytes at their byte value
// and pairs at lead << 8 | trail (leads are 0x81 and above, so the two never
// meet), taken from the decoder and foldedChar once: a memo is then folded
// with one look-up a character. A pair that is no character holds 0; the
// decoder reads its lead byte alone then.
class FoldTable {
public:
    FoldTable() : codes_(std::make_unique<std::array<char16_t, 0x10000>>()) {
        for (unsigned first = 0; first < 0x100; ++first) {
            const char one[1] = {static_cast<char>(first)};
            std::size_t pos = 0;
            (*codes_)[first] = foldedChar(cp932::decodeNext(std::string_view(one, 1), pos));
            lead_[first] = cp932::isLeadByte(static_cast<unsigned char>(first));
            if (!lead_[first]) continue;
            for (unsigned second = 0; second < 0x100; ++second) {
                const char two[2] = {static_cast<char>(first), static_cast<char>(second)};
                pos = 0;
                const char32_t ch = cp932::decodeNext(std::string_view(two, 2), pos);
                (*codes_)[first << 8 | second] = pos == 2 ? foldedChar(ch) : 0;
            }
        }
    }
    bool isLead(unsigned char byte) const { return lead_[byte]; }
    char16_t single(unsigned char byte) const { return (*codes_)[byte]; }
    char16_t pair(unsigned char lead, unsigned char trail) const { return (*codes_)[lead << 8 | trail]; }

private:
    std::unique_ptr<std::array<char16_t, 0x10000>> codes_;
    std::array<bool, 0x100> lead_{};
};

const FoldTable& foldTable() {
    static const FoldTable table;
    return table;
}

constexpr unsigned char kFirstHalfWidthByte = 0xA1;
constexpr unsigned char kLastHalfWidthByte = 0xDF;

}  // namespace

void FoldedText::assign(std::string_view cp932) {
    const FoldTable& table = foldTable();
    const std::size_t size = cp932.size();
    const auto* bytes = reinterpret_cast<const unsigned char*>(cp932.data());
    // At most one folded character a byte: write in place, trim at the end.
    chars_.resize(size);
    offsets_.resize(size + 1);
    char16_t* out = chars_.data();
    std::uint32_t* from = offsets_.data();
    std::size_t pos = 0;
    while (pos < size) {
        *from++ = static_cast<std::uint32_t>(pos);
        const unsigned char byte = bytes[pos];
        if (table.isLead(byte) && pos + 1 < size) {
            if (const char16_t folded = table.pair(byte, bytes[pos + 1])) {
                *out++ = folded;
                pos += 2;
                continue;
            }
        } else if (byte >= kFirstHalfWidthByte && byte <= kLastHalfWidthByte && pos + 1 < size) {
            // A half-width kana and the voiced mark after it are one character.
            std::size_t at = pos;
            const char32_t kana = cp932::decodeNext(cp932, at);
            std::size_t next = at;
            if (const char16_t joined = joinedWithMark(kana, cp932::decodeNext(cp932, next))) {
                *out++ = joined;
                pos = next;
                continue;
            }
        }
        *out++ = table.single(byte);
        ++pos;
    }
    *from++ = static_cast<std::uint32_t>(size);
    chars_.resize(static_cast<std::size_t>(out - chars_.data()));
    offsets_.resize(static_cast<std::size_t>(from - offsets_.data()));
}

std::u16string foldedText(std::string_view cp932) {
    FoldedText text;
    text.assign(cp932);
    return std::u16string(text.chars());
}

}  // namespace kelmora
