#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/registry/registry_file.h"
#include "platform/system/environment.h"
#include "settings/language_entry.h"
#include "settings/language_lookup.h"
#include "shell/message_catalogue.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace orvella {
namespace {

using testing::ScriptedPrompter;
using testing::ShownMessage;
using testing::TempDir;

TEST(LanguageLookupTest, LocalesMapToTheAbbreviationsWindowsGives) {
    struct Case {
        std::string locale;
        WindowsLanguageNames names;
    };
    const std::vector<Case> cases = {
        {"en_US.UTF-8", {"ENU", "EN"}},
        {"en_GB.ISO-8859-1", {"ENG", "EN"}},
        {"de_DE.UTF-8", {"DEU", "DE"}},
        {"de_AT", {"DEA", "DE"}},
        {"de_CH.UTF-8@euro", {"DES", "DE"}},
        {"en", {"ENU", "EN"}},
        {"en_DK.UTF-8", {"ENU", "EN"}},  // a country Windows has no English of: its default
        {"fr_FR.UTF-8", {"", "FR"}},
        {"C", {}},
        {"POSIX", {}},
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToWindowsLanguageNames(c.locale), c.names) << c.locale;

    MapEnvironment environment;
    environment.Set("LANG", "de_DE.UTF-8");
    EXPECT_EQ(MessagesLocale(environment), "de_DE.UTF-8");
    environment.Set("LC_MESSAGES", "en_GB.UTF-8");
    EXPECT_EQ(MessagesLocale(environment), "en_GB.UTF-8");
    environment.Set("LC_ALL", "en_US.UTF-8");
    EXPECT_EQ(MessagesLocale(environment), "en_US.UTF-8");
}

TEST(LanguageLookupTest, EntryThenThreeLettersThenTwoLettersEachFileOnce) {
    TempDir dir;
    std::filesystem::create_directories(dir.File("bin"));
    std::filesystem::create_directories(dir.File("share/orvella"));
    for (const char* name : {"bin/orvella.en", "bin/orvella.ENU", "bin/orvella.Fr", "bin/other.de",
                             "share/orvella/orvella.it"})
        dir.Write(name, "module");
    LanguageLookup lookup{LanguageModuleFolders(dir.File("bin/orvella")), "orvella", "fr",
                          ToWindowsLanguageNames("en_US.UTF-8")};
    const std::string bin = dir.File("bin/");
    EXPECT_EQ(
        LanguageModuleCandidates(lookup),
        (std::vector<std::string>{bin + "orvella.Fr", bin + "orvella.ENU", bin + "orvella.en"}));

    // The entry's own module stands once, in its place; a module of an installed copy is
    // found in the shared folder.
    lookup.entry = "EN";
    EXPECT_EQ(LanguageModuleCandidates(lookup),
              (std::vector<std::string>{bin + "orvella.en", bin + "orvella.ENU"}));
    lookup.entry = "it";
    EXPECT_EQ(LanguageModuleCandidates(lookup).front(), bin + "../share/orvella/orvella.it");

    // No module for the entry, or an entry that is no code: the locale decides.
    for (const char* entry : {"es", "../bin/orvella.en", "english", ""}) {
        lookup.entry = entry;
        EXPECT_EQ(LanguageModuleCandidates(lookup),
                  (std::vector<std::string>{bin + "orvella.ENU", bin + "orvella.en"}))
            << entry;
    }
    // German is built in: chosen, it needs no module and beats an English locale.
    lookup.entry = "de";
    EXPECT_TRUE(LanguageModuleCandidates(lookup).empty());
    lookup.entry.reset();
    lookup.locale = ToWindowsLanguageNames("de_DE.UTF-8");
    EXPECT_TRUE(LanguageModuleCandidates(lookup).empty());
}

// A hive that refuses the Locales key: to be created, or to take a value.
class LocalesRefusingRegistry : public RegistryFile {
public:
    LocalesRefusingRegistry(std::string path, bool refuse_key)
        : RegistryFile(std::move(path)), refuse_key_(refuse_key) {}
    Status CreateKey(RegistryRoot root, std::string_view path) override {
        if (refuse_key_ && IsLocales(path))
            return Status::Error("access denied");
        return RegistryFile::CreateKey(root, path);
    }
    Status WriteValues(RegistryRoot root, std::string_view path,
                       const std::vector<RegistryValue>& values) override {
        if (!refuse_key_ && IsLocales(path))
            return Status::Error("no space left on device");
        return RegistryFile::WriteValues(root, path, values);
    }

private:
    static bool IsLocales(std::string_view path) { return path.find("Locales") != path.npos; }
    bool refuse_key_;
};

std::optional<std::uint32_t> LangId(const Registry& registry) {
    const Result<std::optional<RegistryValue>> value = registry.ReadValue(
        RegistryRoot::CurrentUser, "Software\\Brenmark Software\\Orvella", "LangId");
    if (!value.ok() || !value->has_value())
        return std::nullopt;
    return (*value)->dword;
}

TEST(LanguageEntryTest, TheEntryIsKeyedByTheResolvedProgramFile) {
    TempDir dir;
    std::filesystem::create_directories(dir.File("one folder"));
    std::filesystem::create_directories(dir.File("copy"));
    dir.Write("one folder/orvella", "program");
    dir.Write("copy/orvella", "program");
    std::filesystem::create_symlink(dir.File("one folder/orvella"), dir.File("link"));
    RegistryFile registry(dir.File("registry.reg"));
    const MessageCatalogue catalogue;
    ScriptedPrompter prompter;

    SetUiLanguage(registry, dir.File("link"), "en", kLangIdEnglish, catalogue, prompter);
    EXPECT_EQ(ReadLanguageEntry(registry, dir.File("one folder/orvella")), "en");
    EXPECT_EQ(ReadLanguageEntry(registry, dir.File("link")), "en");
    EXPECT_EQ(ReadLanguageEntry(registry, dir.File("copy/orvella")), std::nullopt);
    EXPECT_EQ(LangId(registry), kLangIdEnglish);

    SetUiLanguage(registry, dir.File("copy/orvella"), "de", kLangIdGerman, catalogue, prompter);
    EXPECT_EQ(ReadLanguageEntry(registry, dir.File("copy/orvella")), "de");
    EXPECT_EQ(ReadLanguageEntry(registry, dir.File("link")), "en");
    EXPECT_EQ(LangId(registry), kLangIdGerman);
    EXPECT_TRUE(prompter.shown().empty());
}

TEST(LanguageEntryTest, AKeyThatDoesNotOpenIsToldAndLangIdStillWrittenAFailedWriteEndsIt) {
    TempDir dir;
    const MessageCatalogue catalogue;
    {
        LocalesRefusingRegistry registry(dir.File("refused.reg"), true);
        ScriptedPrompter prompter;
        prompter.QueueOk();
        SetUiLanguage(registry, dir.File("orvella"), "en", kLangIdEnglish, catalogue, prompter);
        EXPECT_EQ(prompter.shown(),
                  (std::vector<ShownMessage>{
                      {"Registry konnte nicht geöffnet werden. Sprache nicht geändert.",
                       "Registry Fehler", MessageStyle::Error}}));
        EXPECT_EQ(LangId(registry), kLangIdEnglish);
        EXPECT_EQ(ReadLanguageEntry(registry, dir.File("orvella")), std::nullopt);
    }
    LocalesRefusingRegistry registry(dir.File("full.reg"), false);
    ScriptedPrompter prompter;
    prompter.QueueOk();
    SetUiLanguage(registry, dir.File("orvella"), "en", kLangIdEnglish, catalogue, prompter);
    EXPECT_EQ(prompter.shown(),
              (std::vector<ShownMessage>{
                  {"Beim Ändern der Sprache ist eine Fehler aufgetreten. Die Fehlermeldung "
                   "lautet: no space left on device",
                   "Fehler beim Ändern der Sprache", MessageStyle::Error}}));
    EXPECT_EQ(LangId(registry), std::nullopt);
}

}  // namespace
}  // namespace orvella
