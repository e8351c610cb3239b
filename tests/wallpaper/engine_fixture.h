#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "codecs/codec_picture_loader.h"
#include "platform/desktop/backends/record_backend.h"
#include "platform/host_platform.h"
#include "shell/message_catalogue.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "wallpaper/calendar_preparation.h"
#include "wallpaper/change_sound.h"
#include "wallpaper/wallpaper_engine.h"
#include "wallpaper/wallpaper_settings.h"

namespace orvella::testing {

// Keeps every sound it was asked for; fails them all with `failure` when one is set.
class RecordingSound : public ChangeSound {
public:
    Status Play(const std::string& path) override {
        played.push_back(path);
        return failure.empty() ? Status::Ok() : Status::Error(failure);
    }
    std::vector<std::string> played;
    std::string failure;
};

// Keeps the calendar steps in the order they were asked for, as "Step:argument".
class RecordingCalendar : public CalendarPreparation {
public:
    Status PrepareStretched(const std::string& copy) override { return Note("Stretched", copy); }
    Status PrepareTiled(const std::string& copy) override { return Note("Tiled", copy); }
    Status PrepareCentred(const std::string& copy) override { return Note("Centred", copy); }
    Status WriteCalendarPage(const std::string& page) override { return Note("Page", page); }
    Status WriteStarfieldPage(const std::string& page) override { return Note("Starfield", page); }

    std::vector<std::string> calls;
    std::string fail_step;  // the step that fails, by name

private:
    Status Note(const std::string& step, const std::string& argument) {
        calls.push_back(step + ":" + argument);
        return step == fail_step ? Status::Error(step + " failed") : Status::Ok();
    }
};

// A whole host platform in a temporary folder, with the record backend as the desktop:
// the program folder, the Windows directory and the hive are real files.
class EngineFixture : public ::testing::Test {
protected:
    // `winver` as ORVELLA_WINVER names it; `screen_saver` "running" or "stopped".
    void Start(const std::string& winver, const std::string& screen_saver = "stopped",
               std::map<std::string, std::string, std::less<>> extra = {}) {
        extra["ORVELLA_PROGRAM_DIR"] = dir.File("prog");
        extra["ORVELLA_WINDOWS_DIR"] = dir.File("win");
        extra["ORVELLA_REGISTRY"] = dir.File("hive.reg");
        extra["ORVELLA_WINVER"] = winver;
        extra["ORVELLA_DESKTOP"] = "record:" + dir.File("record.jsonl");
        extra["ORVELLA_SCREENSAVER"] = screen_saver;
        Result<Platform> made = CreateHostPlatform(MapEnvironment(std::move(extra)), "/x/orvella",
                                                   std::make_shared<CodecPictureLoader>());
        ASSERT_TRUE(made.ok()) << made.message();
        platform = std::make_unique<Platform>(std::move(made).value());
        ASSERT_TRUE(platform->warnings.empty()) << platform->warnings.front();
        engine = std::make_unique<TWallpaperEngine>(*platform, catalogue, prompter, settings, sound,
                                                    calendar, [this](const Status& s) {
                                                        if (!s.ok())
                                                            warnings.push_back(s.message());
                                                    });
    }

    std::string Prog(const std::string& name) const { return dir.File("prog/") + name; }
    std::string PagePath() const { return dir.File("win/Orvella.htm"); }

    // A picture file of its own in the test's folder.
    std::string Picture(const std::string& name, const std::string& content = "picture bytes") {
        dir.Write(name, content);
        return dir.File(name);
    }

    std::vector<std::string> Recorded() const {
        std::vector<std::string> lines;
        std::string all = dir.Read("record.jsonl");
        std::size_t start = 0;
        while (start < all.size()) {
            const std::size_t end = all.find('\n', start);
            lines.push_back(all.substr(start, end - start + 1));
            start = end + 1;
        }
        return lines;
    }

    static std::string Line(WallpaperRoute route, const std::string& file, WallpaperStyle style) {
        WallpaperChange change;
        change.route = route;
        change.file = file;
        change.picture = file;
        change.style = style;
        return RecordWallpaperBackend::Line(change);
    }

    std::optional<std::string> ReadString(std::string_view key, std::string_view name) const {
        std::optional<RegistryKey> open = RegistryKey::Open(
            *platform->registry, RegistryRoot::CurrentUser, std::string(key), false);
        return open ? open->ReadString(name) : std::nullopt;
    }

    TempDir dir;
    MessageCatalogue catalogue;
    ScriptedPrompter prompter;
    TWallpaperSettings settings;
    RecordingSound sound;
    RecordingCalendar calendar;
    std::vector<std::string> warnings;
    std::unique_ptr<Platform> platform;
    std::unique_ptr<TWallpaperEngine> engine;
};

}  // namespace orvella::testing
