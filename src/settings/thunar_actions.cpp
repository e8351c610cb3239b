#include "settings/thunar_actions.h"

#include "settings/xml_outline.h"

namespace orvella {
namespace {

constexpr std::string_view kRoot = "actions";
constexpr std::string_view kEmptyFile =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<actions>\n</actions>\n";

std::optional<XmlOutline> ActionsOutline(std::string_view text) {
    std::optional<XmlOutline> outline = OutlineXml(text);
    if (!outline || outline->root != kRoot)
        return std::nullopt;
    return outline;
}

// The first action with `unique_id` that begins at `from` or later.
std::optional<XmlSpan> FindAction(std::string_view text, const XmlOutline& outline,
                                  std::string_view unique_id, std::size_t from = 0) {
    for (const auto& [name, span] : outline.children) {
        if (name != "action" || span.begin < from)
            continue;
        const std::string_view element = text.substr(span.begin, span.end - span.begin);
        const std::optional<std::string_view> id = ChildText(element, "unique-id");
        if (id && *id == unique_id)
            return span;
    }
    return std::nullopt;
}

// Before "</actions>" at `at`: at the start of its line when only blanks stand before it
// there, so the closing tag keeps its indentation.
std::size_t InsertionPoint(std::string_view text, std::size_t at) {
    std::size_t line = at;
    while (line > 0 && (text[line - 1] == ' ' || text[line - 1] == '\t'))
        --line;
    if (line == 0 || text[line - 1] == '\n')
        at = line;
    return at;
}

// Removes the first action with `unique_id` from `from` on, with its line where it stands on
// one of its own; false when there is none.
bool RemoveAction(std::string& text, std::string_view unique_id, std::size_t from) {
    const std::optional<XmlOutline> outline = ActionsOutline(text);
    if (!outline)
        return false;
    const std::optional<XmlSpan> ours = FindAction(text, *outline, unique_id, from);
    if (!ours)
        return false;
    std::size_t begin = ours->begin;
    std::size_t end = ours->end;
    std::size_t line = begin;
    while (line > 0 && (text[line - 1] == ' ' || text[line - 1] == '\t'))
        --line;
    const bool own_line = line == 0 || text[line - 1] == '\n';
    if (end < text.size() && text[end] == '\n') {
        ++end;
        if (own_line)
            begin = line;
    }
    text.erase(begin, end - begin);
    return true;
}

}  // namespace

std::optional<std::string> MergeThunarAction(const std::optional<std::string>& current,
                                             std::string_view unique_id, std::string_view action) {
    std::string text = current.value_or(std::string(kEmptyFile));
    const std::optional<XmlOutline> outline = ActionsOutline(text);
    if (!outline)
        return std::nullopt;
    if (const std::optional<XmlSpan> ours = FindAction(text, *outline, unique_id)) {
        text.replace(ours->begin, ours->end - ours->begin, action);
        // A file that holds ours more than once (copied by hand) keeps the first only.
        while (RemoveAction(text, unique_id, ours->begin + action.size())) {
        }
        return text;
    }
    // Only the root's own closing tag: the same letters in a comment or an instruction are
    // no place for it. An empty <actions/> has no place that keeps the user's bytes.
    if (!outline->root_end_tag)
        return std::nullopt;
    text.insert(InsertionPoint(text, *outline->root_end_tag), std::string(action) + "\n");
    return text;
}

std::optional<std::string> RemoveThunarAction(std::string_view current,
                                              std::string_view unique_id) {
    if (!ActionsOutline(current))
        return std::nullopt;
    std::string text(current);
    if (!RemoveAction(text, unique_id, 0))
        return text;
    while (RemoveAction(text, unique_id, 0)) {
    }
    return text == kEmptyFile ? std::string() : text;
}

}  // namespace orvella
