#include "platform/desktop/backends/kde_backend.h"

#include "platform/desktop/backends/json_text.h"
#include "platform/desktop/backends/shown_picture.h"
#include "platform/desktop/backends/x11_monitors.h"
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

std::string KdeWallpaperBackend::Script(const WallpaperChange& change,
                                        const std::vector<std::string>& pictures) {
    // File names go in as quoted literals, so no name can end a string early.
    std::string images;
    for (const std::string& picture : pictures.empty() ? std::vector{change.picture} : pictures)
        images += (images.empty() ? "" : ", ") + QuoteJson(FileUri(picture));
    // The screens ranked left to right, then top to bottom, as our monitors are; a desktop
    // on no screen takes the first picture.
    return "var images = [" + images +
           "];\n"
           "var all = desktops();\n"
           "var screens = [];\n"
           "for (var i = 0; i < all.length; i++) {\n"
           "    if (all[i].screen >= 0 && screens.indexOf(all[i].screen) < 0)\n"
           "        screens.push(all[i].screen);\n"
           "}\n"
           "screens.sort(function (a, b) {\n"
           "    var g = screenGeometry(a), h = screenGeometry(b);\n"
           "    return g.x - h.x || g.y - h.y;\n"
           "});\n"
           "for (var i = 0; i < all.length; i++) {\n"
           "    var d = all[i];\n"
           "    var rank = Math.max(screens.indexOf(d.screen), 0);\n"
           "    d.wallpaperPlugin = \"org.kde.image\";\n"
           "    d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];\n"
           "    d.writeConfig(\"Image\", images[rank % images.length]);\n"
           "    d.writeConfig(\"FillMode\", " +
           std::to_string(FillMode(change.style)) +
           ");\n"
           "    d.writeConfig(\"Color\", " +
           QuoteJson(HashColour(change.background)) +
           ");\n"
           "}\n";
}

std::vector<DesktopMonitor> KdeWallpaperBackend::Monitors() const {
    return DisplayMonitors(display_);
}

Status KdeWallpaperBackend::Show(const WallpaperChange& change) {
    return ShowUnderNewName(change,
                            [this](const WallpaperChange& handed) { return Apply(handed); });
}

Status KdeWallpaperBackend::Apply(const WallpaperChange& change) {
    std::vector<std::string> pictures;
    if (!change.monitor_pictures.empty()) {
        pictures = PicturesOfMonitors(change, Monitors());
    }
    // --print-reply makes dbus-send wait for plasmashell's answer, so a script error or a
    // missing plasmashell comes back as a failure.
    return RunChecked(CommandLine(command_, {"--session", "--print-reply",
                                             "--dest=org.kde.plasmashell", "--type=method_call",
                                             "/PlasmaShell", "org.kde.PlasmaShell.evaluateScript",
                                             "string:" + Script(change, pictures)}))
        .status();
}

}  // namespace orvella
