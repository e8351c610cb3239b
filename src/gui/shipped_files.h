#pragma once

#include <string>
#include <vector>

namespace orvella {

// Files the program keeps beside itself ("Icons/StdImage.bmp", the icon of a new category).
// The build puts them beside the executable; a program folder that lacks one (a folder set
// by ORVELLA_PROGRAM_DIR, or the data folder of an installed copy) gets the built-in copy,
// so a new category never starts with a missing icon. A file already there is kept as it
// is. Returns a message for each file that could not be written.
// The preview's placeholder, "nopreview.png", is drawn and written the same way.
std::vector<std::string> EnsureShippedFiles(const std::string& program_dir);

inline constexpr const char* kNoPreviewFile = "nopreview.png";

// Relative names of the shipped files, with "/" as separator.
const std::vector<std::string>& ShippedFileNames();

}  // namespace orvella

namespace orvella {

// Registers the pictures, sounds and shipped files compiled into the program; call once
// after the application object exists.
void InitGuiResources();

}  // namespace orvella
