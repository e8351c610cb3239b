#include "settings/xdg_autostart.h"

#include <cerrno>
#include <cstdio>

#include "platform/files/files.h"

namespace orvella {
namespace {

std::string QuoteExecArgument(const std::string& argument) {
    bool needs_quotes = argument.empty();
    std::string quoted;
    for (char c : argument) {
        switch (c) {
            case '"':
            case '`':
            case '$':
            case '\\':
                quoted += '\\';
                needs_quotes = true;
                break;
            case ' ':
            case '\t':
            case '\'':
            case '>':
            case '<':
            case '~':
            case '|':
            case '&':
            case ';':
            case '*':
            case '?':
            case '#':
            case '(':
            case ')':
                needs_quotes = true;
                break;
            default:
                break;
        }
        quoted += c;
        if (c == '%')
            quoted += '%';  // field codes begin with "%"; a literal one is doubled
    }
    return needs_quotes ? "\"" + quoted + "\"" : quoted;
}

}  // namespace

std::string DesktopEntryExec(const std::string& program,
                             const std::vector<std::string>& arguments) {
    std::string exec = QuoteExecArgument(program);
    for (const std::string& argument : arguments)
        exec += " " + QuoteExecArgument(argument);
    return exec;
}

Status WriteAutostartEntry(const std::string& entry_path, const std::string& program,
                           const std::vector<std::string>& arguments) {
    if (Status made = EnsureDirectory(ParentFolder(entry_path)); !made)
        return made;
    const std::string entry =
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Name=Orvella\n"
        "Comment=Hintergrundbilder wechseln\n"
        "Exec=" +
        DesktopEntryExec(program, arguments) +
        "\n"
        "Icon=preferences-desktop-wallpaper\n"
        "Terminal=false\n"
        "X-GNOME-Autostart-enabled=true\n";
    return ReplaceFileAtomically(entry_path, entry);
}

Status RemoveAutostartEntry(const std::string& entry_path) {
    if (std::remove(entry_path.c_str()) != 0 && errno != ENOENT)
        return Status::Error(entry_path + ": " + SystemErrorText(errno));
    return Status::Ok();
}

}  // namespace orvella
