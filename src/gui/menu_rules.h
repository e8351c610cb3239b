#pragma once

#include <optional>

namespace orvella {

// What the menus' entries depend on: the current category, its list's focus and
// selection, and the bar button last right-clicked.
struct MenuState {
    int current_category = 0;
    bool has_focused = false;
    bool has_selected = false;
    int kat_popup_tag = 0;
};

struct CategoriesMenuRules {
    bool edit_category = false;
    bool delete_category = false;
    // nullopt: the entry keeps the state it had.
    std::optional<bool> remove_pictures;
    bool copy_move = false;
    bool remove_all = true;
};

struct PictureMenuRules {
    bool set_selected = false;  // also open, save as and print
    bool mail = false;
    bool remove = false;     // the context menu only
    bool copy_move = false;  // the context menu only
};

// Menu "Kategorien": editing and deleting need a category other than the first;
// removing and copying pictures need a selection there.
CategoriesMenuRules CategoriesMenu(const MenuState& state);
// Menu "Hintergrundbild" and the lists' context menu.
PictureMenuRules PictureMenu(const MenuState& state);
// The bar buttons' context menu: the first category can be neither edited nor deleted.
inline bool KatPopupEditable(int tag) {
    return tag != 0;
}

}  // namespace orvella
