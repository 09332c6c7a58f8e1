#include "settei/settings_keys.h"

#include "main/cp932.h"
#include "settei/settings_text.h"

namespace kelmora {
namespace {

namespace text = settings_text;
using List = const SettingKey*;

template <std::size_t A, std::size_t B>
constexpr std::array<List, A + B> joined(const std::array<List, A>& a, const std::array<List, B>& b) {
    std::array<List, A + B> out{};
    for (std::size_t i = 0; i < A; ++i) out[i] = a[i];
    for (std::size_t i = 0; i < B; ++i) out[A + i] = b[i];
    return out;
}

template <std::size_t N>
constexpr std::array<List, N - 1> without(const std::array<List, N>& keys, List dropped) {
    std::array<List, N - 1> out{};
    std::size_t n = 0;
    for (List k : keys)
        if (k != dropped) out[n++] = k;
    return out;
}

constexpr auto kLoadOrder = std::to_array<List>({
    &key::form_toolbar, &key::form_focus, &key::form_top, &key::form_left, &key::form_jouchuu, &key::form_mon_start,

    &key::nen_fontsize, &key::nen_fontname, &key::nen_fontcolor, &key::nen_stylebold, &key::nen_styleitalic,
    &key::nen_styleuline, &key::nen_stylesout, &key::nen_yohakucolor,

    &key::youbi_bkcolor1, &key::youbi_bkcolor2, &key::youbi_fontsize, &key::youbi_fontname, &key::youbi_fontcolor1,
    &key::youbi_fontcolor2, &key::youbi_stylebold, &key::youbi_styleitalic, &key::youbi_styleuline,
    &key::youbi_stylesout, &key::youbi_textpos,

    &key::day_bkrinsetu, &key::day_bkcolor1, &key::day_bkcolor2, &key::day_fontsize, &key::day_fontname,
    &key::day_fontcolor1, &key::day_fontcolor2, &key::day_stylebold, &key::day_styleitalic, &key::day_styleuline,
    &key::day_stylesout, &key::day_textpos, &key::day_holiname, &key::day_rokuyo, &key::day_sekki,

    &key::memo_width, &key::memo_height, &key::memo_bkrinsetu, &key::memo_bkcolor1, &key::memo_bkcolor2,
    &key::memo_fontsize, &key::memo_fontname, &key::memo_fontrinsetucolor, &key::memo_fontcolor1,
    &key::memo_fontcolor2, &key::memo_stylebold, &key::memo_styleitalic, &key::memo_styleuline, &key::memo_stylesout,

    &key::today_flag, &key::today_color,

    &key::weekholi_0, &key::weekholi_1, &key::weekholi_2, &key::weekholi_3, &key::weekholi_4, &key::weekholi_5,
    &key::weekholi_6,

    &key::delfile_flag, &key::delfile_month, &key::delfile_warning,

    &key::today_yjcolor,

    &key::print_top, &key::print_left, &key::print_right,
});

// The look and the rules, as the dialog and the conversion both write them:
// a font's style keys come before its colours, and the arrow colour goes
// with the today mark.
constexpr auto kLookAndRules = std::to_array<List>({
    &key::nen_fontsize, &key::nen_fontname, &key::nen_stylebold, &key::nen_styleitalic, &key::nen_styleuline,
    &key::nen_stylesout, &key::nen_fontcolor, &key::nen_yohakucolor,

    &key::youbi_bkcolor1, &key::youbi_bkcolor2, &key::youbi_fontsize, &key::youbi_fontname, &key::youbi_stylebold,
    &key::youbi_styleitalic, &key::youbi_styleuline, &key::youbi_stylesout, &key::youbi_fontcolor1,
    &key::youbi_fontcolor2, &key::youbi_textpos,

    &key::day_bkrinsetu, &key::day_bkcolor1, &key::day_bkcolor2, &key::day_fontsize, &key::day_fontname,
    &key::day_stylebold, &key::day_styleitalic, &key::day_styleuline, &key::day_stylesout, &key::day_fontcolor1,
    &key::day_fontcolor2, &key::day_textpos, &key::day_holiname,

    &key::memo_width, &key::memo_height, &key::memo_bkrinsetu, &key::memo_bkcolor1, &key::memo_bkcolor2,
    &key::memo_fontsize, &key::memo_fontname, &key::memo_stylebold, &key::memo_styleitalic, &key::memo_styleuline,
    &key::memo_stylesout, &key::memo_fontcolor1, &key::memo_fontcolor2, &key::memo_fontrinsetucolor,

    &key::today_flag, &key::today_color, &key::today_yjcolor,

    &key::weekholi_0, &key::weekholi_1, &key::weekholi_2, &key::weekholi_3, &key::weekholi_4, &key::weekholi_5,
    &key::weekholi_6,

    &key::delfile_flag, &key::delfile_month,
});

// The dialog also stores tray residence, the week start and the holiday
// names; the conversion the window's place, the toolbar and the focus frame.
constexpr auto kDialogOrder = joined(std::array<List, 2>{&key::form_jouchuu, &key::form_mon_start}, kLookAndRules);
// Built at start: comparing the addresses of two keys is no constant
// expression where the sanitizers instrument pointers.
const auto kMigrationOrder =
    joined(std::array<List, 4>{&key::form_top, &key::form_left, &key::form_toolbar, &key::form_focus},
           without(kLookAndRules, &key::day_holiname));

template <class... Kinds>
struct Overloaded : Kinds... {
    using Kinds::operator()...;
};
// Spelled out for compilers that do not yet deduce an aggregate's arguments.
template <class... Kinds>
Overloaded(Kinds...) -> Overloaded<Kinds...>;

}  // namespace

SettingKeyList settingsLoadOrder() { return kLoadOrder; }
SettingKeyList dialogWriteOrder() { return kDialogOrder; }
SettingKeyList migrationWriteOrder() { return kMigrationOrder; }

Settings defaultSettings() {
    Settings s;
    for (const SettingKey* k : kLoadOrder) {
        const bool isString = std::holds_alternative<std::string*>(k->field(s));
        setSettingFromText(*k, s, isString ? cp932::literal(k->defaultText) : std::string(k->defaultText));
    }
    return s;
}

// Reading only: the accessor wants a mutable record to hand out pointers.
std::string settingText(const SettingKey& k, const Settings& settings) {
    return std::visit(Overloaded{
                          [](std::int32_t* v) { return text::formatInteger(*v); },
                          [](bool* v) { return text::formatBoolean(*v); },
                          [](std::string* v) { return *v; },
                          [](Colour* v) { return text::formatColour(*v); },
                          [](std::uint16_t* v) { return text::formatInteger(*v); },
                          [](StyleFlag f) { return text::formatBoolean((*f.style & f.flag) != 0); },
                      },
                      k.field(const_cast<Settings&>(settings)));
}

bool setSettingFromText(const SettingKey& k, Settings& settings, std::string_view value) {
    auto take = [](auto parsed, auto& field) {
        if (!parsed) return false;
        field = static_cast<std::remove_reference_t<decltype(field)>>(*parsed);
        return true;
    };
    return std::visit(Overloaded{
                          [&](std::int32_t* v) { return take(text::parseInteger(value), *v); },
                          [&](bool* v) { return take(text::parseBoolean(value), *v); },
                          [&](std::string* v) {
                              *v = std::string(value);
                              return true;
                          },
                          [&](Colour* v) { return take(text::parseColour(value), *v); },
                          // Kept in 16 bits: the integer's low half.
                          [&](std::uint16_t* v) { return take(text::parseInteger(value), *v); },
                          [&](StyleFlag f) {
                              const std::optional<bool> on = text::parseBoolean(value);
                              if (!on) return false;
                              *f.style = static_cast<std::uint8_t>(*on ? (*f.style | f.flag) : (*f.style & ~f.flag));
                              return true;
                          },
                      },
                      k.field(settings));
}

}  // namespace kelmora
