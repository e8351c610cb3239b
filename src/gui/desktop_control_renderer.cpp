#include "gui/desktop_control_renderer.h"

#include <QBuffer>

#include "platform/files/files.h"

namespace orvella {

DesktopControlRenderer::DesktopControlRenderer(Sources sources) : sources_(std::move(sources)) {
    if (!sources_.others)
        sources_.others = std::make_unique<PassThroughPageRenderer>();
}

DesktopControlScene DesktopControlRenderer::SceneFor(const DesktopControlPage& page) const {
    DesktopControlScene scene;
    scene.page = page;
    scene.settings = ReadDesktopControlSettings(sources_.registry);
    scene.today = LocalDate(sources_.clock->Now());
    scene.screen = sources_.screen ? sources_.screen() : QSize();
    if (!scene.screen.isValid() || scene.screen.isEmpty())
        scene.screen = QSize(page.control_width + 20, page.control_height + 15);
    // The control looks for its picture where the options said the program lies; a folder
    // named there that has none (the program was moved) leaves the program's own.
    const std::string& named = scene.settings.wallpaper_path;
    scene.control_image = !named.empty() && FileExists(named + "Orvella2.jpg")
                              ? named + "Orvella2.jpg"
                              : sources_.program_dir + "Orvella2.jpg";
    return scene;
}

Result<std::string> DesktopControlRenderer::PictureForPage(const std::string& page) const {
    Result<std::optional<DesktopControlPage>> ours = ReadDesktopControlPage(page);
    if (!ours)
        return ours.status();
    if (!*ours)
        return sources_.others->PictureForPage(page);

    const DesktopControlScene scene = SceneFor(**ours);
    const QImage picture = PaintDesktopControl(scene);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    const std::string output =
        sources_.program_dir + "OrvellaDesktop" + std::to_string(next_ + 1) + ".png";
    if (!picture.save(&buffer, "PNG", 90))
        return Status::Error(output + ": the desktop control could not be drawn");
    if (Status written =
            ReplaceFileAtomically(output, std::string_view(png.constData(), png.size()));
        !written)
        return written;
    next_ = 1 - next_;
    if (sources_.drawn)
        sources_.drawn(scene);
    return output;
}

}  // namespace orvella
