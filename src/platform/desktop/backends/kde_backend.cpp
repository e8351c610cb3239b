#include "platform/desktop/backends/kde_backend.h"

#include "platform/desktop/backends/json_text.h"
#include "platform/desktop/backends/shown_picture.h"
#include "platform/files/file_uri.h"
#include "platform/system/process.h"

namespace orvella {

int KdeWallpaperBackend::FillMode(WallpaperStyle style) {
    switch (style) {
        case WallpaperStyle::Centre:
            return 6;
        case WallpaperStyle::Tile:
            return 3;
        case WallpaperStyle::Stretch:
            return 0;
    }
    return 6;
}

std::string KdeWallpaperBackend::Script(const WallpaperChange& change) {
    // The file name goes in as a quoted literal, so no name can end the string early.
    return "var all = desktops();\n"
           "for (var i = 0; i < all.length; i++) {\n"
           "    var d = all[i];\n"
           "    d.wallpaperPlugin = \"org.kde.image\";\n"
           "    d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];\n"
           "    d.writeConfig(\"Image\", " +
           QuoteJson(FileUri(change.picture)) +
           ");\n"
           "    d.writeConfig(\"FillMode\", " +
           std::to_string(FillMode(change.style)) +
           ");\n"
           "    d.writeConfig(\"Color\", " +
           QuoteJson(HashColour(change.background)) +
           ");\n"
           "}\n";
}

Status KdeWallpaperBackend::Show(const WallpaperChange& change) {
    return ShowUnderNewName(change,
                            [this](const WallpaperChange& handed) { return Apply(handed); });
}

Status KdeWallpaperBackend::Apply(const WallpaperChange& change) {
    // --print-reply makes dbus-send wait for plasmashell's answer, so a script error or a
    // missing plasmashell comes back as a failure.
    return RunChecked(CommandLine(command_, {"--session", "--print-reply",
                                             "--dest=org.kde.plasmashell", "--type=method_call",
                                             "/PlasmaShell", "org.kde.PlasmaShell.evaluateScript",
                                             "string:" + Script(change)}))
        .status();
}

}  // namespace orvella
