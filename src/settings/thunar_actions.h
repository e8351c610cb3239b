#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvella {

// Thunar keeps the user's custom actions in one file, "uca.xml", that it rewrites itself.
// Ours is one <action> element in it, known by its <unique-id>; everything else in the
// file stays byte for byte as it is.

// The file with `action` in it: added before "</actions>" when no action of that id is
// there, put in place of one that differs, the text unchanged when it is the same.
// `current` is nullopt for a missing file. nullopt when the file is not well-formed XML
// with an <actions> root: then it must be left alone.
std::optional<std::string> MergeThunarAction(const std::optional<std::string>& current,
                                             std::string_view unique_id, std::string_view action);

// The file without the action of that id, with the line break and indentation it stood
// on; an empty string when nothing but what MergeThunarAction made of a missing file
// would remain. nullopt when the file is not well-formed.
std::optional<std::string> RemoveThunarAction(std::string_view current, std::string_view unique_id);

}  // namespace orvella
