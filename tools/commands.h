#pragma once
// The subcommands of kelmora-tool. Each returns the process exit status:
// 0 done, 1 the data could not be read, 2 the command line was wrong.

#include <string>
#include <vector>

namespace kelmora::tool {

using Args = std::vector<std::string>;

int holidaysCommand(const Args& args);
int settingsCommand(const Args& args);
int monthCommand(const Args& args);
int icsCommand(const Args& args);

// Whole decimal number, nothing else; false when `text` is not one.
bool parseInt(const std::string& text, int& value);
// A usage or argument error: message on standard error, status 2.
int usageError(const std::string& message);

}  // namespace kelmora::tool
