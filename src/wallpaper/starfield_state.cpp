#include "wallpaper/starfield_state.h"

#include "settings/settings_places.h"
#include "settings/settings_table.h"

namespace orvella {

Status StoreStarfieldState(Registry& registry, std::string_view type, std::string_view checked) {
    return registry.WriteValues(
        RegistryRoot::CurrentUser, CalendarKeyPath(),
        {RegistryValue::String(std::string(kStarfieldOnValue), std::string(checked)),
         RegistryValue::String(std::string(kStarfieldTypeValue), std::string(type))});
}

}  // namespace orvella
