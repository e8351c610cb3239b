#include "platform/system/window_message.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "support/temp_dir.h"

namespace orvella {
namespace {

using testing::TempDir;

// Connects and writes `bytes` as it stands, as a stranger on the socket might.
void SendRaw(const std::string& path, const std::string& bytes) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::send(fd, bytes.data(), bytes.size(), 0), static_cast<ssize_t>(bytes.size()));
    ::close(fd);
}

TEST(WindowMessageTest, AMessageReachesTheListenerNamedByTheHandle) {
    TempDir dir;
    const MapEnvironment environment({{"XDG_RUNTIME_DIR", dir.File("run/")}});
    const std::string path = WindowSocketPath(environment, 4242);
    EXPECT_EQ(path, dir.File("run/orvella-4242.sock"));

    Result<WindowMessageListener> listener = WindowMessageListener::Listen(path);
    ASSERT_TRUE(listener.ok()) << listener.message();
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    ASSERT_TRUE(SendWindowMessage(path, kWmRefreshCategory).ok());
    EXPECT_EQ(listener->Receive(), kWmRefreshCategory);
    EXPECT_FALSE(listener->Receive().has_value());  // nothing waiting

    SendRaw(path, "rm -rf /\n");
    EXPECT_FALSE(listener->Receive().has_value());
    SendRaw(path, "2025 2025");
    EXPECT_FALSE(listener->Receive().has_value());
    SendRaw(path, "2025\r\n");
    EXPECT_EQ(listener->Receive(), 2025u);

    // A second instance takes over the name; the socket goes with its owner.
    {
        WindowMessageListener moved = std::move(*listener);
        EXPECT_EQ(moved.path(), path);
    }
    EXPECT_NE(::access(path.c_str(), F_OK), 0);
    EXPECT_FALSE(SendWindowMessage(path, kWmRefreshCategory).ok());
}

TEST(WindowMessageTest, AFolderOthersMayWriteIsRefused) {
    TempDir dir;
    ASSERT_EQ(::mkdir(dir.File("shared").c_str(), 0777), 0);
    ASSERT_EQ(::chmod(dir.File("shared").c_str(), 0777), 0);
    Result<WindowMessageListener> listener =
        WindowMessageListener::Listen(dir.File("shared/orvella-1.sock"));
    ASSERT_FALSE(listener.ok());
    EXPECT_NE(listener.message().find("shared"), std::string::npos);
}

TEST(WindowMessageTest, OnlyABareNumberIsAMessage) {
    EXPECT_EQ(ParseWindowMessage("2025"), 2025u);
    EXPECT_EQ(ParseWindowMessage("4294967295\n"), 4294967295u);
    EXPECT_FALSE(ParseWindowMessage("4294967296").has_value());
    EXPECT_FALSE(ParseWindowMessage("").has_value());
    EXPECT_FALSE(ParseWindowMessage("\n").has_value());
    EXPECT_FALSE(ParseWindowMessage("-1").has_value());
    EXPECT_FALSE(ParseWindowMessage("20 25").has_value());
    EXPECT_FALSE(ParseWindowMessage("12345678901").has_value());
}

}  // namespace
}  // namespace orvella
