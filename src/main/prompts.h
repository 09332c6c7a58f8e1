#pragma once
// The user's answers reach the core through this: the window shows a message
// box, the tests answer by script.

#include <string>

namespace kelmora {

enum class MessageIcon { Information, Warning, Error, Question };
enum class Buttons { Ok, OkCancel, YesNo, AbortRetry, AbortRetryIgnore };
enum class Answer { Ok, Cancel, Yes, No, Abort, Retry, Ignore };

class Prompts {
public:
    virtual ~Prompts() = default;
    // Shows `text` (CP932; "\r\n" breaks a line) and waits for the answer.
    virtual Answer ask(MessageIcon icon, Buttons buttons, const std::string& text) = 0;
    void inform(const std::string& text) { ask(MessageIcon::Information, Buttons::Ok, text); }
};

}  // namespace kelmora
