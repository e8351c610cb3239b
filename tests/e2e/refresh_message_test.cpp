#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>

#include <atomic>
#include <cstdio>
#include <set>
#include <thread>

#include "library/category_store.h"
#include "platform/registry/registry_file.h"
#include "platform/system/window_message.h"
#include "shell/message_catalogue.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace orvella {
namespace {

using testing::TempDir;

using testing::RunProgram;

// The outside program adds a picture and sends the message; the store, told by the
// listener, re-reads the category and shows the picture.
TEST(RefreshMessageTest, TheRefreshProgramReachesTheStoreThroughTheSocket) {
    TempDir dir;
    const std::vector<std::string> environment = {
        "ORVELLA_PROGRAM_DIR=" + dir.File("prog"), "ORVELLA_REGISTRY=" + dir.File("hive.reg"),
        "XDG_RUNTIME_DIR=" + dir.File("run"), "HOME=" + dir.path()};
    ASSERT_EQ(::mkdir(dir.File("prog").c_str(), 0755), 0);

    MessageCatalogue catalogue;
    TCategoryStore store(dir.File("prog/ovlimg.dat"), "icon.bmp", catalogue);
    ASSERT_TRUE(store.LoadCategories().ok());
    ASSERT_TRUE(store.CreateCategory(1, "i.bmp", "Eins"));
    ASSERT_TRUE(store.SaveCategories().ok());

    // No window published yet: the program says so and fails.
    EXPECT_EQ(RunProgram({ORVELLA_REFRESH_PROGRAM, "1", "/p/x.jpg"}, environment), 1);

    constexpr std::uint32_t kHandle = 777;
    RegistryFile registry(dir.File("hive.reg"));
    ASSERT_TRUE(registry
                    .WriteValues(RegistryRoot::CurrentUser, "Software\\Brenmark Software\\Orvella",
                                 {RegistryValue::Dword("WHandle", kHandle)})
                    .ok());
    Result<WindowMessageListener> listener =
        WindowMessageListener::Listen(dir.File("run/orvella-777.sock"));
    ASSERT_TRUE(listener.ok()) << listener.message();

    // A name that holds lines of a store file stays one picture.
    const std::string evil = "/tmp/evil\n[Cat_0.Details]\nName=Hacked";
    EXPECT_EQ(
        RunProgram({ORVELLA_REFRESH_PROGRAM, "1", "/p/a b.jpg", evil, "/p/c.jpg"}, environment), 0);
    ASSERT_EQ(listener->Receive(), kWmRefreshCategory);
    ASSERT_TRUE(store.RefreshCategory().ok());
    EXPECT_EQ(store.category(1).pictures,
              (std::vector<std::string>{"/p/a b.jpg", evil, "/p/c.jpg"}));
    EXPECT_EQ(store.category(0).pictures, store.category(1).pictures);
    ASSERT_TRUE(store.SaveCategories().ok());
    TCategoryStore reloaded(dir.File("prog/ovlimg.dat"), "icon.bmp", catalogue);
    ASSERT_TRUE(reloaded.LoadCategories().ok());
    EXPECT_EQ(reloaded.category(0).name, "Alle");
    EXPECT_EQ(reloaded.category(1).pictures, store.category(1).pictures);

    EXPECT_EQ(RunProgram({ORVELLA_REFRESH_PROGRAM, "5", "/p/x.jpg"}, environment),
              1);  // no such category
    EXPECT_EQ(RunProgram({ORVELLA_REFRESH_PROGRAM, "abc"}, environment), 1);
}

// orvella-refresh adds a picture a thousand times while the store, as the running program
// does, answers each message and saves after each change of its own: no picture of either
// side is lost, and every message is answered.
TEST(RefreshMessageTest, AThousandRefreshesBesideTheProgramsOwnSavesLoseNoPicture) {
    TempDir dir(TempDir::InMemory());
    const std::vector<std::string> environment = {
        "ORVELLA_PROGRAM_DIR=" + dir.File("prog"), "ORVELLA_REGISTRY=" + dir.File("hive.reg"),
        "XDG_RUNTIME_DIR=" + dir.File("run"), "HOME=" + dir.path()};
    ASSERT_EQ(::mkdir(dir.File("prog").c_str(), 0755), 0);
    MessageCatalogue catalogue;
    TCategoryStore store(dir.File("prog/ovlimg.dat"), "icon.bmp", catalogue);
    ASSERT_TRUE(store.LoadCategories().ok());
    ASSERT_TRUE(store.CreateCategory(1, "i.bmp", "Eins"));
    ASSERT_TRUE(store.CreateCategory(2, "i.bmp", "Zwei"));
    ASSERT_TRUE(store.SaveCategories().ok());
    RegistryFile registry(dir.File("hive.reg"));
    ASSERT_TRUE(registry
                    .WriteValues(RegistryRoot::CurrentUser, "Software\\Brenmark Software\\Orvella",
                                 {RegistryValue::Dword("WHandle", 779)})
                    .ok());
    Result<WindowMessageListener> listener =
        WindowMessageListener::Listen(dir.File("run/orvella-779.sock"));
    ASSERT_TRUE(listener.ok()) << listener.message();

#ifdef __SANITIZE_ADDRESS__
    // Every process runs several times slower under the sanitizers; a quarter of the
    // refreshes keeps the test within its time there, the default build runs them all.
    constexpr int kRefreshes = 250;
#else
    constexpr int kRefreshes = 1000;
#endif
    std::atomic<bool> sent_all = false;
    int answered = 0;
    std::vector<std::string> own[3];
    std::thread program([&] {
        for (bool waiting = true; waiting;) {
            pollfd ready{listener->fd(), POLLIN, 0};
            if (::poll(&ready, 1, 50) == 1) {
                if (listener->Receive() == kWmRefreshCategory && store.RefreshCategory().ok())
                    ++answered;
            } else {
                waiting = !sent_all;  // the last message came before the flag
            }
            const int category = 1 + static_cast<int>(own[1].size() + own[2].size()) % 2;
            own[category].push_back("/own/" + std::to_string(own[category].size()) + "-" +
                                    std::to_string(category) + ".jpg");
            store.AddPicture(category, own[category].back(), true);
            EXPECT_TRUE(store.SaveCategories().ok());
        }
    });
    // Two refresh programs at a time, so they also meet each other at the file.
    std::atomic<int> sent = 0;
    const auto refresh = [&](int first) {
        for (int i = first; i < kRefreshes; i += 2) {
            const std::string picture = "/refresh/" + std::to_string(i) + ".jpg";
            sent += RunProgram({ORVELLA_REFRESH_PROGRAM, "1", picture}, environment) == 0 ? 1 : 0;
        }
    };
    std::thread other(refresh, 1);
    refresh(0);
    other.join();
    sent_all = true;
    program.join();
    std::printf("%d refreshes answered beside %zu own saves\n", answered,
                own[1].size() + own[2].size());
    EXPECT_EQ(sent, kRefreshes);
    EXPECT_EQ(answered, kRefreshes);

    TCategoryStore reloaded(dir.File("prog/ovlimg.dat"), "icon.bmp", catalogue);
    ASSERT_TRUE(reloaded.LoadCategories().ok());
    for (const TCategoryStore* side : {&store, &reloaded}) {
        const std::vector<std::string>& first = side->category(1).pictures;
        const std::set<std::string> held(first.begin(), first.end());
        for (int i = 0; i < kRefreshes; ++i)
            EXPECT_TRUE(held.count("/refresh/" + std::to_string(i) + ".jpg")) << i;
        for (const std::string& picture : own[1])
            EXPECT_TRUE(held.count(picture)) << picture;
        EXPECT_EQ(first.size(), kRefreshes + own[1].size());
        EXPECT_EQ(side->category(2).pictures, own[2]);
        EXPECT_EQ(side->category(0).pictures.size(), first.size() + own[2].size());
    }
}

// The file managers' program: difficult names reach the running store, each once; without a
// running Orvella they wait in the file for the next start.
TEST(RefreshMessageTest, TheAddToCategoryProgramHandsDifficultNamesToTheRunningStore) {
    TempDir dir;
    const std::vector<std::string> environment = {"ORVELLA_PROGRAM_DIR=" + dir.File("prog"),
                                                  "ORVELLA_REGISTRY=" + dir.File("hive.reg"),
                                                  "XDG_RUNTIME_DIR=" + dir.File("run"),
                                                  "HOME=" + dir.path(),
                                                  "QT_QPA_PLATFORM=offscreen",
                                                  "ORVELLA_NONINTERACTIVE=yes"};
    ASSERT_EQ(::mkdir(dir.File("prog").c_str(), 0755), 0);
    MessageCatalogue catalogue;
    TCategoryStore store(dir.File("prog/ovlimg.dat"), "icon.bmp", catalogue);
    ASSERT_TRUE(store.LoadCategories().ok());
    ASSERT_TRUE(store.CreateCategory(1, "i.bmp", "Eins"));
    ASSERT_TRUE(store.CreateCategory(2, "i.bmp", "Zwei"));
    ASSERT_TRUE(store.SaveCategories().ok());

    const std::vector<std::string> hard = {"/p/it's \"$x\";ä.png", "/p/a=b .JPG", "/p/ x.gif"};
    std::vector<std::string> run = {ORVELLA_ADD_PROGRAM, "--category=2", "--"};
    run.insert(run.end(), hard.begin(), hard.end());
    run.push_back("/p/notes.txt");
    EXPECT_EQ(RunProgram(run, environment), 0);  // Orvella is not running: no error

    RegistryFile registry(dir.File("hive.reg"));
    ASSERT_TRUE(registry
                    .WriteValues(RegistryRoot::CurrentUser, "Software\\Brenmark Software\\Orvella",
                                 {RegistryValue::Dword("WHandle", 778)})
                    .ok());
    Result<WindowMessageListener> listener =
        WindowMessageListener::Listen(dir.File("run/orvella-778.sock"));
    ASSERT_TRUE(listener.ok()) << listener.message();
    run.push_back("/p/new.htm");
    EXPECT_EQ(RunProgram(run, environment), 0);
    ASSERT_EQ(listener->Receive(), kWmRefreshCategory);
    ASSERT_TRUE(store.RefreshCategory().ok());
    std::vector<std::string> expected = hard;
    expected.push_back("/p/new.htm");
    EXPECT_EQ(store.category(2).pictures, expected);
    EXPECT_TRUE(store.category(1).pictures.empty());

    // No picture among the files, and a category that does not take pictures.
    EXPECT_EQ(RunProgram({ORVELLA_ADD_PROGRAM, "--category=1", "--", "/p/a.txt"}, environment), 0);
    EXPECT_EQ(RunProgram({ORVELLA_ADD_PROGRAM, "--category=0", "--", "/p/a.png"}, environment), 1);
}

}  // namespace
}  // namespace orvella
