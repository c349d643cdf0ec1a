// Prompts for tests: records every box asked for and answers questions from a script (No
// once the script runs out). Safe to use from the thread that asks and the test's thread.
#pragma once

#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "platform/Prompts.h"

namespace tarnwick::testing {

class ScriptedPrompts final : public platform::Prompts {
  public:
    struct Shown {
        std::string text;
        std::string caption;
        bool question = false;
    };

    explicit ScriptedPrompts(std::deque<platform::PromptAnswer> answers = {})
        : answers_(std::move(answers)) {}

    platform::PromptAnswer Question(const std::string& text, const std::string& caption) override {
        std::lock_guard lock(mutex_);
        shown_.push_back({text, caption, true});
        platform::PromptAnswer answer = platform::PromptAnswer::No;
        if (!answers_.empty()) {
            answer = answers_.front();
            answers_.pop_front();
        }
        return answer;
    }

    void Message(const std::string& text, const std::string& caption) override {
        std::lock_guard lock(mutex_);
        shown_.push_back({text, caption, false});
    }

    std::vector<Shown> ShownBoxes() const {
        std::lock_guard lock(mutex_);
        return shown_;
    }

  private:
    mutable std::mutex mutex_;
    std::deque<platform::PromptAnswer> answers_;
    std::vector<Shown> shown_;
};

}  // namespace tarnwick::testing
