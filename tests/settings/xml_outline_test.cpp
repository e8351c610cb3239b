#include "settings/xml_outline.h"

#include <gtest/gtest.h>

namespace orvella {
namespace {

// What editors and Thunar itself write must pass, or the user's Thunar never gets our
// entry: declaration, byte order mark, doctype, comments, CDATA, references, attributes in
// both quotes, empty elements, blanks before ">".
TEST(XmlOutlineTest, AcceptsWhatWellFormedFilesHoldAndGivesTheRootsChildren) {
    const std::string text =
        "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE actions [ <!ENTITY x \"y\"> ]>\n<!-- a - comment -->\n"
        "<actions a=\"1\" b='2' >\n"
        "  <action><name>A &amp; B &#228; &#xE4;</name><x/><![CDATA[ <not> & a tag ]]></action>\n"
        "  <?thunar keep?>\n"
        "  <other k=\"&quot;\"><nested><deep/></nested></other >\n"
        "</actions>\n<!-- after -->\n";
    const std::optional<XmlOutline> outline = OutlineXml(text);
    ASSERT_TRUE(outline.has_value());
    EXPECT_EQ(outline->root, "actions");
    ASSERT_EQ(outline->children.size(), 2u);
    const auto& [name, span] = outline->children[0];
    EXPECT_EQ(name, "action");
    const std::string_view action(text.data() + span.begin, span.end - span.begin);
    EXPECT_TRUE(action.starts_with("<action>") && action.ends_with("</action>"));
    EXPECT_EQ(ChildText(action, "name"), "A &amp; B &#228; &#xE4;");
    EXPECT_EQ(ChildText(action, "icon"), std::nullopt);
    EXPECT_EQ(outline->children[1].first, "other");

    for (const char* broken :
         {"", "text", "<a>", "<a></b>", "<a><b></a></b>", "<a x=1/>", "<a x='<'/>", "<a>&#xZ;</a>",
          "<a>]]></a>", "<a/><b/>", "<a><?pi</a>", "<1a/>", "<a/>trailing"}) {
        EXPECT_FALSE(OutlineXml(broken).has_value()) << broken;
    }
    EXPECT_EQ(EscapeXml("'a' & \"<b>\""), "&apos;a&apos; &amp; &quot;&lt;b&gt;&quot;");
}

}  // namespace
}  // namespace orvella
