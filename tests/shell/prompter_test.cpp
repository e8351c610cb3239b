#include "shell/prompter.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "shell/message_catalogue.h"
#include "shell/non_interactive_prompter.h"
#include "support/scripted_prompter.h"

namespace orvella {
namespace {

using testing::ScriptedPrompter;
using testing::ShownMessage;

TEST(ShowCatalogueMessageTest, ShowsFilledTextCaptionAndStyleAndReturnsTheAnswer) {
    const MessageCatalogue catalogue;
    ScriptedPrompter prompter;
    prompter.QueueYes();
    prompter.QueueNo();
    prompter.QueueOk();
    EXPECT_EQ(ShowCatalogueMessage(prompter, catalogue, kMsgDeleteKatConfirm, "Urlaub %s"),
              MessageResult::Yes);
    EXPECT_EQ(ShowCatalogueMessage(prompter, catalogue, kMsgConfirmDeleteAll), MessageResult::No);
    EXPECT_EQ(
        ShowCatalogueMessage(prompter, catalogue, kSMsgWriteError, "/media/stick/orvella.ini"),
        MessageResult::Ok);
    const std::vector<ShownMessage> expected = {
        {"Sind Sie sicher, daß Sie die Kategorie \"Urlaub %s\" löschen möchten?",
         "Kategorie wirklich löschen?", MessageStyle::YesNoQuestion},
        {"Sind Sie sicher, daß Sie alle Bilder aus der Kategorie entfernen möchten?",
         "Entfernen bestätigen", MessageStyle::YesNoQuestion},
        {"nach /media/stick/orvella.ini kann nicht geschrieben werden", "Orvella Fehler",
         MessageStyle::Error},
    };
    EXPECT_EQ(prompter.shown(), expected);
}

TEST(ShowCatalogueMessageTest, TakesTheTextsOfTheCurrentModule) {
    MessageCatalogue catalogue(LanguageModule::Parse(
        "[Strings]\n1011=Image for category %s not found.\n1012=Image not found\n"));
    ScriptedPrompter prompter;
    prompter.QueueOk();
    prompter.QueueOk();
    ShowCatalogueMessage(prompter, catalogue, kMsgImageNotFound, "Natur");
    catalogue.ClearModule();
    ShowCatalogueMessage(prompter, catalogue, kMsgImageNotFound, "Natur");
    const std::vector<ShownMessage> expected = {
        {"Image for category Natur not found.", "Image not found", MessageStyle::Error},
        {"Die angegebene Grafikdatei für die Kategorie Natur konnte nicht gefunden werden.",
         "Bilddatei nicht gefunden", MessageStyle::Error},
    };
    EXPECT_EQ(prompter.shown(), expected);
}

TEST(ShowCatalogueMessageTest, ANameThatIsNoBoxIsReportedAndNeverConsents) {
    const MessageCatalogue catalogue;
    ScriptedPrompter prompter;
    prompter.QueueOk();
    prompter.QueueOk();
    EXPECT_EQ(ShowCatalogueMessage(prompter, catalogue, "_MsgNoSuchThing"), MessageResult::No);
    EXPECT_EQ(ShowCatalogueMessage(prompter, catalogue, kSCatAll), MessageResult::No);
    const std::vector<ShownMessage> expected = {
        {"_MsgNoSuchThing", "Orvella Fehler", MessageStyle::Error},
        {"_SCatAll", "Orvella Fehler", MessageStyle::Error},
    };
    EXPECT_EQ(prompter.shown(), expected);
}

TEST(NonInteractivePrompterTest, WritesOneLinePerMessageAndAnswersOnlyQuestions) {
    std::ostringstream out;
    NonInteractivePrompter yes(MessageResult::Yes, out);
    EXPECT_EQ(yes.ShowMessage("Sie können nicht mehr als 30 Kategorien anlegen.",
                              "Kategorie-Limit erreicht", MessageStyle::Information),
              MessageResult::Ok);
    EXPECT_EQ(
        yes.ShowMessage("Zeile eins\nzwei\r\ndrei\rvier", "Titel\n2", MessageStyle::YesNoQuestion),
        MessageResult::Yes);
    EXPECT_EQ(yes.ShowMessage("ohne Titel", "", MessageStyle::YesNoInformation),
              MessageResult::Yes);
    EXPECT_EQ(yes.ShowMessage("e", "c", MessageStyle::Error), MessageResult::Ok);
    EXPECT_EQ(yes.ShowMessage("w", "c", MessageStyle::Warning), MessageResult::Ok);
    EXPECT_EQ(out.str(),
              "orvella: [64] Kategorie-Limit erreicht: Sie können nicht mehr als 30 Kategorien "
              "anlegen.\n"
              "orvella: [36] Titel 2: Zeile eins zwei drei vier\n"
              "orvella: [68] ohne Titel\n"
              "orvella: [16] c: e\n"
              "orvella: [48] c: w\n");

    std::ostringstream ignored;
    NonInteractivePrompter no(MessageResult::No, ignored);
    EXPECT_EQ(no.ShowMessage("q", "c", MessageStyle::YesNoQuestion), MessageResult::No);
    EXPECT_EQ(no.ShowMessage("q", "c", MessageStyle::YesNoInformation), MessageResult::No);
    EXPECT_EQ(no.ShowMessage("i", "c", MessageStyle::Information), MessageResult::Ok);
    // Ok is not an answer to a question; it must not turn into consent.
    NonInteractivePrompter odd(MessageResult::Ok, ignored);
    EXPECT_EQ(odd.ShowMessage("q", "c", MessageStyle::YesNoQuestion), MessageResult::No);
}

TEST(NonInteractivePrompterTest, OnlyYesOrNoInTheEnvironmentSelectsIt) {
    std::ostringstream out;
    const auto yes = MakeNonInteractivePrompter("yes", out);
    ASSERT_NE(yes, nullptr);
    EXPECT_EQ(yes->ShowMessage("q", "c", MessageStyle::YesNoQuestion), MessageResult::Yes);
    const auto no = MakeNonInteractivePrompter("no", out);
    ASSERT_NE(no, nullptr);
    EXPECT_EQ(no->ShowMessage("q", "c", MessageStyle::YesNoQuestion), MessageResult::No);
    EXPECT_EQ(out.str(), "orvella: [36] c: q\norvella: [36] c: q\n");
    for (const std::string_view value : {"", "1", "0", "true", "YES", "No", " yes", "yes\n"})
        EXPECT_EQ(MakeNonInteractivePrompter(value, out), nullptr) << '"' << value << '"';
}

TEST(ScriptedPrompterTest, AnswersInOrderAndRecordsEveryMessage) {
    ScriptedPrompter prompter;
    prompter.QueueNo();
    prompter.QueueOk();
    prompter.QueueYes();
    EXPECT_EQ(prompter.pending(), 3u);
    EXPECT_EQ(prompter.ShowMessage("a", "A", MessageStyle::YesNoQuestion), MessageResult::No);
    EXPECT_EQ(prompter.ShowMessage("b", "B", MessageStyle::Warning), MessageResult::Ok);
    EXPECT_EQ(prompter.ShowMessage("c", "C", MessageStyle::YesNoInformation), MessageResult::Yes);
    EXPECT_EQ(prompter.pending(), 0u);
    const std::vector<ShownMessage> expected = {
        {"a", "A", MessageStyle::YesNoQuestion},
        {"b", "B", MessageStyle::Warning},
        {"c", "C", MessageStyle::YesNoInformation},
    };
    EXPECT_EQ(prompter.shown(), expected);
}

TEST(ScriptedPrompterTest, OutOfStepScriptsFailTheTest) {
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedPrompter prompter;
            EXPECT_EQ(prompter.ShowMessage("q", "c", MessageStyle::YesNoQuestion),
                      MessageResult::No);
            EXPECT_EQ(prompter.shown().size(), 1u);
        },
        "no answer queued for message [36] c: q");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedPrompter prompter;
            EXPECT_EQ(prompter.ShowMessage("i", "c", MessageStyle::Information), MessageResult::Ok);
        },
        "no answer queued for message [64] c: i");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedPrompter prompter;
            prompter.QueueYes();
            EXPECT_EQ(prompter.ShowMessage("i", "c", MessageStyle::Information), MessageResult::Ok);
        },
        "has no button");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedPrompter prompter;
            prompter.QueueOk();
            EXPECT_EQ(prompter.ShowMessage("q", "c", MessageStyle::YesNoQuestion),
                      MessageResult::No);
        },
        "has no button");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedPrompter prompter;
            prompter.QueueYes();
        },
        "never used");
}

}  // namespace
}  // namespace orvella
