#include "settings/language_lookup.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "platform/files/files.h"
#include "platform/system/environment.h"
#include "platform/text.h"

namespace orvella {
namespace {

struct CountryName {
    std::string_view country;
    std::string_view three;
};

// Windows' abbreviated language names of the English and German locales; the first entry
// is the language's own default, taken for a country Windows does not know.
constexpr CountryName kEnglish[] = {
    {"US", "ENU"}, {"GB", "ENG"}, {"AU", "ENA"}, {"CA", "ENC"}, {"NZ", "ENZ"},
    {"IE", "ENI"}, {"ZA", "ENS"}, {"JM", "ENJ"}, {"BZ", "ENL"}, {"TT", "ENT"},
    {"ZW", "ENW"}, {"PH", "ENP"}, {"IN", "ENN"}, {"MY", "ENM"}, {"SG", "ENE"},
};
constexpr CountryName kGerman[] = {
    {"DE", "DEU"}, {"CH", "DES"}, {"AT", "DEA"}, {"LU", "DEL"}, {"LI", "DEC"},
};

std::string Upper(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper;
}

bool IsLanguageCode(std::string_view code) {
    return code.size() >= 2 && code.size() <= 3 &&
           std::all_of(code.begin(), code.end(),
                       [](unsigned char c) { return std::isalpha(c) && c < 0x80; });
}

template <std::size_t N>
std::string ThreeLetters(const CountryName (&names)[N], std::string_view country) {
    for (const CountryName& name : names) {
        if (name.country == country)
            return std::string(name.three);
    }
    return std::string(names[0].three);
}

// The file in `folder` named `name` without regard to case; empty when there is none.
std::string FindFileIgnoringCase(const std::string& folder, const std::string& name) {
    if (FileExists(folder + name))
        return folder + name;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string found = entry.path().filename().string();
        if (EqualsIgnoreCase(found, name) && entry.is_regular_file(error))
            return folder + found;
    }
    return {};
}

}  // namespace

std::string MessagesLocale(const Environment& environment) {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (std::optional<std::string> locale = environment.Get(variable))
            return *locale;
    }
    return {};
}

WindowsLanguageNames ToWindowsLanguageNames(std::string_view posix_locale) {
    const std::string_view name = posix_locale.substr(0, posix_locale.find_first_of(".@"));
    const std::size_t separator = name.find('_');
    const std::string language = Upper(name.substr(0, separator));
    const std::string country =
        separator == std::string_view::npos ? std::string() : Upper(name.substr(separator + 1));
    if (!IsLanguageCode(language))
        return {};
    if (language == "EN")
        return {ThreeLetters(kEnglish, country), language};
    if (language == "DE")
        return {ThreeLetters(kGerman, country), language};
    return {{}, language.substr(0, 2)};
}

std::vector<std::string> LanguageModuleFolders(const std::string& program_file) {
    const std::string folder = ParentFolder(program_file);
    return {folder, folder + "../share/orvella/"};
}

std::vector<std::string> LanguageModuleCandidates(const LanguageLookup& lookup) {
    std::vector<std::string> codes;
    if (lookup.entry && IsLanguageCode(*lookup.entry)) {
        if (StartsWithIgnoreCase(*lookup.entry, kBuiltInLanguage))
            return {};
        codes.push_back(*lookup.entry);
    }
    for (const std::string& code : {lookup.locale.three, lookup.locale.two}) {
        if (!code.empty())
            codes.push_back(code);
    }
    std::vector<std::string> candidates;
    for (const std::string& code : codes) {
        for (const std::string& folder : lookup.folders) {
            std::string path = FindFileIgnoringCase(folder, lookup.program_name + "." + code);
            if (!path.empty() &&
                std::find(candidates.begin(), candidates.end(), path) == candidates.end())
                candidates.push_back(std::move(path));
        }
    }
    return candidates;
}

}  // namespace orvella
