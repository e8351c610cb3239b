#pragma once

// The main window with its own program folder, hive and scripted user, for the window
// tests of the main window and of the dialogs it opens.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>
#include <QWidget>
#include <deque>

#include "codecs/codec_picture_loader.h"
#include "gui/picture_list.h"
#include "gui/shipped_files.h"
#include "gui/taddkatform.h"
#include "gui/torvel.h"
#include "gui/wallpaper_commands.h"
#include "library/picture_commands.h"
#include "platform/host_platform.h"
#include "platform/profile/profile_document.h"
#include "platform/registry/registry.h"
#include "platform/system/window_message.h"
#include "shell/file_chooser.h"
#include "shell/message_catalogue.h"
#include "support/recording_shell.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "torvel_test_access.h"

namespace orvella::testing {

using ::testing::ElementsAre;

class RecordingWallpaper : public WallpaperCommands {
public:
    std::vector<std::string> calls;
    void SetRandomWallpaper(const TCategoryStore& store) override {
        calls.push_back("random " + std::to_string(store.CurrentCategory()));
    }
    void SetSelectedWallpaper(const std::string& path) override {
        calls.push_back("selected " + path);
    }
    void SBTransClick() override { calls.push_back("trans"); }
    void SetStarfieldWallpaper(const std::string& type) override {
        calls.push_back("starfield " + type);
    }
};

// Answers each open dialog with the next queued list of files (none: cancelled).
class ScriptedFileChooser : public FileChooser {
public:
    std::vector<OpenFileRequest> requests;
    std::deque<std::vector<std::string>> answers;
    std::vector<std::string> OpenFiles(const OpenFileRequest& request) override {
        requests.push_back(request);
        if (answers.empty())
            return {};
        std::vector<std::string> answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::vector<SaveFileRequest> save_requests;
    std::deque<std::string> save_answers;  // each the chosen name; empty: cancelled
    std::string SaveFile(const SaveFileRequest& request) override {
        save_requests.push_back(request);
        if (save_answers.empty())
            return {};
        std::string answer = save_answers.front();
        save_answers.pop_front();
        return answer;
    }
};

class FakeActiveDesktop : public ActiveDesktopSwitch {
public:
    bool on = false;
    bool xp = false;
    bool IsActiveDesktopOn() const override { return on; }
    void EnableActiveDesktop() override { on = true; }
    bool IsWinXP() const override { return xp; }
};

class TOrvelTest : public ::testing::Test {
protected:
    void SetUp() override {
        program_ = dir_.File("prog/");
        environment_.Set("ORVELLA_PROGRAM_DIR", program_);
        environment_.Set("ORVELLA_REGISTRY", dir_.File("registry.reg"));
        environment_.Set("ORVELLA_WINDOWS_DIR", dir_.File("windows"));
        environment_.Set("ORVELLA_SCREEN", "1024x768");
        environment_.Set("XDG_RUNTIME_DIR", dir_.path());
        environment_.Set("XDG_CONFIG_HOME", dir_.File("config"));
        environment_.Set("XDG_DATA_HOME", dir_.File("data"));
        Result<Platform> platform = CreateHostPlatform(environment_, program_ + "orvella",
                                                       std::make_shared<CodecPictureLoader>());
        ASSERT_TRUE(platform) << platform.message();
        platform_.emplace(std::move(*platform));
        ASSERT_TRUE(EnsureShippedFiles(program_).empty());
    }

    std::string Icon() const { return program_ + "Icons/StdImage.bmp"; }

    // Three categories: the summary, "Natur" with two pictures, "Städte" with three.
    void WriteThreeCategories(int active) {
        ProfileDocument document;
        const char* names[] = {"Alle", "Natur", "Städte"};
        for (int i = 0; i < 3; ++i) {
            const std::string key = "Cat_" + std::to_string(i);
            document.SetValue("Categories", key, "");
            document.SetValue(key + ".Details", "Name", names[i]);
            document.SetValue(key + ".Details", "Icon", Icon());
        }
        document.SetValue("Cat_1.Wallpapers", dir_.File("wald.jpg"), "");
        document.SetValue("Cat_1.Wallpapers", dir_.File("see.jpg"), "");
        document.SetValue("Cat_2.Wallpapers", dir_.File("rom.jpg"), "");
        document.SetValue("Cat_2.Wallpapers", dir_.File("paris.jpg"), "");
        document.SetValue("Cat_2.Wallpapers", dir_.File("wien.jpg"), "");
        document.SetValue("Custom", "ActiveCat", std::to_string(active));
        dir_.Write("prog/ovlimg.dat", document.Serialize());
    }

    TOrvel& Start(const std::vector<std::string>& arguments = {},
                  StartupOutcome expected = StartupOutcome::KeepRunning) {
        TOrvelServices services{
            .platform = *platform_,
            .environment = environment_,
            .catalogue = catalogue_,
            .prompter = prompter_,
            .wallpaper = wallpaper_,
            .files = files_,
            .active_desktop = active_desktop_,
            .shell = shell_,
            .show_splash = [this] { splashes_++; },
            .show_info = {},
            .tray_available = [this] { return tray_; },
            .language = language_,
        };
        dialog_.reset();
        window_ = std::make_unique<TOrvel>(std::move(services));
        EXPECT_EQ(window_->FormCreate(arguments), expected);
        dialog_ = std::make_unique<TAddKatForm>(catalogue_, prompter_, files_);
        window_->SetCategoryDialog(dialog_.get());
        return *window_;
    }

    std::vector<std::string> Pictures(int index) const {
        return window_->store().category(index).pictures;
    }

    TempDir dir_;
    std::string program_;
    MapEnvironment environment_;
    std::optional<Platform> platform_;
    MessageCatalogue catalogue_;
    ScriptedPrompter prompter_;
    RecordingWallpaper wallpaper_;
    ScriptedFileChooser files_;
    FakeActiveDesktop active_desktop_;
    testing::RecordingShell shell_;
    bool tray_ = true;
    std::string language_ = "de";
    int splashes_ = 0;
    std::unique_ptr<TOrvel> window_;
    std::unique_ptr<TAddKatForm> dialog_;
};

class CategoryEditingTest : public TOrvelTest {
protected:
    // The summary and `names`, each with one picture named after it.
    void WriteCategories(const std::vector<std::string>& names, int active = 0) {
        ProfileDocument document;
        for (std::size_t i = 0; i <= names.size(); ++i) {
            const std::string key = "Cat_" + std::to_string(i);
            document.SetValue("Categories", key, "");
            document.SetValue(key + ".Details", "Name", i == 0 ? "Alle" : names[i - 1]);
            document.SetValue(key + ".Details", "Icon",
                              i == 0 ? Icon() : dir_.File(names[i - 1] + ".bmp"));
            if (i > 0)
                document.SetValue(key + ".Wallpapers", dir_.File(names[i - 1] + ".jpg"), "");
        }
        document.SetValue("Custom", "ActiveCat", std::to_string(active));
        dir_.Write("prog/ovlimg.dat", document.Serialize());
        // Each category's icon exists, so no message interrupts the load.
        for (const std::string& name : names)
            dir_.Write(name + ".bmp", dir_.Read("prog/Icons/StdImage.bmp"));
    }
    ProfileDocument Saved() const { return ProfileDocument::Parse(dir_.Read("prog/ovlimg.dat")); }
};

// Runs `while_open` once the modal category dialog is up, then `command`'s result.
inline int WithDialog(TAddKatForm& dialog, const std::function<void(TAddKatForm&)>& while_open,
                      const std::function<int()>& command) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
        ran = true;
        EXPECT_TRUE(dialog.isVisible());
        while_open(dialog);
        if (dialog.isVisible())
            dialog.BtnCancel()->click();
    });
    const int result = command();
    EXPECT_TRUE(ran) << "the dialog never opened";
    return result;
}

}  // namespace orvella::testing
