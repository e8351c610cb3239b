#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>
#include <string>
#include <vector>

#include "shell/file_chooser.h"

class QFileDialog;

namespace orvella {

// The open and save dialogs over Qt's file dialog, with a picture preview where asked for.
class QtFileChooser : public FileChooser {
public:
    explicit QtFileChooser(QWidget* owner = nullptr) : owner_(owner) {}
    void SetOwner(QWidget* owner) { owner_ = owner; }
    std::vector<std::string> OpenFiles(const OpenFileRequest& request) override;
    std::string SaveFile(const SaveFileRequest& request) override;

private:
    // The chosen files' paths; remembers the dialog's folder for the next one.
    std::vector<std::string> SelectedPaths(const QFileDialog& dialog);

    QWidget* owner_;
    QUrl last_folder_;
};

// "Text (*.a *.b);;Text 2 (*.c)": the Qt form of a Windows filter. The patterns go last in
// brackets, where Qt looks for them, so a text with brackets of its own shows unchanged.
QString QtNameFilters(const std::string& windows_filter);

}  // namespace orvella
