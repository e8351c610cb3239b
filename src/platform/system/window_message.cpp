#include "platform/system/window_message.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/files/files.h"

namespace orvella {
namespace {

Result<sockaddr_un> AddressOf(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        return Status::Error(path + ": the socket path is too long");
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return address;
}

}  // namespace

std::string WindowSocketPath(const Environment& environment, std::uint32_t handle) {
    std::string folder =
        environment.Get("XDG_RUNTIME_DIR").value_or("/tmp/orvella-" + std::to_string(::getuid()));
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder + "/orvella-" + std::to_string(handle) + ".sock";
}

std::optional<std::uint32_t> ParseWindowMessage(std::string_view text) {
    if (text.ends_with("\r\n")) {
        text.remove_suffix(2);
    } else if (text.ends_with('\n')) {
        text.remove_suffix(1);
    }
    if (text.empty() || text.size() > 10)
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (value > 0xFFFFFFFFu)
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

Status SendWindowMessage(const std::string& socket_path, std::uint32_t message) {
    Result<sockaddr_un> address = AddressOf(socket_path);
    if (!address)
        return address.status();
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return Status::Error(socket_path + ": " + SystemErrorText(errno));
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0) {
        const int error_number = errno;
        ::close(fd);
        return Status::Error(socket_path + ": " + SystemErrorText(error_number));
    }
    const std::string text = std::to_string(message) + "\n";
    const ssize_t sent = ::send(fd, text.data(), text.size(), MSG_NOSIGNAL);
    const int error_number = errno;
    ::close(fd);
    if (sent != static_cast<ssize_t>(text.size())) {
        return Status::Error(socket_path + ": " + SystemErrorText(error_number));
    }
    return Status::Ok();
}

Result<WindowMessageListener> WindowMessageListener::Listen(std::string socket_path) {
    Result<sockaddr_un> address = AddressOf(socket_path);
    if (!address)
        return address.status();
    const std::string folder = ParentFolder(socket_path);
    if (!folder.empty() && !DirectoryExists(folder)) {
        if (Status made = EnsureDirectory(folder); !made)
            return made;
        ::chmod(folder.c_str(), 0700);  // only its user may reach the socket
    }
    // In a shared folder such as /tmp, someone else could have made ours first.
    struct stat owner {};
    if (!folder.empty() && (::stat(folder.c_str(), &owner) != 0 || owner.st_uid != ::getuid() ||
                            (owner.st_mode & 0022) != 0)) {
        return Status::Error(folder + ": the folder is not ours alone");
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return Status::Error(socket_path + ": " + SystemErrorText(errno));
    ::unlink(socket_path.c_str());  // left behind by an instance that died
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0 ||
        ::chmod(socket_path.c_str(), 0600) != 0 || ::listen(fd, 8) != 0) {
        const int error_number = errno;
        ::close(fd);
        return Status::Error(socket_path + ": " + SystemErrorText(error_number));
    }
    return WindowMessageListener(fd, std::move(socket_path));
}

WindowMessageListener::WindowMessageListener(WindowMessageListener&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)) {}

WindowMessageListener& WindowMessageListener::operator=(WindowMessageListener&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) {
            ::close(fd_);
            ::unlink(path_.c_str());
        }
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
    }
    return *this;
}

WindowMessageListener::~WindowMessageListener() {
    if (fd_ < 0)
        return;
    ::close(fd_);
    ::unlink(path_.c_str());
}

std::optional<std::uint32_t> WindowMessageListener::Receive() {
    const int client = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0)
        return std::nullopt;
    // A sender gets a moment to write its few bytes; one that sends nothing is dropped.
    std::string text;
    char buffer[16];
    pollfd wait{client, POLLIN, 0};
    while (text.size() <= 12 && ::poll(&wait, 1, 200) > 0) {
        const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(client);
    return ParseWindowMessage(text);
}

}  // namespace orvella
