#include "export/icalendar_text.h"

namespace kelmora::ical {
namespace {

bool isContinuationByte(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

std::string escapeText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size() + utf8.size() / 8);
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char ch = utf8[i];
        switch (ch) {
            case '\\': out += "\\\\"; break;
            case ';': out += "\\;"; break;
            case ',': out += "\\,"; break;
            case '\r':
                if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
                out += "\\n";
                break;
            case '\n': out += "\\n"; break;
            case '\t': out += ch; break;
            default:
                if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F) break;
                out += ch;
        }
    }
    return out;
}

std::string foldLine(std::string_view line) {
    std::string out;
    out.reserve(line.size() + line.size() / 32 * 3 + 2);
    std::size_t pos = 0;
    std::size_t room = kMaxLineOctets;
    for (;;) {
        if (line.size() - pos <= room) {
            out.append(line.substr(pos));
            out += "\r\n";
            return out;
        }
        // Cut before the first byte of the character that would be split.
        std::size_t cut = pos + room;
        while (cut > pos && isContinuationByte(static_cast<unsigned char>(line[cut]))) --cut;
        if (cut == pos) cut = pos + room;  // not UTF-8 at all: cut where the room ends
        out.append(line.substr(pos, cut - pos));
        out += "\r\n ";
        pos = cut;
        room = kMaxLineOctets - 1;
    }
}

}  // namespace kelmora::ical
