#include "shell/non_interactive_prompter.h"

namespace orvella {
namespace {

// One message, one line: a reader of the log can grep for it and count messages by lines.
std::string OnOneLine(std::string_view text) {
    std::string line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            line += ' ';
        } else {
            line += c;
        }
    }
    return line;
}

}  // namespace

NonInteractivePrompter::NonInteractivePrompter(MessageResult answer, std::ostream& out)
    : answer_(answer == MessageResult::Yes ? MessageResult::Yes : MessageResult::No), out_(out) {}

MessageResult NonInteractivePrompter::ShowMessage(const std::string& text,
                                                  const std::string& caption, MessageStyle style) {
    out_ << "orvella: [" << static_cast<int>(style) << "] ";
    if (!caption.empty())
        out_ << OnOneLine(caption) << ": ";
    out_ << OnOneLine(text) << std::endl;
    return IsYesNoStyle(style) ? answer_ : MessageResult::Ok;
}

std::unique_ptr<Prompter> MakeNonInteractivePrompter(std::string_view env_value,
                                                     std::ostream& out) {
    if (env_value == "yes")
        return std::make_unique<NonInteractivePrompter>(MessageResult::Yes, out);
    if (env_value == "no")
        return std::make_unique<NonInteractivePrompter>(MessageResult::No, out);
    return nullptr;
}

}  // namespace orvella
