#include "settings/language_entry.h"

#include <filesystem>
#include <system_error>

#include "platform/registry/registry.h"
#include "settings/settings_places.h"
#include "shell/message_catalogue.h"
#include "shell/prompter.h"

namespace orvella {
namespace {

// Where the runtime of the program's Windows build looked for the language of a program
// file; kept so a hive carried over keeps its choice.
constexpr std::string_view kLocalesKey = "Software\\Borland\\Locales";
constexpr std::string_view kLangIdValue = "LangId";

// Writes the entry and `LangId`. A Locales key that does not open is told at once and the
// rest still runs; a failed write ends the recording with its error.
Status RecordLanguage(Registry& registry, const std::string& program_file, std::string_view code,
                      std::uint32_t lang_id, const MessageCatalogue& catalogue,
                      Prompter& prompter) {
    if (std::optional<RegistryKey> locales = RegistryKey::Open(registry, RegistryRoot::CurrentUser,
                                                               std::string(kLocalesKey), true)) {
        if (Status written = locales->WriteString(LanguageEntryName(program_file), code); !written)
            return written;
    } else {
        ShowCatalogueMessage(prompter, catalogue, kMsgSetLocalError1);
    }
    if (std::optional<RegistryKey> settings =
            RegistryKey::Open(registry, RegistryRoot::CurrentUser, std::string(kSettingsKey), true))
        return settings->WriteDword(kLangIdValue, lang_id);
    return Status::Ok();
}

}  // namespace

std::string LanguageEntryName(const std::string& program_file) {
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::canonical(program_file, error);
    return error ? program_file : resolved.string();
}

std::optional<std::string> ReadLanguageEntry(const Registry& registry,
                                             const std::string& program_file) {
    const Result<std::optional<RegistryValue>> value =
        registry.ReadValue(RegistryRoot::CurrentUser, kLocalesKey, LanguageEntryName(program_file));
    if (!value.ok() || !value->has_value() ||
        (*value)->type != static_cast<std::uint32_t>(RegistryType::String))
        return std::nullopt;
    return (*value)->text;
}

void SetUiLanguage(Registry& registry, const std::string& program_file, std::string_view code,
                   std::uint32_t lang_id, const MessageCatalogue& catalogue, Prompter& prompter) {
    const Status recorded =
        RecordLanguage(registry, program_file, code, lang_id, catalogue, prompter);
    if (!recorded.ok())
        prompter.ShowMessage(catalogue.Text(kMsgSetLocalError2) + " " + recorded.message(),
                             catalogue.Caption(kMsgSetLocalError2), MessageStyle::Error);
}

}  // namespace orvella
