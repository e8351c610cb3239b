#include "platform/system/drives.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>

#include "platform/files/files.h"

namespace orvella {
namespace {

constexpr std::array<std::string_view, 10> kRemote = {
    "nfs", "nfs4", "cifs", "smb3", "smbfs", "fuse.sshfs", "sshfs", "9p", "afs", "ncpfs"};
constexpr std::array<std::string_view, 3> kOptical = {"iso9660", "udf", "cd9660"};

template <std::size_t N>
bool OneOf(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// mountinfo escapes blanks, tabs, newlines and backslashes as octal "\040" and the like.
std::string Unescape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '7' &&
            text[i + 2] >= '0' && text[i + 2] <= '7' && text[i + 3] >= '0' && text[i + 3] <= '7') {
            out.push_back(static_cast<char>((text[i + 1] - '0') * 64 + (text[i + 2] - '0') * 8 +
                                            (text[i + 3] - '0')));
            i += 3;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

// udev names label links with "\x20" for a blank and the like.
std::string UnescapeUdev(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    const auto hex = [](char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x' && hex(text[i + 2]) >= 0 &&
            hex(text[i + 3]) >= 0) {
            out.push_back(static_cast<char>(hex(text[i + 2]) * 16 + hex(text[i + 3])));
            i += 3;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (start < line.size()) {
        while (start < line.size() && line[start] == ' ')
            ++start;
        if (start >= line.size())
            break;
        std::size_t end = line.find(' ', start);
        if (end == std::string_view::npos)
            end = line.size();
        fields.push_back(line.substr(start, end - start));
        start = end;
    }
    return fields;
}

std::string MountName(const std::string& mount_point) {
    if (mount_point == "/")
        return "/";
    std::string_view name = mount_point;
    while (name.size() > 1 && name.back() == '/')
        name.remove_suffix(1);
    return std::string(name.substr(name.rfind('/') + 1));
}

}  // namespace

std::vector<Drive> DrivesFromMountInfo(
    std::string_view mountinfo, const std::function<std::string(const std::string&)>& label_of) {
    std::vector<Drive> drives;
    std::map<std::string, std::size_t> by_root;  // a later mount over the same point wins
    std::size_t start = 0;
    while (start < mountinfo.size()) {
        std::size_t end = mountinfo.find('\n', start);
        if (end == std::string_view::npos)
            end = mountinfo.size();
        const std::vector<std::string_view> fields = Fields(mountinfo.substr(start, end - start));
        start = end + 1;
        // id parent major:minor root mount-point options [optional...] - fstype source super
        const auto separator = std::find(fields.begin(), fields.end(), "-");
        if (fields.size() < 5 || separator == fields.end() || fields.end() - separator < 3) {
            continue;
        }
        const std::string mount_point = Unescape(fields[4]);
        const std::string file_system(separator[1]);
        const std::string source = Unescape(separator[2]);

        Drive drive;
        drive.file_system = file_system;
        if (OneOf(kRemote, file_system)) {
            drive.type = DriveType::Remote;
        } else if (OneOf(kOptical, file_system)) {
            drive.type = DriveType::CdRom;
        } else if (source.starts_with("/dev/") && !source.starts_with("/dev/loop")) {
            drive.type =
                mount_point.starts_with("/media/") || mount_point.starts_with("/run/media/")
                    ? DriveType::Removable
                    : DriveType::Fixed;
        } else if (mount_point == "/") {
            drive.type = DriveType::Fixed;
        } else {
            continue;
        }
        drive.root = mount_point.back() == '/' ? mount_point : mount_point + "/";
        drive.label = source.starts_with("/dev/") && label_of ? label_of(source) : "";
        if (drive.label.empty())
            drive.label = MountName(mount_point);

        if (const auto found = by_root.find(drive.root); found != by_root.end()) {
            drives[found->second] = std::move(drive);
        } else {
            by_root.emplace(drive.root, drives.size());
            drives.push_back(std::move(drive));
        }
    }
    std::sort(drives.begin(), drives.end(),
              [](const Drive& a, const Drive& b) { return a.root < b.root; });
    return drives;
}

std::vector<Drive> HostDrives::List() const {
    Result<std::optional<std::string>> mountinfo = ReadWholeFile("/proc/self/mountinfo");
    if (!mountinfo || !mountinfo->has_value())
        return {};

    std::map<std::string, std::string> labels;  // canonical device -> label
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/disk/by-label", error)) {
        const auto device = std::filesystem::canonical(entry.path(), error);
        if (!error)
            labels[device.string()] = UnescapeUdev(entry.path().filename().string());
    }
    const auto label_of = [&](const std::string& device) {
        std::error_code ignored;
        const auto canonical = std::filesystem::canonical(device, ignored);
        const auto found = labels.find(ignored ? device : canonical.string());
        return found == labels.end() ? std::string() : found->second;
    };
    return DrivesFromMountInfo(**mountinfo, label_of);
}

}  // namespace orvella
