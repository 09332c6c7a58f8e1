#pragma once
// Shared by the memo file tests: a temporary program folder and answers to
// the program's questions given by script.

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

namespace kelmora::testing {

// A fresh folder under the system's temporary directory, removed afterwards.
class TempDir {
public:
    TempDir() {
        std::random_device seed;
        path_ = std::filesystem::temp_directory_path() / ("kelmora-test-" + std::to_string(seed()) + "-" +
                                                          std::to_string(seed()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder with its trailing separator, as the program passes it.
    std::string dir() const { return path_.string() + "/"; }
    std::string file(const std::string& name) const { return dir() + name; }

    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(file(name), std::ios::binary) << bytes;
    }
    std::string read(const std::string& name) const {
        std::ifstream in(file(name), std::ios::binary);
        std::stringstream all;
        all << in.rdbuf();
        return all.str();
    }
    bool has(const std::string& name) const { return std::filesystem::exists(file(name)); }

private:
    std::filesystem::path path_;
};

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
