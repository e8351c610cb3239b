#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvella {

// GetDriveTypeA's answers.
enum class DriveType {
    Unknown = 0,
    NoRootDir = 1,
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6,
};

// A drive is a mount point: its root keeps a trailing separator as "C:\" does.
struct Drive {
    std::string root;
    DriveType type = DriveType::Unknown;
    std::string label;  // the file system's label, else the mount point's name
    std::string file_system;
    bool operator==(const Drive&) const = default;
};

// Reads the drives out of a /proc/self/mountinfo text. Local block-device file systems
// are fixed drives (removable under /media and /run/media, optical by their file system),
// network file systems remote ones; virtual file systems are no drives. "/" is always
// a drive, the system's own, even when it is an overlay (a container). `label_of` maps a
// device path to its file system label, or "" when it has none.
std::vector<Drive> DrivesFromMountInfo(
    std::string_view mountinfo, const std::function<std::string(const std::string&)>& label_of);

class Drives {
public:
    virtual ~Drives() = default;
    virtual std::vector<Drive> List() const = 0;
};

// The running system's mounts, with labels from /dev/disk/by-label.
class HostDrives : public Drives {
public:
    std::vector<Drive> List() const override;
};

}  // namespace orvella
