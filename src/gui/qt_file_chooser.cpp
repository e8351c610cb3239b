#include "gui/qt_file_chooser.h"

#include <QFileDialog>
#include <QImageReader>
#include <QLabel>
#include <QLayout>
#include <QStringList>

#include "gui/file_path_text.h"

namespace orvella {
namespace {

constexpr int kPreviewSize = 160;

// A label beside the file list that shows the selected picture, scaled to fit.
void AddPreview(QFileDialog& dialog) {
    auto* preview = new QLabel(&dialog);
    preview->setFixedSize(kPreviewSize, kPreviewSize);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFrameShape(QFrame::StyledPanel);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
        grid->addWidget(preview, 1, grid->columnCount(), grid->rowCount() - 1, 1);
    QObject::connect(
        &dialog, &QFileDialog::currentChanged, preview, [preview](const QString& path) {
            QImageReader reader(path);
            reader.setAutoTransform(true);
            const QSize size = reader.size();
            if (size.isValid())
                reader.setScaledSize(size.scaled(kPreviewSize, kPreviewSize, Qt::KeepAspectRatio));
            const QImage picture = reader.read();
            preview->setPixmap(picture.isNull() ? QPixmap() : QPixmap::fromImage(picture));
        });
}

}  // namespace

std::vector<std::string> QtFileChooser::SelectedPaths(const QFileDialog& dialog) {
    last_folder_ = dialog.directoryUrl();
    // As URLs: the desktop's dialogs answer with every byte of a name in them.
    std::vector<std::string> paths;
    for (const QUrl& url : dialog.selectedUrls()) {
        if (std::optional<std::string> path = PathOfUrl(url))
            paths.push_back(std::move(*path));
    }
    return paths;
}

QString QtNameFilters(const std::string& windows_filter) {
    QStringList filters;
    for (const FileFilter& filter : ParseWindowsFilter(windows_filter)) {
        QStringList patterns;
        for (const std::string& pattern : filter.patterns)
            patterns << QString::fromStdString(pattern);
        filters << QString::fromStdString(filter.description) + QStringLiteral(" (") +
                       patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

std::vector<std::string> QtFileChooser::OpenFiles(const OpenFileRequest& request) {
    QFileDialog dialog(owner_, QString::fromStdString(request.title));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    dialog.setNameFilter(QtNameFilters(request.filter));
    const QUrl folder = request.folder.empty() ? last_folder_ : UrlOfPath(request.folder);
    if (!folder.isEmpty())
        dialog.setDirectoryUrl(folder);
    if (request.preview) {
        // Qt's own dialog, since a native one takes no extra widget.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        AddPreview(dialog);
    }
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return SelectedPaths(dialog);
}

std::string QtFileChooser::SaveFile(const SaveFileRequest& request) {
    QFileDialog dialog(owner_, QString::fromStdString(request.title));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QtNameFilters(request.filter));
    if (!request.overwrite_prompt)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.file.empty())
        dialog.selectUrl(UrlOfPath(request.file));
    if (request.preview) {
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        AddPreview(dialog);
    }
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const std::vector<std::string> chosen = SelectedPaths(dialog);
    return chosen.empty() ? std::string() : chosen.front();
}

}  // namespace orvella
