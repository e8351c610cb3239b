#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "shell/prompter.h"

namespace orvella::testing {

struct ShownMessage {
    std::string text;
    std::string caption;
    MessageStyle style;
    bool operator==(const ShownMessage&) const = default;
};

// A user who answers from a script. Every message takes the next queued answer, OK boxes
// too, so a message the test did not expect fails it. A message with nothing queued, or
// an answer the box has no button for, fails the test; one queued answer left over at the
// end means an expected message never came, and fails it as well.
class ScriptedPrompter : public Prompter {
public:
    ScriptedPrompter() = default;
    ~ScriptedPrompter() override;
    ScriptedPrompter(const ScriptedPrompter&) = delete;
    ScriptedPrompter& operator=(const ScriptedPrompter&) = delete;

    void Queue(MessageResult answer) { answers_.push_back(answer); }
    void QueueYes() { Queue(MessageResult::Yes); }
    void QueueNo() { Queue(MessageResult::No); }
    void QueueOk() { Queue(MessageResult::Ok); }

    // Without an answer queued: No for questions, Ok otherwise, after the failure.
    MessageResult ShowMessage(const std::string& text, const std::string& caption,
                              MessageStyle style) override;

    const std::vector<ShownMessage>& shown() const { return shown_; }
    std::size_t pending() const { return answers_.size(); }

private:
    std::deque<MessageResult> answers_;
    std::vector<ShownMessage> shown_;
};

}  // namespace orvella::testing
