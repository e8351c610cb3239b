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

    EXPECT_EQ(RunProgram({ORVELLA_REFRESH_PROGRAM, "1", "/p/a b.jpg", "/p/c.jpg"}, environment), 0);
    ASSERT_EQ(listener->Receive(), kWmRefreshCategory);
    ASSERT_TRUE(store.RefreshCategory().ok());
    EXPECT_EQ(store.category(1).pictures, (std::vector<std::string>{"/p/a b.jpg", "/p/c.jpg"}));
    EXPECT_EQ(store.category(0).pictures, store.category(1).pictures);

    EXPECT_EQ(RunProgram({ORVELLA_REFRESH_PROGRAM, "5", "/p/x.jpg"}, environment),
              1);  // no such category
    EXPECT_EQ(RunProgram({ORVELLA_REFRESH_PROGRAM, "abc"}, environment), 1);
}

}  // namespace
}  // namespace orvella
