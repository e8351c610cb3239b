#include "gui/shipped_files.h"

#include <QBuffer>
#include <QFile>

#include "gui/no_preview_picture.h"
#include "platform/files/files.h"

namespace orvella {

const std::vector<std::string>& ShippedFileNames() {
    static const std::vector<std::string> names{"Icons/StdImage.bmp"};
    return names;
}

namespace {

// Drawn by the program rather than carried: a picture it can make as well as store.
Status WriteNoPreviewPicture(const std::string& target) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!DrawNoPreviewPicture().save(&buffer, "PNG"))
        return Status::Error(target + ": the placeholder picture could not be drawn");
    return ReplaceFileAtomically(
        target, std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
}

}  // namespace

std::vector<std::string> EnsureShippedFiles(const std::string& program_dir) {
    std::vector<std::string> problems;
    const std::string no_preview = program_dir + kNoPreviewFile;
    if (!FileExists(no_preview)) {
        const Status status = WriteNoPreviewPicture(no_preview);
        if (!status)
            problems.push_back(status.message());
    }
    for (const std::string& name : ShippedFileNames()) {
        const std::string target = program_dir + name;
        if (FileExists(target))
            continue;
        QFile built_in(QStringLiteral(":/orvella/shipped/") + QString::fromStdString(name));
        if (!built_in.open(QIODevice::ReadOnly)) {
            problems.push_back("built-in " + name + " is missing from the program");
            continue;
        }
        const QByteArray bytes = built_in.readAll();
        Status status = EnsureDirectory(ParentFolder(target));
        if (status)
            status = ReplaceFileAtomically(
                target,
                std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        if (!status)
            problems.push_back(status.message());
    }
    return problems;
}

}  // namespace orvella

// Q_INIT_RESOURCE must run from the global namespace.
static void InitOrvellaResources() {
    Q_INIT_RESOURCE(orvella);
}

namespace orvella {

void InitGuiResources() {
    InitOrvellaResources();
}

}  // namespace orvella
