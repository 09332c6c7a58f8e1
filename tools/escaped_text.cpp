#include "escaped_text.h"

#include <cstdio>

namespace kelmora::tool {

std::string escapedText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        switch (byte) {
            case '"': out += "\\\""; continue;
            case '\\': out += "\\\\"; continue;
            case '\r': out += "\\r"; continue;
            case '\n': out += "\\n"; continue;
            case '\t': out += "\\t"; continue;
            default: break;
        }
        // C1 controls U+0080..U+009F are C2 80..C2 9F in UTF-8.
        const bool c1 = byte == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) < 0xA0;
        if (byte < 0x20 || byte == 0x7F || c1) {
            const unsigned code = c1 ? static_cast<unsigned char>(utf8[++i]) : byte;
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", code);
            out += escaped;
        } else {
            out += utf8[i];
        }
    }
    return out;
}

}  // namespace kelmora::tool
