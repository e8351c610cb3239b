#pragma once

#include <string_view>

#include "platform/registry/registry.h"
#include "platform/status.h"

namespace orvella {

// Writes `Sfx_Checked` = checked, then `Sfxtype_Caption` = type, under the calendar key,
// creating it when missing.
Status StoreStarfieldState(Registry& registry, std::string_view type, std::string_view checked);

}  // namespace orvella
