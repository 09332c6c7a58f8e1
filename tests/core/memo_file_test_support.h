#pragma once
// Shared by the memo file tests: answers to the program's questions given by
// script (and the temporary program folder).

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "main/prompts.h"
#include "temp_folder.h"

namespace kelmora::testing {

struct Question {
    MessageIcon icon;
    Buttons buttons;
    std::string text;  // CP932
};

// Answers questions in order from a script; a question beyond the script
// fails the test. `beforeAnswer` lets a test change the world meanwhile.
class ScriptedPrompts : public Prompts {
public:
    explicit ScriptedPrompts(std::vector<Answer> script = {}) : script_(script.begin(), script.end()) {}

    Answer ask(MessageIcon icon, Buttons buttons, const std::string& text) override {
        asked.push_back({icon, buttons, text});
        if (beforeAnswer) beforeAnswer();
        if (buttons == Buttons::Ok) return Answer::Ok;
        if (script_.empty()) {
            ADD_FAILURE() << "unexpected question";
            return Answer::Cancel;
        }
        Answer answer = script_.front();
        script_.pop_front();
        return answer;
    }

    void then(Answer answer) { script_.push_back(answer); }
    bool scriptUsedUp() const { return script_.empty(); }

    std::vector<Question> asked;
    std::function<void()> beforeAnswer;

private:
    std::deque<Answer> script_;
};

}  // namespace kelmora::testing
