#include "wallpaper/starfield_state.h"

namespace orvella {

Status StoreStarfieldState(Registry& registry, std::string_view type, std::string_view checked) {
    return registry.WriteValues(RegistryRoot::CurrentUser, kCalendarKey,
                                {RegistryValue::String("Sfx_Checked", std::string(checked)),
                                 RegistryValue::String("Sfxtype_Caption", std::string(type))});
}

}  // namespace orvella
