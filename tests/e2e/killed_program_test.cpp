#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <set>
#include <thread>

#include "library/picture_key_codec.h"
#include "library/store_layout.h"
#include "platform/files/files.h"
#include "platform/profile/profile_document.h"
#include "platform/profile/profile_file.h"
#include "platform/registry/registry_file.h"
#include "settings/settings_places.h"
#include "support/bitmap_file.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace orvella {
namespace {

using Clock = std::chrono::steady_clock;
using testing::TempDir;

constexpr int kPictures = 5000;
const char* const kDataFiles[] = {"prog/ovlimg.dat", "prog/ovl.dat", "hive.reg"};

bool HasEnded(int pid) {
    siginfo_t info{};
    return ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           info.si_pid == pid;
}

// The real program on a library of 5 000 pictures, killed at random moments of its start, its
// changes and its end. The seed comes from ORVELLA_KILL_SEED when set.
class KilledProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(::mkdir(dir_.File("prog").c_str(), 0755), 0);
        ASSERT_EQ(::mkdir(dir_.File("pics").c_str(), 0755), 0);
        const std::string picture = testing::MakeBitmap24(2, 2, [](int, int) { return 0x336699; });
        ProfileDocument store;
        store.SetValue("Categories", "Cat_0", "");
        store.SetValue("Categories", "Cat_1", "");
        store.SetValue("Categories", "Cat_2", "");
        store.SetValue("Cat_0.Details", "Name", "Alle");
        store.SetValue("Cat_1.Details", "Name", "Viele");
        store.SetValue("Cat_2.Details", "Name", "Neu");
        for (int i = 0; i < kPictures; ++i) {
            const std::string name = "pics/p" + std::to_string(i) + ".bmp";
            dir_.Write(name, picture);
            library_.push_back(dir_.File(name));
            WritePicture(store, "Cat_1", static_cast<std::size_t>(i), library_.back());
        }
        store.SetValue("Custom", "ActiveCat", "1");
        dir_.Write("prog/ovlimg.dat", store.Serialize());
    }

    std::vector<std::string> Environment() const {
        return {"ORVELLA_PROGRAM_DIR=" + dir_.File("prog/"),
                "ORVELLA_REGISTRY=" + dir_.File("hive.reg"),
                "ORVELLA_WINDOWS_DIR=" + dir_.File("windows"),
                "XDG_RUNTIME_DIR=" + dir_.path(),
                "HOME=" + dir_.path(),
                "QT_QPA_PLATFORM=offscreen",
                "ORVELLA_NONINTERACTIVE=yes",
                "ORVELLA_DESKTOP=record:" + dir_.File("changes.jsonl")};
    }

    // One life of the program: "-wall -close", or a plain start that gets a picture through
    // the refresh program and then the log-out signal. Killed after `kill_after` if still up.
    void Live(bool wall_close, Clock::duration kill_after) {
        RegistryFile hive(dir_.File("hive.reg"));
        if (FileExists(hive.path())) {  // so that a published handle is this run's
            ASSERT_TRUE(hive.DeleteValue(RegistryRoot::CurrentUser, kSettingsKey, "WHandle").ok());
        }
        const auto before = Snapshot();
        const std::vector<std::string> switches =
            wall_close ? std::vector<std::string>{ORVELLA_PROGRAM, "-wall", "-close"}
                       : std::vector<std::string>{ORVELLA_PROGRAM};
        const int pid = testing::StartProgram(switches, Environment(), dir_.File("stderr"));
        killed_ = false;
        std::thread killer([this, pid, deadline = Clock::now() + kill_after] {
            while (Clock::now() < deadline && !HasEnded(pid))
                std::this_thread::sleep_for(std::chrono::microseconds(500));
            // Not reaped before this thread ends: the process id is still our child's.
            killed_ = !HasEnded(pid) && ::kill(pid, SIGKILL) == 0;
        });
        if (!wall_close)
            Change(pid, hive);
        killer.join();
        exit_code_ = testing::WaitForProgram(pid);
        CheckWhole(before);
    }
    void Change(int pid, RegistryFile& hive) {
        while (!HasEnded(pid)) {
            const Result<std::optional<RegistryValue>> handle =
                hive.ReadValue(RegistryRoot::CurrentUser, kSettingsKey, "WHandle");
            if (handle.ok() && handle->has_value())
                break;
            ::usleep(2'000);
        }
        const std::string picture = dir_.File("pics/added" + std::to_string(tries_++) + ".bmp");
        if (testing::RunProgram({ORVELLA_REFRESH_PROGRAM, "2", picture}, Environment(),
                                dir_.File("refresh-stderr")) == 0)
            added_.push_back(picture);  // in the store from now on
        // The log-out signal once the message is answered: the program is in its event loop
        // then, where the signal ends it as a close.
        const ProfileFile store(dir_.File("prog/ovlimg.dat"));
        for (int i = 0; i < 2500 && !HasEnded(pid) && store.HasKey("Custom", kRefreshKey); ++i)
            ::usleep(2'000);
        ::kill(pid, SIGTERM);
    }

    std::vector<std::optional<std::string>> Snapshot() const {
        std::vector<std::optional<std::string>> contents;
        for (const char* name : kDataFiles) {
            contents.push_back(FileExists(dir_.File(name)) ? std::optional(dir_.Read(name))
                                                           : std::nullopt);
        }
        return contents;
    }
    // Each data file is as it was before, or a whole file of its kind: the store with every
    // picture and its last section, the settings with their last key, a hive that reads.
    void CheckWhole(const std::vector<std::optional<std::string>>& before) const {
        const auto after = Snapshot();
        if (after[0] != before[0]) {
            ASSERT_TRUE(after[0]) << "store removed";
            const ProfileDocument store = ProfileDocument::Parse(*after[0]);
            ASSERT_TRUE(store.Value("Custom", "ActiveCat")) << "store cut short";
            for (const auto& [key, expected] :
                 {std::pair{"Cat_1", &library_}, {"Cat_2", &added_}}) {
                const std::vector<std::string> pictures = ReadPictures(store, key);
                const std::set<std::string> held(pictures.begin(), pictures.end());
                for (const std::string& picture : *expected)
                    ASSERT_TRUE(held.count(picture)) << "store lost " << picture;
            }
        }
        if (after[1] != before[1]) {
            ASSERT_TRUE(after[1]) << "settings removed";
            EXPECT_EQ(ProfileDocument::Parse(*after[1]).Value("Wallpaper", "FormVersion"), "3")
                << "settings cut short:\n"
                << *after[1];
        }
        if (after[2] != before[2]) {
            ASSERT_TRUE(after[2]) << "hive removed";
            const Result<RegistryDocument> hive = RegistryFile(dir_.File("hive.reg")).Read();
            EXPECT_TRUE(hive.ok()) << hive.message();
        }
    }

    TempDir dir_{TempDir::InMemory()};  // a kill leaves the page cache: no need of the disk
    std::vector<std::string> library_;
    std::vector<std::string> added_;  // by the refresh program, each answered
    int tries_ = 0;
    bool killed_ = false;
    int exit_code_ = 0;
};

TEST_F(KilledProgramTest, EveryDataFileIsTheEarlierOrTheLaterWholeFile) {
    const char* given = std::getenv("ORVELLA_KILL_SEED");
    const unsigned seed =
        given ? static_cast<unsigned>(std::strtoul(given, nullptr, 10)) : std::random_device()();
    SCOPED_TRACE("ORVELLA_KILL_SEED=" + std::to_string(seed));
    std::mt19937 random(seed);

    // Whole lives first: how long each kind takes, and that it ends well.
    Clock::duration length[2];
    for (const bool wall_close : {true, false}) {
        const Clock::time_point start = Clock::now();
        ASSERT_NO_FATAL_FAILURE(Live(wall_close, std::chrono::seconds(60)));
        length[wall_close] = Clock::now() - start;
        ASSERT_EQ(exit_code_, 0) << dir_.Read("stderr");
    }
    ASSERT_EQ(added_.size(), 1u) << "the refresh did not reach the program";
    std::printf("whole lives: %lld ms with -wall -close, %lld ms with a refresh\n",
                static_cast<long long>(length[true] / std::chrono::milliseconds(1)),
                static_cast<long long>(length[false] / std::chrono::milliseconds(1)));

    int kills = 0;
    int life = 0;
    for (; kills < 100; ++life) {
        ASSERT_LT(life, 300) << "the program ended before most kills";
        const bool wall_close = random() % 2 == 0;
        const auto range =
            std::chrono::duration_cast<std::chrono::microseconds>(length[wall_close] * 11 / 10);
        const auto at = std::chrono::microseconds(random() % range.count());
        ASSERT_NO_FATAL_FAILURE(Live(wall_close, at))
            << "life " << life << ", killed after " << at.count() << " µs of "
            << (wall_close ? "-wall -close" : "a plain start");
        kills += killed_ ? 1 : 0;
    }

    std::printf("%d kills survived in %d lives\n", kills, life);

    // Nothing lost: a last whole run keeps every picture of the library and of the refreshes.
    ASSERT_EQ(testing::RunProgram({ORVELLA_PROGRAM, "-close"}, Environment()), 0);
    CheckWhole(std::vector<std::optional<std::string>>(std::size(kDataFiles)));
}

}  // namespace
}  // namespace orvella
