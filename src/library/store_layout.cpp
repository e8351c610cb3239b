#include "library/store_layout.h"

#include <algorithm>
#include <map>

#include "library/picture_key_codec.h"

namespace orvella {

std::string DetailsSection(std::string_view key) {
    return std::string(key) + ".Details";
}

std::string WallpapersSection(std::string_view key) {
    return std::string(key) + ".Wallpapers";
}

std::string EncodedSection(std::string_view key) {
    return std::string(key) + ".EncodedWallpapers";
}

std::vector<std::string> ReadPictures(const ProfileDocument& document, const std::string& key) {
    std::vector<std::string> pictures = document.KeyNames(WallpapersSection(key));
    std::map<int, std::string> encoded;
    const std::string section = EncodedSection(key);
    for (const std::string& position : document.KeyNames(section)) {
        const std::optional<std::int32_t> at = ParseProfileInteger(position);
        const std::optional<std::string> value = document.Value(section, position);
        if (at && *at >= 0 && value)
            encoded.emplace(*at, UnescapePictureValue(*value));
    }
    for (auto& [position, path] : encoded) {
        const auto at = std::min<std::size_t>(static_cast<std::size_t>(position), pictures.size());
        pictures.insert(pictures.begin() + static_cast<std::ptrdiff_t>(at), std::move(path));
    }
    return pictures;
}

void WritePicture(ProfileDocument& document, const std::string& key, std::size_t position,
                  const std::string& path) {
    if (FitsPictureKey(path)) {
        document.SetValue(WallpapersSection(key), path, "");
    } else {
        document.SetValue(EncodedSection(key), std::to_string(position), EscapePictureValue(path));
    }
}

}  // namespace orvella
