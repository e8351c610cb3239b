#pragma once

#include <QObject>
#include <string>

class QAction;

namespace orvella {

class TFormStorage;
class TPreviewForm;

// The main window's side of the preview window: the menu item "Vorschaubild anzeigen" that
// shows and hides it, and the pictures the window hands to it. The preview window is made
// after the main window and may be missing (tests, a failed start).
class PreviewLink : public QObject {
    Q_OBJECT

public:
    // `show_preview` is the checkable menu item; its mark says whether the preview is on.
    PreviewLink(QAction& show_preview, QObject* parent);

    void SetForm(TPreviewForm* preview);
    // The menu item's mark as a stored property of the main window's form state.
    void KeepMark(TFormStorage& storage);
    // The menu item was clicked and has toggled its mark already.
    void MenuClicked();
    // Loads `path` into the preview window, shown or not.
    void Show(const std::string& path);
    // The focus moved to `path`: shown while the preview is on.
    void ShowFocused(const std::string& path);
    // Nothing is focused any more: while the preview is on, it goes blank.
    void Clear();
    // The main window came up: the preview comes with it when it is on.
    void ShowWithWindow();
    // The program ends; the mark stays as it was, for the next start.
    void CloseForExit();

private:
    bool On() const;

    QAction& show_preview_;
    TPreviewForm* preview_ = nullptr;
};

}  // namespace orvella
