#include "settings/file_manager_actions.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdio>

#include "platform/files/file_extension.h"
#include "platform/files/file_uri.h"
#include "platform/files/files.h"
#include "settings/shell_extension.h"
#include "settings/thunar_actions.h"
#include "settings/xdg_autostart.h"
#include "settings/xml_outline.h"

namespace orvella {
namespace {

constexpr std::string_view kMimeTypes = "image/bmp;image/jpeg;image/gif;image/png;text/html;";
constexpr std::string_view kDescriptionGerman = "Die Bilder einer Orvella-Kategorie hinzufügen";
constexpr std::string_view kDescriptionEnglish = "Add the pictures to a category of Orvella";

std::string Str(std::string_view text) {
    return std::string(text);
}

std::string NautilusScripts(const FileManagerFolders& folders) {
    return folders.data_home + "/nautilus/scripts/";
}
std::string DolphinPlasma5(const FileManagerFolders& folders) {
    return folders.data_home + "/kservices5/ServiceMenus/" + Str(kAddToCategoryProgram) +
           ".desktop";
}
std::string DolphinPlasma6(const FileManagerFolders& folders) {
    return folders.data_home + "/kio/servicemenus/" + Str(kAddToCategoryProgram) + ".desktop";
}
std::string NemoAction(const FileManagerFolders& folders) {
    return folders.data_home + "/nemo/actions/" + Str(kAddToCategoryProgram) + ".nemo_action";
}
std::string ThunarActions(const FileManagerFolders& folders) {
    return folders.config_home + "/Thunar/uca.xml";
}

// One word for the POSIX shell and for GLib's g_shell_parse_argv, which Thunar and Nemo
// run their commands through.
std::string ShellQuote(std::string_view word) {
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Name=, Name[de]= and Name[en]= of an entry.
std::string LocalizedNames(std::string_view key, bool english, std::string_view german_text,
                           std::string_view english_text) {
    return Str(key) + "=" + Str(english ? english_text : german_text) + "\n" + Str(key) +
           "[de]=" + Str(german_text) + "\n" + Str(key) + "[en]=" + Str(english_text) + "\n";
}

std::string DolphinServiceMenu(const FileManagerEntry& entry) {
    return "[Desktop Entry]\n"
           "Type=Service\n"
           "ServiceTypes=KonqPopupMenu/Plugin\n"
           "X-KDE-ServiceTypes=KonqPopupMenu/Plugin\n"
           "MimeType=" +
           Str(kMimeTypes) +
           "\n"
           "Actions=addToOrvellaCategory;\n"
           "\n"
           "[Desktop Action addToOrvellaCategory]\n" +
           LocalizedNames("Name", entry.english, kAddToCategoryGerman, kAddToCategoryEnglish) +
           "Icon=orvella\n"
           "Exec=" +
           DesktopEntryValue(DesktopEntryExec(entry.program, {"--"})) + " %F\n";
}

// Nemo hands over URIs: they hold no blank, quote or backslash that its command line
// could split or eat, and the program reads them back into paths.
std::string NemoActionFile(const FileManagerEntry& entry) {
    std::string extensions;
    for (std::string_view extension : kShellExtensionTypes)
        extensions += Str(extension.substr(1)) + ";";
    return "[Nemo Action]\n" +
           LocalizedNames("Name", entry.english, kAddToCategoryGerman, kAddToCategoryEnglish) +
           LocalizedNames("Comment", entry.english, kDescriptionGerman, kDescriptionEnglish) +
           "Exec=" + DesktopEntryValue(ShellQuote(entry.program)) +
           " -- %U\n"
           "Icon-Name=orvella\n"
           "Selection=NotNone\n"
           "Extensions=" +
           extensions +
           "\n"
           "Quote=double\n";
}

std::string ThunarAction(const FileManagerEntry& entry) {
    std::string patterns;
    for (const bool upper : {false, true}) {
        for (std::string_view extension : kShellExtensionTypes) {
            std::string pattern = "*" + Str(extension);
            for (char& c : pattern)
                c = upper && c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
            patterns += (patterns.empty() ? "" : ";") + pattern;
        }
    }
    const std::string name = Str(entry.english ? kAddToCategoryEnglish : kAddToCategoryGerman);
    return "<action>\n"
           "\t<icon>orvella</icon>\n"
           "\t<name>" +
           EscapeXml(name) +
           "</name>\n"
           "\t<name xml:lang=\"de\">" +
           EscapeXml(kAddToCategoryGerman) +
           "</name>\n"
           "\t<name xml:lang=\"en\">" +
           EscapeXml(kAddToCategoryEnglish) +
           "</name>\n"
           "\t<submenu></submenu>\n"
           "\t<unique-id>" +
           Str(kAddToCategoryProgram) +
           "</unique-id>\n"
           "\t<command>" +
           EscapeXml(ShellQuote(entry.program)) +
           " -- %F</command>\n"
           "\t<description>" +
           EscapeXml(entry.english ? kDescriptionEnglish : kDescriptionGerman) +
           "</description>\n"
           "\t<range>*</range>\n"
           "\t<patterns>" +
           patterns +
           "</patterns>\n"
           "\t<image-files/>\n"
           "\t<text-files/>\n"
           "\t<other-files/>\n"
           "</action>";
}

Status WriteEntryFile(const std::string& path, const std::string& content, bool executable) {
    if (Status made = EnsureDirectory(ParentFolder(path)); !made)
        return made;
    if (Status written = ReplaceFileAtomically(path, content); !written)
        return written;
    if (executable && ::chmod(path.c_str(), 0755) != 0)
        return Status::Error(path + ": " + SystemErrorText(errno));
    return Status::Ok();
}

Status RemoveEntryFile(const std::string& path) {
    if (std::remove(path.c_str()) != 0 && errno != ENOENT && errno != ENOTDIR)
        return Status::Error(path + ": " + SystemErrorText(errno));
    return Status::Ok();
}

// Nautilus names a script by its file name and hands the selection over in
// NAUTILUS_SCRIPT_SELECTED_FILE_PATHS: a link to our program is all it needs.
bool IsOurLink(const std::string& path) {
    char target[PATH_MAX];
    const ssize_t length = ::readlink(path.c_str(), target, sizeof target - 1);
    return length > 0 && std::string_view(target, static_cast<std::size_t>(length))
                             .ends_with("/" + Str(kAddToCategoryProgram));
}

Status RemoveNautilusLinks(const FileManagerFolders& folders, std::string_view keep) {
    for (std::string_view label : {kAddToCategoryGerman, kAddToCategoryEnglish}) {
        const std::string path = NautilusScripts(folders) + Str(label);
        if (label != keep && IsOurLink(path) && ::unlink(path.c_str()) != 0)
            return Status::Error(path + ": " + SystemErrorText(errno));
    }
    return Status::Ok();
}

Status InstallNautilus(const FileManagerFolders& folders, const FileManagerEntry& entry) {
    const std::string_view label = entry.english ? kAddToCategoryEnglish : kAddToCategoryGerman;
    const std::string path = NautilusScripts(folders) + Str(label);
    if (Status made = EnsureDirectory(NautilusScripts(folders)); !made)
        return made;
    if (Status removed = RemoveNautilusLinks(folders, label); !removed)
        return removed;
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0) {
        if (!IsOurLink(path))
            return Status::Error(path + ": a script of the user's has this name; left as it is");
        if (::unlink(path.c_str()) != 0)
            return Status::Error(path + ": " + SystemErrorText(errno));
    }
    if (::symlink(entry.program.c_str(), path.c_str()) != 0)
        return Status::Error(path + ": " + SystemErrorText(errno));
    return Status::Ok();
}

Status InstallThunar(const FileManagerFolders& folders, const FileManagerEntry& entry) {
    const std::string path = ThunarActions(folders);
    Result<std::optional<std::string>> current = ReadWholeFile(path);
    if (!current)
        return current.status();
    const std::optional<std::string> merged =
        MergeThunarAction(*current, kAddToCategoryProgram, ThunarAction(entry));
    if (!merged)
        return Status::Error(path + " is not well-formed XML; the Thunar action was not added");
    if (*current == merged)
        return Status::Ok();
    return WriteEntryFile(path, *merged, false);
}

Status RemoveThunar(const FileManagerFolders& folders) {
    const std::string path = ThunarActions(folders);
    Result<std::optional<std::string>> current = ReadWholeFile(path);
    if (!current)
        return current.status();
    if (!current->has_value())
        return Status::Ok();
    const std::optional<std::string> left = RemoveThunarAction(**current, kAddToCategoryProgram);
    if (!left)
        return Status::Error(path + " is not well-formed XML; the Thunar action was not removed");
    if (left->empty())
        return RemoveEntryFile(path);
    return *left == **current ? Status::Ok() : ReplaceFileAtomically(path, *left);
}

void Collect(std::vector<std::string>& messages, const Status& status) {
    if (!status)
        messages.push_back(status.message());
}

bool IsHandledType(const std::string& path) {
    const std::string extension = LoweredExtension(path);
    for (std::string_view handled : kShellExtensionTypes) {
        if (extension == handled)
            return true;
    }
    return false;
}

std::string AbsolutePath(const std::string& argument, const std::string& working_dir) {
    if (std::optional<std::string> path = PathFromFileUri(argument))
        return *path;
    if (argument.starts_with('/') || working_dir.empty())
        return argument;
    return working_dir + (working_dir.ends_with('/') ? "" : "/") + argument;
}

}  // namespace

std::vector<std::string> SelectedPictures(const std::vector<std::string>& arguments,
                                          const Environment& environment,
                                          const std::string& working_dir) {
    std::vector<std::string> given;
    if (std::optional<std::string> list = environment.Get("NAUTILUS_SCRIPT_SELECTED_FILE_PATHS")) {
        std::size_t start = 0;
        while (start < list->size()) {
            const std::size_t end = std::min(list->find('\n', start), list->size());
            if (end > start)
                given.push_back(list->substr(start, end - start));
            start = end + 1;
        }
    } else {
        const auto files = std::find(arguments.begin(), arguments.end(), "--");
        given.assign(files == arguments.end() ? arguments.begin() : files + 1, arguments.end());
    }
    std::vector<std::string> pictures;
    for (const std::string& argument : given) {
        const std::string path = AbsolutePath(argument, working_dir);
        if (IsHandledType(path))
            pictures.push_back(path);
    }
    return pictures;
}

FileManagerFolders FileManagerFoldersOf(const Environment& environment) {
    return {XdgFolder(environment, "XDG_DATA_HOME", "/.local/share"),
            XdgFolder(environment, "XDG_CONFIG_HOME", "/.config")};
}

std::vector<std::string> InstallFileManagerEntries(const FileManagerFolders& folders,
                                                   const FileManagerEntry& entry) {
    std::vector<std::string> messages;
    Collect(messages, InstallNautilus(folders, entry));
    const std::string menu = DolphinServiceMenu(entry);
    Collect(messages, WriteEntryFile(DolphinPlasma5(folders), menu, false));
    // Plasma 6 runs a service menu of the user's only when the file is executable.
    Collect(messages, WriteEntryFile(DolphinPlasma6(folders), menu, true));
    Collect(messages, InstallThunar(folders, entry));
    Collect(messages, WriteEntryFile(NemoAction(folders), NemoActionFile(entry), false));
    return messages;
}

std::vector<std::string> RemoveFileManagerEntries(const FileManagerFolders& folders) {
    std::vector<std::string> messages;
    Collect(messages, RemoveNautilusLinks(folders, {}));
    Collect(messages, RemoveEntryFile(DolphinPlasma5(folders)));
    Collect(messages, RemoveEntryFile(DolphinPlasma6(folders)));
    Collect(messages, RemoveThunar(folders));
    Collect(messages, RemoveEntryFile(NemoAction(folders)));
    return messages;
}

}  // namespace orvella
