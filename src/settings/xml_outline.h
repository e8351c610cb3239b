#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvella {

// Where an element stands in the text: from its "<" to after its closing ">".
struct XmlSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
};

// The outline of a well-formed XML document: its root element's name and the spans of the
// root's child elements, so a caller can change one child and leave every other byte of
// the file as it is. Not a validating parser: it checks what makes a document
// well-formed (one root, balanced and properly nested tags, quoted attributes without
// duplicates, known entity and character references, closed comments, CDATA sections and
// processing instructions).
struct XmlOutline {
    std::string root;
    std::vector<std::pair<std::string, XmlSpan>> children;
    // Where the root's closing tag "</root>" begins; nullopt for an empty root ("<root/>").
    std::optional<std::size_t> root_end_tag;
};

// nullopt when `text` is not well-formed.
std::optional<XmlOutline> OutlineXml(std::string_view text);

// The text between "<name>" and "</name>" of the first such element inside `element`,
// without entity decoding; nullopt when there is none.
std::optional<std::string_view> ChildText(std::string_view element, std::string_view name);

// Escapes "&", "<", ">", '"' and "'" for text and attribute values.
std::string EscapeXml(std::string_view text);

}  // namespace orvella
