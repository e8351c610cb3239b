#pragma once

#include <optional>

namespace orvella {

// The style number of a message box: icon plus buttons, with the values the catalogue and
// the language modules were written with, so a number read from a table maps one to one.
enum class MessageStyle : int {
    Error = 16,             // error icon, OK
    YesNoQuestion = 36,     // question icon, Yes and No
    Warning = 48,           // warning icon, OK
    Information = 64,       // information icon, OK
    YesNoInformation = 68,  // information icon, Yes and No
};

// The button the user pressed.
enum class MessageResult : int { Ok = 1, Yes = 6, No = 7 };

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { Error, Question, Warning, Information };

// nullopt for every number that is not one of the five styles (0 marks a text that is
// never shown in a box).
std::optional<MessageStyle> MessageStyleFromCode(int code);

bool IsYesNoStyle(MessageStyle style);
MessageButtons ButtonsOf(MessageStyle style);
MessageIcon IconOf(MessageStyle style);

// A question goes on only on an explicit Yes: No, and an Ok that can only come from a box
// without a choice, both stop.
bool GoesOn(MessageResult result);

}  // namespace orvella
