#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvella {

class Environment;

// The language built into the program; an entry with this code needs no module.
inline constexpr std::string_view kBuiltInLanguage = "de";

// A user locale's language as Windows abbreviates it: "ENU" and "EN" for en_US.
struct WindowsLanguageNames {
    std::string three;  // empty when the locale names no language
    std::string two;

    bool operator==(const WindowsLanguageNames&) const = default;
};

// The locale that decides the language of messages: LC_ALL, else LC_MESSAGES, else LANG.
std::string MessagesLocale(const Environment& environment);

// The abbreviations Windows gives a POSIX locale ("de_AT.UTF-8" -> "DEA", "DE"). English and
// German get their country's name; any other language gets only its two letters, and "C"
// or "POSIX" get none.
WindowsLanguageNames ToWindowsLanguageNames(std::string_view posix_locale);

// Where the program looks for its language modules: beside the program file, and in the
// shared folder of an installed copy.
std::vector<std::string> LanguageModuleFolders(const std::string& program_file);

struct LanguageLookup {
    std::vector<std::string> folders;
    std::string program_name;          // the program file's name, such as "orvella"
    std::optional<std::string> entry;  // the code of the language entry
    WindowsLanguageNames locale;
};

// The module files to try, best first, each once: the entry's code, then the locale's three
// letters, then its two. A module is the program's name with the code as extension, the
// extension compared without regard to case. An entry naming the built-in language selects
// it outright (no file); an entry that is no language code counts as none. Empty: the
// built-in language.
std::vector<std::string> LanguageModuleCandidates(const LanguageLookup& lookup);

}  // namespace orvella
