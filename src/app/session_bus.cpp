#include "app/session_bus.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace orvella {
namespace {

// A bus address escapes every byte outside its small set of plain characters.
std::string EscapedAddressValue(const std::string& value) {
    std::string escaped;
    for (const unsigned char c : value) {
        const bool plain = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
                           (c >= 'a' && c <= 'z') || c == '-' || c == '_' || c == '/' || c == '.' ||
                           c == '\\' || c == '*';
        if (plain) {
            escaped += static_cast<char>(c);
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02x", c);
            escaped += hex;
        }
    }
    return escaped;
}

}  // namespace

void KeepSessionBusFromAutolaunching() {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address != nullptr && *address != '\0')
        return;
    const char* runtime_dir = std::getenv("XDG_RUNTIME_DIR");
    const std::string dir = runtime_dir != nullptr && *runtime_dir != '\0'
                                ? std::string(runtime_dir)
                                : "/run/user/" + std::to_string(::getuid());
    const std::string socket = dir + "/bus";
    struct stat status {};
    if (::stat(socket.c_str(), &status) == 0)
        return;  // the library finds it there itself
    ::setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + EscapedAddressValue(socket)).c_str(), 1);
}

}  // namespace orvella
