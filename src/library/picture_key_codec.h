#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/profile/profile_document.h"
#include "platform/profile/profile_writer.h"

namespace orvella {

// A picture path is stored as a key of its category's ".Wallpapers" section. Some paths
// cannot be keys: a profile reader would cut them at "=", trim their blanks, or take them
// for a comment or a section header. Those go to the category's ".EncodedWallpapers"
// section as "<position>=<path>", with line breaks and "%" escaped. Every writer of the
// store goes through WritePicture or AppendPictures, so no path can add lines of its own.
bool FitsPictureKey(std::string_view path);
std::string EscapePictureValue(std::string_view path);
std::string UnescapePictureValue(std::string_view value);

// The sections of the category named `key` in "Categories".
std::string WallpapersSection(std::string_view key);
std::string EncodedSection(std::string_view key);

// The paths of one category, in list order.
std::vector<std::string> ReadPictures(const ProfileDocument& document, const std::string& key);
// Stores `path` as the picture at `position` of the category.
void WritePicture(ProfileDocument& document, const std::string& key, std::size_t position,
                  std::string_view path);
// The same for many pictures of one category, with its section names made once.
struct PictureSections {
    explicit PictureSections(std::string_view key);
    std::string wallpapers;
    std::string encoded;
};
void WritePicture(ProfileDocument& document, const PictureSections& sections, std::size_t position,
                  std::string_view path);
class FirstSpellings;
// All pictures of one category, as WritePicture stores them one after the other: the
// section that gets the first picture comes first, a key that comes again is written once.
// `spellings` is scratch memory lent by the caller.
void WritePictures(ProfileWriter& out, const PictureSections& sections,
                   const std::vector<std::string>& pictures, FirstSpellings& spellings);
// Adds `paths` after the category's pictures; a path the category holds already (the same
// key, without regard to case) is not added again.
void AppendPictures(ProfileDocument& document, const std::string& key,
                    const std::vector<std::string>& paths);

}  // namespace orvella
