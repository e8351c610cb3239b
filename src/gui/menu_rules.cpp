#include "gui/menu_rules.h"

namespace orvella {

CategoriesMenuRules CategoriesMenu(const MenuState& state) {
    CategoriesMenuRules rules;
    if (state.current_category != 0) {
        rules.edit_category = true;
        rules.delete_category = true;
        rules.remove_pictures = state.has_selected;
        rules.copy_move = state.has_selected;
    }
    return rules;
}

PictureMenuRules PictureMenu(const MenuState& state) {
    PictureMenuRules rules;
    rules.set_selected = state.has_focused;
    rules.mail = state.has_selected;
    rules.remove = state.has_selected;
    rules.copy_move = state.has_selected && state.current_category != 0;
    return rules;
}

}  // namespace orvella
