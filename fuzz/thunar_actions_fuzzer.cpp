#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/thunar_actions.h"
#include "settings/xml_outline.h"

namespace {

constexpr std::string_view kId = "orvella-fuzz";
constexpr std::string_view kAction =
    "<action>\n\t<name>Orvella</name>\n\t<unique-id>orvella-fuzz</unique-id>\n</action>";

// Whether `text` holds our action as one child element of its root, and only once.
bool HoldsOurActionOnce(const std::string& text) {
    const std::optional<orvella::XmlOutline> outline = orvella::OutlineXml(text);
    if (!outline || outline->root != "actions")
        return false;
    int ours = 0;
    for (const auto& [name, span] : outline->children) {
        if (span.begin > span.end || span.end > text.size())
            return false;
        const std::string_view element(text.data() + span.begin, span.end - span.begin);
        ours += name == "action" && orvella::ChildText(element, "unique-id") == kId ? 1 : 0;
    }
    return ours == 1;
}

}  // namespace

// Thunar's "uca.xml", which we merge our action into: a file that is refused stays as it is;
// a merged one is well-formed with our action in it once, merging again changes nothing,
// and removing the action leaves a well-formed file without it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::optional<orvella::XmlOutline> outline = orvella::OutlineXml(text);
    if (outline) {
        for (const auto& [name, span] : outline->children) {
            if (span.begin >= span.end || span.end > text.size() || text[span.begin] != '<')
                std::abort();
        }
    }
    const std::optional<std::string> merged = orvella::MergeThunarAction(text, kId, kAction);
    if (!merged)
        return 0;
    if (!HoldsOurActionOnce(*merged) || orvella::MergeThunarAction(*merged, kId, kAction) != merged)
        std::abort();
    const std::optional<std::string> removed = orvella::RemoveThunarAction(*merged, kId);
    if (!removed)
        std::abort();
    if (!removed->empty() && (!orvella::OutlineXml(*removed) || HoldsOurActionOnce(*removed)))
        std::abort();
    return 0;
}
