#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/profile/profile_document.h"
#include "platform/status.h"
#include "platform/system/environment.h"

namespace orvella {

// How a program outside Orvella hands it pictures (the file managers' action, and
// orvella-refresh for scripts): it writes them into "ovlimg.dat", names the category in
// "RefreshCategorie", and sends the refresh message to the window published as "WHandle".
// A running Orvella then re-reads that category; one that is not running finds the
// pictures at its next start.

struct CategoryChoice {
    int index = 0;
    std::string name;
};

// The categories that take pictures: the first one, the summary of all, does not. In index
// order, as many as the program loads.
std::vector<CategoryChoice> AddableCategories(const ProfileDocument& store);

// Adds those of `pictures` the category does not hold yet, each once (compared without
// regard to case, as the store does), and names the category in "RefreshCategorie".
// Returns how many were added; nullopt when `category` names no category that takes
// pictures, and nothing is changed then.
std::optional<int> AddPicturesToCategory(ProfileDocument& store, int category,
                                         const std::vector<std::string>& pictures);

// The same on the file, under its lock. The error names the file or the missing category.
Result<int> AddPicturesToStoreFile(const std::string& store_path, int category,
                                   const std::vector<std::string>& pictures);

// The window the running Orvella published in the hive; nullopt when none ever was.
std::optional<std::uint32_t> PublishedWindow(const std::string& registry_file);
// Sends the refresh message to that window; fails when nobody listens (Orvella has ended).
Status SendRefresh(const Environment& environment, std::uint32_t window);

}  // namespace orvella
