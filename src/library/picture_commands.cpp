#include "library/picture_commands.h"

#include <algorithm>
#include <array>

#include "library/category_store.h"
#include "platform/text.h"
#include "shell/message_catalogue.h"
#include "shell/prompter.h"

namespace orvella {
namespace {

constexpr std::array<std::string_view, 7> kAcceptedKinds = {".bmp", ".jpg", ".jpeg", ".gif",
                                                            ".png", ".htm", ".html"};

// The extension from the file name's last dot, folded to lower case.
std::string LowerExtension(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string() : FoldCase(name.substr(dot));
}

}  // namespace

bool IsAcceptedPictureKind(std::string_view path) {
    const std::string extension = LowerExtension(path);
    return std::find(kAcceptedKinds.begin(), kAcceptedKinds.end(), extension) !=
           kAcceptedKinds.end();
}

DropEffect DropEffectFor(const std::vector<std::string>& files) {
    if (files.empty())
        return DropEffect::None;
    for (const std::string& file : files) {
        if (!IsAcceptedPictureKind(file))
            return DropEffect::None;
    }
    return DropEffect::Copy;
}

int AddPicturesAsking(TCategoryStore& store, int index, const std::vector<std::string>& files,
                      ActiveDesktopSwitch& desktop, const MessageCatalogue& catalogue,
                      Prompter& prompter) {
    int added = 0;
    for (const std::string& file : files) {
        const bool needs_active_desktop =
            LowerExtension(file) != ".bmp" && !desktop.IsActiveDesktopOn() && !desktop.IsWinXP();
        if (needs_active_desktop) {
            if (ShowCatalogueMessage(prompter, catalogue, kSMsgEnableAD) != MessageResult::Yes)
                continue;
            desktop.EnableActiveDesktop();
        }
        store.AddPicture(index, file, true);
        ++added;
    }
    return added;
}

}  // namespace orvella
