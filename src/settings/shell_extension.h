#pragma once

#include <array>
#include <string_view>

#include "platform/registry/registry.h"
#include "platform/status.h"
#include "platform/system/windows_version.h"

namespace orvella {

// Ties the file-manager context-menu handler to the file types the program handles. The
// handler itself is an outside component; we only write its links, as the shell expects.
inline constexpr std::string_view kShellExtensionId = "{E4EEF7DA-9984-411C-93AD-266A097B79AC}";
inline constexpr std::string_view kShellExtensionName = "Orvella";
inline constexpr std::array<std::string_view, 7> kShellExtensionTypes = {
    ".bmp", ".jpeg", ".jpg", ".gif", ".png", ".htm", ".html"};

// A failed write is "Konnte Daten für '<value>' nicht setzen" (the value's name, empty for
// a default value); the caller stops at the first failure.
Status RegisterShellExtension(Registry& registry, const WindowsVersion& version,
                              std::string_view extension);
// Missing keys or values are no error: that extension is skipped.
Status UnregisterShellExtension(Registry& registry, const WindowsVersion& version,
                                std::string_view extension);

}  // namespace orvella
