#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvella {

// One entry of a file dialog's type list: "Bitmaps (*.bmp)" with its patterns.
struct FileFilter {
    std::string description;
    std::vector<std::string> patterns;  // "*.bmp"
    bool operator==(const FileFilter&) const = default;
};

// Reads a filter in the Windows form "Text|*.a;*.b|Text 2|*.c". A text without patterns
// after it is dropped; blanks around patterns are ignored.
std::vector<FileFilter> ParseWindowsFilter(std::string_view filter);

struct OpenFileRequest {
    std::string title;
    std::string filter;  // Windows form
    std::string folder;  // where the dialog starts; empty for the last one used
    bool multiple = false;
    bool preview = false;  // show the selected picture beside the list
};

struct SaveFileRequest {
    std::string title;
    std::string filter;  // Windows form
    std::string file;    // the name the dialog starts with
    bool preview = false;
    bool overwrite_prompt = true;  // ask before an existing file is chosen
};

// Asks the user for files to open. The program's logic runs the same under a window, a
// terminal or a test, which scripts the answers.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The chosen files, in the order the dialog returns them; empty when cancelled.
    virtual std::vector<std::string> OpenFiles(const OpenFileRequest& request) = 0;
    // The chosen file name; empty when cancelled.
    virtual std::string SaveFile(const SaveFileRequest& request) = 0;
};

// Without a user to ask: every dialog is cancelled.
class CancellingFileChooser : public FileChooser {
public:
    std::vector<std::string> OpenFiles(const OpenFileRequest&) override { return {}; }
    std::string SaveFile(const SaveFileRequest&) override { return {}; }
};

}  // namespace orvella
