#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/status.h"
#include "platform/system/environment.h"

namespace orvella {

// Outside programs reach the main window by the number it publishes as "WHandle": it
// listens on a local socket named after that number, and sending it a message is one
// connection that delivers the message number as decimal text.
inline constexpr std::uint32_t kWmRefreshCategory = 2025;  // WM_USER + 1001

// $XDG_RUNTIME_DIR/orvella-<handle>.sock; without a runtime folder, one in the temporary
// folder named after the user.
std::string WindowSocketPath(const Environment& environment, std::uint32_t handle);

Status SendWindowMessage(const std::string& socket_path, std::uint32_t message);

// The listening end, owned by the main window. The window watches fd() for readability
// (a QSocketNotifier) and calls Receive, which accepts one connection and yields its
// message number; anything that is not a bare number is dropped.
class WindowMessageListener {
public:
    static Result<WindowMessageListener> Listen(std::string socket_path);
    WindowMessageListener(WindowMessageListener&& other) noexcept;
    WindowMessageListener& operator=(WindowMessageListener&& other) noexcept;
    WindowMessageListener(const WindowMessageListener&) = delete;
    WindowMessageListener& operator=(const WindowMessageListener&) = delete;
    ~WindowMessageListener();

    int fd() const { return fd_; }
    const std::string& path() const { return path_; }
    std::optional<std::uint32_t> Receive();

private:
    WindowMessageListener(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    int fd_ = -1;
    std::string path_;
};

// Reads a message as sent: 1 to 10 digits, an optional line end, nothing else.
std::optional<std::uint32_t> ParseWindowMessage(std::string_view text);

}  // namespace orvella
