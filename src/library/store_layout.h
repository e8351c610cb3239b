#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/profile/profile_document.h"

namespace orvella {

// The sections of "ovlimg.dat" that the store and the outside programs share.
inline constexpr std::string_view kCategoriesSection = "Categories";
inline constexpr std::string_view kCustomSection = "Custom";
inline constexpr std::string_view kRefreshKey = "RefreshCategorie";

std::string DetailsSection(std::string_view key);
std::string WallpapersSection(std::string_view key);
// Paths that cannot be keys, as "<position>=<quoted path>". A reader that does not know
// this section ignores it rather than misreading the paths.
std::string EncodedSection(std::string_view key);

// The paths of one category's sections, in list order; `key` as listed in "Categories".
std::vector<std::string> ReadPictures(const ProfileDocument& document, const std::string& key);
// Stores `path` at `position` of the category's list: as a key where it fits one, else in
// the category's encoded section.
void WritePicture(ProfileDocument& document, const std::string& key, std::size_t position,
                  const std::string& path);

}  // namespace orvella
