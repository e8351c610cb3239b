#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvella {

class MessageCatalogue;
class Prompter;
class Registry;

// The values `LangId` holds for other programs.
inline constexpr std::uint32_t kLangIdGerman = 1;
inline constexpr std::uint32_t kLangIdEnglish = 0;

// The name a program file's language entry goes by: its full path with symbolic links
// resolved, so every link to one program shares its entry and a copy elsewhere keeps its
// own. A path that cannot be resolved stands as it is.
std::string LanguageEntryName(const std::string& program_file);

// The language code recorded for the program file's next start; nullopt when there is none
// or the registry cannot be read.
std::optional<std::string> ReadLanguageEntry(const Registry& registry,
                                             const std::string& program_file);

// Records the language for the next start: the entry under the program file's name and
// `LangId` for other programs. Tells the user of a failure itself and returns nothing, so
// the caller goes on with the check marks and the restart question whatever happened.
void SetUiLanguage(Registry& registry, const std::string& program_file, std::string_view code,
                   std::uint32_t lang_id, const MessageCatalogue& catalogue, Prompter& prompter);

}  // namespace orvella
