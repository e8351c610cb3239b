#include "gui/tcopymovepics.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "shell/message_catalogue.h"
#include "support/scripted_prompter.h"

namespace orvella {
namespace {

using testing::ShownMessage;

TEST(TCopyMovePicsTest, TheChoiceMustNameAnotherCategoryThanTheCurrentOne) {
    MessageCatalogue catalogue;
    testing::ScriptedPrompter prompter;
    TCopyMovePics dialog(catalogue, prompter);
    EXPECT_EQ(dialog.windowTitle(), QString("Bilder kopieren / verschieben..."));
    EXPECT_EQ(dialog.size(), QSize(390, 166));
    EXPECT_EQ(dialog.BitBtn1()->text(), QString("Kopieren"));
    EXPECT_EQ(dialog.BitBtn2()->text(), QString("Verschieben"));
    EXPECT_EQ(dialog.BitBtn3()->text(), QString("Abbrechen"));
    // Categories 1 to 3; the current one, 2, is named as category 3.
    dialog.SetCategories({"Natur", "Autos", "Autos"}, "Autos");
    EXPECT_EQ(dialog.CbCategories()->count(), 3);
    EXPECT_EQ(dialog.TargetCategory(), -1);
    EXPECT_TRUE(dialog.LabelCurrKat()->isHidden());

    // Nothing chosen, and the namesake of the current category: refused, the dialog stays.
    prompter.QueueOk();
    prompter.QueueOk();
    dialog.BitBtn1Click();
    dialog.CbCategories()->setCurrentIndex(2);
    dialog.BitBtn2Click();
    const ShownMessage refused{
        "Es wurde keine Kategorie ausgewählt oder die Ziel-Kategorie entspricht der "
        "Quell-Kategorie",
        "Kopieren / Verschieben nicht möglich", MessageStyle::Information};
    EXPECT_EQ(prompter.shown(), (std::vector<ShownMessage>{refused, refused}));
    EXPECT_EQ(dialog.result(), 0);

    dialog.CbCategories()->setCurrentIndex(0);
    EXPECT_EQ(dialog.TargetCategory(), 1);
    QTimer::singleShot(0, &dialog, [&dialog] { dialog.BitBtn2()->click(); });
    EXPECT_EQ(dialog.exec(), TCopyMovePics::kMove);
    QTimer::singleShot(0, &dialog, [&dialog] { dialog.BitBtn1()->click(); });
    EXPECT_EQ(dialog.exec(), TCopyMovePics::kCopy);
    // The close box and Esc cancel as the button does.
    QTimer::singleShot(0, &dialog, [&dialog] { dialog.close(); });
    EXPECT_EQ(dialog.exec(), TCopyMovePics::kCancel);
    QTimer::singleShot(0, &dialog, [&dialog] { dialog.BitBtn3()->click(); });
    EXPECT_EQ(dialog.exec(), TCopyMovePics::kCancel);
}

}  // namespace
}  // namespace orvella
