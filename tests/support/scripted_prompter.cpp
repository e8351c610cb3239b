#include "support/scripted_prompter.h"

#include <gtest/gtest.h>

namespace orvella::testing {

ScriptedPrompter::~ScriptedPrompter() {
    if (!answers_.empty())
        ADD_FAILURE() << answers_.size() << " queued answer(s) never used: a message the "
                      << "test expected was not shown";
}

MessageResult ScriptedPrompter::ShowMessage(const std::string& text, const std::string& caption,
                                            MessageStyle style) {
    shown_.push_back({text, caption, style});
    const bool question = IsYesNoStyle(style);
    if (answers_.empty()) {
        ADD_FAILURE() << "no answer queued for message [" << static_cast<int>(style) << "] "
                      << caption << ": " << text;
        return question ? MessageResult::No : MessageResult::Ok;
    }
    const MessageResult answer = answers_.front();
    answers_.pop_front();
    const bool fits = question ? answer != MessageResult::Ok : answer == MessageResult::Ok;
    if (!fits) {
        ADD_FAILURE() << "queued answer " << static_cast<int>(answer)
                      << " has no button in message [" << static_cast<int>(style) << "] " << caption
                      << ": " << text;
        return question ? MessageResult::No : MessageResult::Ok;
    }
    return answer;
}

}  // namespace orvella::testing
