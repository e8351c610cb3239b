#pragma once

#include <string>
#include <string_view>

#include "shell/message_catalogue.h"
#include "shell/message_style.h"

namespace orvella {

// Everything the program asks of or tells the user goes through this, so the logic runs
// the same under a window, a terminal or a test.
class Prompter {
public:
    virtual ~Prompter();
    // Blocks until the user answers; Ok for styles without a choice.
    virtual MessageResult ShowMessage(const std::string& text, const std::string& caption,
                                      MessageStyle style) = 0;
};

// Shows the catalogue message `name` in the current language: its text with the first
// "%s" filled with `argument`, its caption and its style. A name the catalogue does not
// know, or one of a text that is never a box, still reaches the user (the name as an
// error, so the fault is seen and reported) and never counts as Yes.
MessageResult ShowCatalogueMessage(Prompter& prompter, const MessageCatalogue& catalogue,
                                   std::string_view name, std::string_view argument = {});

// Shows `text` (a failure's own message) in the general error box, captioned `_SError`.
void ShowErrorText(Prompter& prompter, const MessageCatalogue& catalogue, const std::string& text);

}  // namespace orvella
