#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvella {

class MessageCatalogue;
class Prompter;
class TCategoryStore;

// What adding pictures needs to know of the desktop: a picture other than a ".bmp" shows
// as the wallpaper only with the Active Desktop on, except on Windows XP.
class ActiveDesktopSwitch {
public:
    virtual ~ActiveDesktopSwitch() = default;
    virtual bool IsActiveDesktopOn() const = 0;
    virtual void EnableActiveDesktop() = 0;
    virtual bool IsWinXP() const = 0;
};

// ".bmp", ".jpg", ".jpeg", ".gif", ".png", ".htm", ".html", in any case.
bool IsAcceptedPictureKind(std::string_view path);

enum class DropEffect { None = 0, Copy = 1 };
// Copy only when every file is of an accepted kind; the check stops at the first that
// is not.
DropEffect DropEffectFor(const std::vector<std::string>& files);

// Adds `files` to category `index` (and the summary), in order. A file that is not a
// ".bmp" asks to switch the Active Desktop on while it is off and the system is not
// Windows XP: "Yes" switches it on and adds the file, anything else skips it. Returns
// how many were added; the caller saves.
int AddPicturesAsking(TCategoryStore& store, int index, const std::vector<std::string>& files,
                      ActiveDesktopSwitch& desktop, const MessageCatalogue& catalogue,
                      Prompter& prompter);

}  // namespace orvella
