#include "platform/desktop/backends/shown_picture.h"

#include <unistd.h>

#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/files/file_copy.h"
#include "platform/files/file_extension.h"
#include "platform/files/files.h"

namespace orvella {
namespace {

constexpr std::string_view kPrefix = "OrvellaShown";

// The turn (1 or 2) a name of ours stands for; 0 for any other name.
int TurnOf(std::string_view name) {
    if (!name.starts_with(kPrefix) || name.size() == kPrefix.size())
        return 0;
    const char turn = name[kPrefix.size()];
    const std::string_view rest = name.substr(kPrefix.size() + 1);
    if ((turn != '1' && turn != '2') || (!rest.empty() && rest.front() != '.'))
        return 0;
    return turn - '0';
}

// The names of ours in `folder`, as file names.
std::vector<std::string> NamesOfOurs(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry :
         std::filesystem::directory_iterator(folder.empty() ? "." : folder, error)) {
        std::string name = entry.path().filename().string();
        if (TurnOf(name) != 0)
            names.push_back(std::move(name));
    }
    return names;
}

std::string FileNameOf(const std::string& path) {
    return path.substr(ParentFolder(path).size());
}

}  // namespace

ShownPicture::ShownPicture(const std::string& picture)
    : folder_(ParentFolder(picture)), path_(picture) {
    if (TurnOf(FileNameOf(picture)) != 0)
        return;  // already one of ours (shown again in a new colour)
    int turn = 1;
    for (const std::string& name : NamesOfOurs(folder_)) {
        if (TurnOf(name) == 1)
            turn = 2;
    }
    const std::string shown =
        folder_ + std::string(kPrefix) + std::to_string(turn) + std::string(ExtensionOf(picture));
    ::unlink(shown.c_str());
    // A link costs nothing; the copy beside the program is replaced by a rename, never
    // rewritten in place, so the link keeps the picture it was made for.
    if (::link(picture.c_str(), shown.c_str()) != 0 && !CopyFileReplacing(picture, shown))
        return;
    path_ = shown;
    made_ = true;
}

ShownPicture::~ShownPicture() {
    if (made_)
        ::unlink(path_.c_str());
}

void ShownPicture::Keep() {
    const std::string kept = FileNameOf(path_);
    for (const std::string& name : NamesOfOurs(folder_)) {
        if (name != kept)
            ::unlink((folder_ + name).c_str());
    }
    made_ = false;
}

}  // namespace orvella
