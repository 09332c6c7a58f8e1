#pragma once
// Text printed on one line whatever it holds.

#include <string>
#include <string_view>

namespace kelmora::tool {

// UTF-8 text with JSON's string escapes: \" \\ \r \n \t, and \u00XX for the
// other control characters (C0, DEL and C1), so a value never breaks a line
// of the output nor sends a control code to the terminal.
std::string escapedText(std::string_view utf8);

}  // namespace kelmora::tool
