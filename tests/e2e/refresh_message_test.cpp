#include <gtest/gtest.h>
#include <sys/stat.h>

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
