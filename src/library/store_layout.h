#pragma once

#include <string>
#include <string_view>

#include "library/picture_key_codec.h"

namespace orvella {

// The sections of "ovlimg.dat" that the store and the outside programs share.
inline constexpr std::string_view kCategoriesSection = "Categories";
inline constexpr std::string_view kCustomSection = "Custom";
inline constexpr std::string_view kRefreshKey = "RefreshCategorie";

std::string DetailsSection(std::string_view key);

}  // namespace orvella
