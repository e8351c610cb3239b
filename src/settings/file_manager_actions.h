#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/system/environment.h"

namespace orvella {

// The file managers' entry for pictures and HTML pages, and the program it starts.
inline constexpr std::string_view kAddToCategoryProgram = "orvella-add-to-category";
inline constexpr std::string_view kAddToCategoryGerman = "Zu Orvella-Kategorie hinzufügen...";
inline constexpr std::string_view kAddToCategoryEnglish = "Add to Orvella category...";

// The user's folders the file managers read their actions from: the XDG base directories
// without a trailing "/".
struct FileManagerFolders {
    std::string data_home;
    std::string config_home;
};
FileManagerFolders FileManagerFoldersOf(const Environment& environment);

struct FileManagerEntry {
    std::string program;   // the full path of orvella-add-to-category
    bool english = false;  // the program's language: the name Nautilus shows, and the
                           // name where a file manager's language is neither German nor English
};

// Adds the entry for the current user to Nautilus (a link in its scripts folder, named
// after the entry), Dolphin (a service menu for Plasma 5 and one for Plasma 6), Thunar
// (an action merged into "uca.xml") and Nemo (an action file). Each file manager on its
// own: one that cannot be served is skipped with a message, the others still get the
// entry. Installing again changes nothing. Returns the messages.
std::vector<std::string> InstallFileManagerEntries(const FileManagerFolders& folders,
                                                   const FileManagerEntry& entry);

// Removes exactly what InstallFileManagerEntries added, nothing of the user's.
std::vector<std::string> RemoveFileManagerEntries(const FileManagerFolders& folders);

// The pictures an entry hands to orvella-add-to-category: Nautilus' list in
// NAUTILUS_SCRIPT_SELECTED_FILE_PATHS when it is set, else the arguments after "--" (all
// arguments without one): paths, relative ones taken from `working_dir`, or "file://"
// URIs. Files of other types than the seven are left out.
std::vector<std::string> SelectedPictures(const std::vector<std::string>& arguments,
                                          const Environment& environment,
                                          const std::string& working_dir);

}  // namespace orvella
