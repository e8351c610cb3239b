#pragma once

#include <cstdio>
#include <string>

#include "shell/prompter.h"

namespace orvella::bench {

// A bench has nobody to answer a message box: the message goes to stderr and counts as OK.
class PrintingPrompter : public Prompter {
public:
    MessageResult ShowMessage(const std::string& text, const std::string&, MessageStyle) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
        return MessageResult::Ok;
    }
};

}  // namespace orvella::bench
