#pragma once

#include <QLocale>
#include <QString>
#include <string>

class QLabel;
class QStatusBar;

namespace orvella {

class MessageCatalogue;

// The main window's two panels below the lists: the current category's picture count, and
// the focused picture's file date and size, written the way the interface language writes
// them.
class StatusLine {
public:
    StatusLine(QStatusBar& bar, const MessageCatalogue& catalogue, bool german);

    void ShowCount(int count);
    void ShowFile(const std::string& path);
    // Nothing is focused: the file panel goes blank.
    void ClearFile();
    QString Text(int panel) const;

private:
    const MessageCatalogue& catalogue_;
    QLocale locale_;
    QLabel* count_;
    QLabel* file_;
};

}  // namespace orvella
