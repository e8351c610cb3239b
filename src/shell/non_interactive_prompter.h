#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "shell/prompter.h"

namespace orvella {

// For runs without a user (scripts, CI): every message becomes one line on the stream,
// "orvella: [<style>] <caption>: <text>", and every question gets the same answer.
class NonInteractivePrompter : public Prompter {
public:
    // `answer` is Yes or No; anything else counts as No, so a mistake never consents.
    NonInteractivePrompter(MessageResult answer, std::ostream& out);

    MessageResult ShowMessage(const std::string& text, const std::string& caption,
                              MessageStyle style) override;

private:
    MessageResult answer_;
    std::ostream& out_;
};

// The prompter ORVELLA_NONINTERACTIVE asks for: "yes" or "no" give one that answers so;
// any other value, the empty one included, gives nullptr (the program then asks the user).
std::unique_ptr<Prompter> MakeNonInteractivePrompter(std::string_view env_value, std::ostream& out);

}  // namespace orvella
