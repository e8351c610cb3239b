#include "shell/message_catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

#include "support/temp_dir.h"

namespace orvella {
namespace {

TEST(MessageCatalogueTest, BuiltInTextsAreTheGermanOnesLetterForLetter) {
    struct Expected {
        std::string_view name;
        std::string_view text;
        int style;
    };
    const Expected expected[] = {
        {"_SCatAll", "Alle", 0},
        {"_SError", "Fehler", 16},
        {"_SFoundPics", "Neue gefundene Hintergründe:", 0},
        {"_SPicSize", "Dateigröße:", 0},
        {"_SKb", "KB", 0},
        {"_SMsgEnableAD",
         "Wenn Sie eine Hintergrundgrafik auswählen, die nicht im .bmp Format vorliegt, muß der "
         "Active Desktop aktiviert werden, damit die Grafik angezeigt wird. Soll der Active "
         "Desktop aktiviert werden?",
         36},
        {"_SMsgEnableADCaption", "Active Desktop aktivieren?", 0},
        {"_MsgDeleteKatConfirm", "Sind Sie sicher, daß Sie die Kategorie \"%s\" löschen möchten?",
         36},
        {"_MsgKatLimit", "Sie können nicht mehr als 30 Kategorien anlegen.", 64},
        {"_MsgKatLimitCaption", "Kategorie-Limit erreicht", 0},
        {"_MsgConfirmDeleteAll",
         "Sind Sie sicher, daß Sie alle Bilder aus der Kategorie entfernen möchten?", 36},
        {"_MsgNoPicInList", "In der gewählten Kategorie sind keine Bilder vorhanden.", 48},
        {"_MsgCopyInCatError",
         "Es wurde keine Kategorie ausgewählt oder die Ziel-Kategorie entspricht der "
         "Quell-Kategorie",
         64},
        {"_MsgCopyInCatErrorCaption", "Kopieren / Verschieben nicht möglich", 0},
        {"_MsgSetLocalError2",
         "Beim Ändern der Sprache ist eine Fehler aufgetreten. Die Fehlermeldung lautet:", 16},
        {"_MsgLanguageChanged",
         "Orvella muß neu gestartet werden, damit die Änderung aktiv wird. Jetzt neu starten?", 68},
        {"_MsgOpenWebsite", "Die angebene Internetseite konnte nicht geöffnet werden.", 16},
        {"_MsgOpenWebsiteCaption", "Internetseite öffnen", 0},
        {"_SMsgWriteError", "nach %s kann nicht geschrieben werden", 16},
        {"_SMsgInvalidInteger", "'%s' ist kein gültiger Integerwert", 16},
    };
    const MessageCatalogue catalogue;
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.name);
        const CatalogueEntry* entry = FindCatalogueEntry(e.name);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->text, e.text);
        EXPECT_EQ(entry->style, e.style);
        EXPECT_EQ(catalogue.Text(e.name), e.text);
    }
    // The same letters as bytes, so a source file saved in another encoding shows up
    // here rather than as mojibake on the screen.
    EXPECT_EQ(catalogue.Text("_SPicSize"),
              "Dateigr\xC3\xB6\xC3\x9F"
              "e:");
    EXPECT_EQ(catalogue.Text("_MsgSetLocalError2").substr(0, 11), "Beim \xC3\x84nder");
}

TEST(MessageCatalogueTest, NamesAreExactAndUnknownOnesGiveNothing) {
    const MessageCatalogue catalogue;
    EXPECT_TRUE(catalogue.Contains("_MsgKatLimit"));
    for (const std::string_view name : {"MsgKatLimit", "_msgkatlimit", "_MsgKatLimit ", "", "_"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(catalogue.Contains(name));
        EXPECT_EQ(FindCatalogueEntry(name), nullptr);
        EXPECT_EQ(catalogue.Text(name), "");
        EXPECT_EQ(catalogue.Style(name), std::nullopt);
    }
    EXPECT_EQ(catalogue.Style("_SCatAll"), std::nullopt);
    EXPECT_EQ(catalogue.Style("_MsgLanguageChanged"), MessageStyle::YesNoInformation);
}

TEST(MessageCatalogueTest, TableHasUniqueStableIdsAndEveryBoxItsCaption) {
    const auto entries = CatalogueEntries();
    ASSERT_EQ(entries.size(), 56u);
    std::set<std::string_view> names;
    std::set<std::string_view> captions_in_use;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const CatalogueEntry& entry = entries[i];
        SCOPED_TRACE(entry.name);
        EXPECT_TRUE(names.insert(entry.name).second) << "name twice";
        // Contiguous from 1000 in table order: an entry slipped in between would renumber
        // every text after it and break every module already written.
        EXPECT_EQ(entry.id, 1000 + static_cast<int>(i));
        EXPECT_EQ(entry.name.front(), '_');
        EXPECT_FALSE(entry.text.empty());
        if (entry.style == 0)
            continue;
        EXPECT_TRUE(MessageStyleFromCode(entry.style).has_value()) << entry.style;
        const std::string caption = CaptionName(entry.name);
        const CatalogueEntry* caption_entry = FindCatalogueEntry(caption);
        ASSERT_NE(caption_entry, nullptr) << "no caption " << caption;
        EXPECT_EQ(caption_entry->style, 0) << "a caption is not a box of its own";
        captions_in_use.insert(caption_entry->name);
    }
    for (const CatalogueEntry& entry : entries) {
        if (entry.name.ends_with("Caption")) {
            EXPECT_TRUE(captions_in_use.contains(entry.name)) << entry.name << " is never shown";
        }
    }
    // Pinned ids, first, middle and last, as modules in the field use them.
    EXPECT_EQ(FindCatalogueEntry("_SCatAll")->id, 1000);
    EXPECT_EQ(FindCatalogueEntry("_MsgKatLimit")->id, 1019);
    EXPECT_EQ(FindCatalogueEntry("_MsgConfirmDeleteAll")->id, 1027);
    EXPECT_EQ(FindCatalogueEntry("_MsgOpenWebsiteCaption")->id, 1053);
    EXPECT_EQ(FindCatalogueEntry("_SMsgInvalidInteger")->id, 1055);
}

TEST(MessageCatalogueTest, CaptionsFollowTheNameExceptForSharedOnes) {
    const MessageCatalogue catalogue;
    EXPECT_EQ(CaptionName("_MsgKatLimit"), "_MsgKatLimitCaption");
    EXPECT_EQ(CaptionName("_MsgConfirmDelete"), "_MsgConfirmDeleteCaption");
    EXPECT_EQ(CaptionName("_MsgConfirmDeleteAll"), "_MsgConfirmDeleteCaption");
    EXPECT_EQ(catalogue.Caption("_MsgConfirmDeleteAll"), "Entfernen bestätigen");
    EXPECT_EQ(catalogue.Caption("_SMsgEnableAD2"), "Active Desktop aktivieren?");
    for (const std::string_view name :
         {"_SError", "_MsgCopyFailure", "_SMsgWriteError", "_SMsgInvalidInteger"}) {
        EXPECT_EQ(catalogue.Caption(name), "Orvella Fehler") << name;
    }
    EXPECT_EQ(catalogue.Caption("_MsgDeleteKatConfirm"), "Kategorie wirklich löschen?");
}

TEST(MessageCatalogueTest, EveryNamedConstantIsInTheTable) {
    for (const std::string_view name : {kSCatAll,
                                        kSError,
                                        kSColumn,
                                        kSPicsInCat,
                                        kSFoundPics,
                                        kSPicDate,
                                        kSPicSize,
                                        kSKb,
                                        kSMsgEnableAD,
                                        kSMsgEnableAD2,
                                        kMsgImageNotFound,
                                        kMsgEnterKatName,
                                        kMsgEnterKatIcon,
                                        kMsgDeleteKatConfirm,
                                        kMsgKatLimit,
                                        kMsgAddFalse,
                                        kMsgDeleteFalse,
                                        kMsgConfirmDelete,
                                        kMsgConfirmDeleteAll,
                                        kMsgCopyFailure,
                                        kMsgCommonErrorCaption,
                                        kMsgNoPicInList,
                                        kMsgEditImageFailure,
                                        kMsgPrintImageFailure,
                                        kMsgMailImageFailure,
                                        kMsgScrNoKat,
                                        kMsgNoSearchPics,
                                        kMsgSavePicFailure,
                                        kMsgCopyInCatError,
                                        kMsgSetLocalError1,
                                        kMsgSetLocalError2,
                                        kMsgLanguageChanged,
                                        kMsgOpenWebsite,
                                        kSMsgWriteError,
                                        kSMsgInvalidInteger}) {
        EXPECT_NE(FindCatalogueEntry(name), nullptr) << name;
    }
}

TEST(FillPlaceholderTest, OnlyTheFirstPercentSIsFilledAndNothingIsReexpanded) {
    EXPECT_EQ(FillPlaceholder("a %s b %s", "X"), "a X b %s");
    EXPECT_EQ(FillPlaceholder("%s", ""), "");
    EXPECT_EQ(FillPlaceholder("%s am Anfang", "Text"), "Text am Anfang");
    EXPECT_EQ(FillPlaceholder("kein Platzhalter", "X"), "kein Platzhalter");
    EXPECT_EQ(FillPlaceholder("100% %d %%s", "X"), "100% %d %X");
    EXPECT_EQ(FillPlaceholder("ends with %", "X"), "ends with %");
    const MessageCatalogue catalogue;
    EXPECT_EQ(FillPlaceholder(catalogue.Text(kMsgDeleteKatConfirm), "50%s %d \"Ä\""),
              "Sind Sie sicher, daß Sie die Kategorie \"50%s %d \"Ä\"\" löschen möchten?");
}

// A module as translators write it: CR LF, comments, a quoted text, keys of other
// sections that must not leak into [Strings].
constexpr std::string_view kEnglish =
    "; Orvella language module\r\n"
    "[Info]\r\n"
    "1000=not a string\r\n"
    "[Strings]\r\n"
    "1000=All\r\n"
    "1017=\"Do you really want to delete the category \"%s\"?\"\r\n"
    "1018 =  Really delete category?  \r\n"
    "1019=You cannot create more than 30 categories.\r\n"
    "1020=Category limit reached\r\n"
    "1021=\r\n"
    "1022=\"\"\r\n";

TEST(LanguageModuleTest, ModuleTextsWinAndMissingOnesFallBackToGerman) {
    MessageCatalogue catalogue(LanguageModule::Parse(kEnglish));
    EXPECT_EQ(catalogue.Text(kSCatAll), "All");
    EXPECT_EQ(catalogue.Text(kMsgKatLimit), "You cannot create more than 30 categories.");
    EXPECT_EQ(catalogue.Caption(kMsgKatLimit), "Category limit reached");
    EXPECT_EQ(catalogue.Caption(kMsgDeleteKatConfirm), "Really delete category?");
    EXPECT_EQ(FillPlaceholder(catalogue.Text(kMsgDeleteKatConfirm), "Urlaub"),
              "Do you really want to delete the category \"Urlaub\"?");
    // Not in the module, and present but empty (bare or quoted): the German text.
    EXPECT_EQ(catalogue.Text(kMsgNoPicInList),
              "In der gewählten Kategorie sind keine Bilder vorhanden.");
    EXPECT_EQ(catalogue.Text(kMsgAddFalse).substr(0, 18), "Der ersten Kategor");
    EXPECT_EQ(catalogue.Caption(kMsgAddFalse), "Hinzufügen nicht möglich");
    // The module translates texts, never the kind of box.
    EXPECT_EQ(catalogue.Style(kMsgKatLimit), MessageStyle::Information);
    EXPECT_EQ(catalogue.Text("_Unknown"), "");
}

TEST(LanguageModuleTest, ReplacingTheModuleChangesTheVeryNextText) {
    MessageCatalogue catalogue;
    EXPECT_EQ(catalogue.module(), nullptr);
    EXPECT_EQ(catalogue.Text(kSCatAll), "Alle");
    catalogue.SetModule(LanguageModule::Parse(kEnglish));
    ASSERT_NE(catalogue.module(), nullptr);
    EXPECT_EQ(catalogue.Text(kSCatAll), "All");
    catalogue.SetModule(LanguageModule::Parse("[strings]\n1000=Tous\n"));
    EXPECT_EQ(catalogue.Text(kSCatAll), "Tous");
    EXPECT_EQ(catalogue.Text(kMsgKatLimit), "Sie können nicht mehr als 30 Kategorien anlegen.");
    catalogue.ClearModule();
    EXPECT_EQ(catalogue.Text(kSCatAll), "Alle");
}

TEST(LanguageModuleTest, ModulesInWindows1252OrWithByteOrderMarkReadAsUtf8) {
    const MessageCatalogue cp1252(LanguageModule::Parse("[Strings]\r\n1000=G\xE9n\xE9ral\r\n"));
    EXPECT_EQ(cp1252.Text(kSCatAll), "G\xC3\xA9n\xC3\xA9ral");
    const MessageCatalogue bom(
        LanguageModule::Parse("\xEF\xBB\xBF[Strings]\n1000=G\xC3\xA9n\xC3\xA9ral\n"));
    EXPECT_EQ(bom.Text(kSCatAll), "G\xC3\xA9n\xC3\xA9ral");
}

TEST(LanguageModuleTest, LoadReadsTheFileAndNamesThePathOnFailure) {
    const testing::TempDir dir;
    dir.Write("english.lng", std::string(kEnglish));
    const Result<LanguageModule> loaded = LanguageModule::Load(dir.File("english.lng"));
    ASSERT_TRUE(loaded.ok()) << loaded.message();
    EXPECT_EQ(loaded->Text(1019), "You cannot create more than 30 categories.");
    EXPECT_EQ(loaded->Text(1021), std::nullopt);
    EXPECT_EQ(loaded->Text(1001), std::nullopt);

    const Result<LanguageModule> missing = LanguageModule::Load(dir.File("missing.lng"));
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.message().find(dir.File("missing.lng")), std::string::npos)
        << missing.message();

    dir.Write("notes.txt", "[Info]\nName=English\n");
    const Result<LanguageModule> wrong = LanguageModule::Load(dir.File("notes.txt"));
    ASSERT_FALSE(wrong.ok());
    EXPECT_NE(wrong.message().find(dir.File("notes.txt")), std::string::npos) << wrong.message();

    const Result<LanguageModule> folder = LanguageModule::Load(dir.path());
    EXPECT_FALSE(folder.ok());
}

}  // namespace
}  // namespace orvella
