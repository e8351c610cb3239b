#pragma once

#include <functional>

#include "tools/picture_actions.h"

class QAction;

namespace orvella {

class CategoryBar;

// The main window's commands that hand the focused or selected pictures, the help page, the
// homepage and the wallpaper sites to the desktop's other programs.
class PictureTools {
public:
    // `german` tells whether the German language item is checked; the help page and the
    // homepage follow it.
    PictureTools(const CategoryBar& bar, PictureActions actions, std::function<bool()> german);

    // The save dialog's texts in the interface language.
    static SaveDialogTexts TranslatedSaveDialogTexts();

    void Open();
    void SaveAs();
    void Print();
    // All selected pictures, in list order.
    void Mail();
    void Help();
    void Homepage();
    // The site of `item`, one of the eight "Im Internet" items ("WebLink1" to "WebLink8").
    void WebLink(const QAction& item);

private:
    const CategoryBar& bar_;
    PictureActions actions_;
    std::function<bool()> german_;
};

}  // namespace orvella
