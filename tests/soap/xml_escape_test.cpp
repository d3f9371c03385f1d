// Escaping on the way into a document: what each context must escape, and
// that forbidden characters are replaced rather than breaking the document.
#include "parsed_xml.h"

#include "soap/xml_writer.h"

#include <gtest/gtest.h>

namespace {

std::string text(std::string_view s) {
    std::string out;
    soap::appendXmlText(out, s);
    return out;
}

std::string attribute(std::string_view s) {
    std::string out;
    soap::appendXmlAttribute(out, s);
    return out;
}

}  // namespace

TEST(XmlEscape, ContentAndAttributesEscapeWhatTheirContextNeeds) {
    EXPECT_EQ(text("a<b>c&d\"e'f"), "a&lt;b&gt;c&amp;d\"e'f");
    EXPECT_EQ(text("l1\r\nl2\tx"), "l1&#13;\nl2\tx");
    EXPECT_EQ(attribute("a<b>c&d\"e'f"), "a&lt;b>c&amp;d&quot;e'f");
    EXPECT_EQ(attribute("l1\r\nl2\tx"), "l1&#13;&#10;l2&#9;x");
    EXPECT_EQ(text(""), "");
    EXPECT_EQ(text("plain ASCII stays as it is"), "plain ASCII stays as it is");
}

TEST(XmlEscape, KeepsValidUtf8AndReplacesWhatXmlForbids) {
    const std::string fffd = "\xEF\xBF\xBD";
    EXPECT_EQ(text("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xEF\xBF\xBD"), "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80" + fffd);
    EXPECT_EQ(text(std::string("a\0b", 3)), "a" + fffd + "b");
    EXPECT_EQ(text("\x0B\x0C\x1B"), fffd + fffd + fffd);
    EXPECT_EQ(text("\xC3"), fffd);             // cut short at the end
    EXPECT_EQ(text("\xC0\xAF"), fffd + fffd);  // overlong
    EXPECT_EQ(text("\xE0\x80\xAF"), fffd + fffd + fffd);
    EXPECT_EQ(text("\xED\xBF\xBF"), fffd + fffd + fffd);             // surrogate
    EXPECT_EQ(text("\xEF\xBF\xBE"), fffd + fffd + fffd);             // U+FFFE
    EXPECT_EQ(text("\xF4\x90\x80\x80"), fffd + fffd + fffd + fffd);  // beyond U+10FFFF
    EXPECT_EQ(text("\xE9t\xE9"), fffd + "t" + fffd);                 // Windows-1252 bytes that slipped through
    EXPECT_EQ(attribute("\x01"), fffd);

    // The edges of what XML carries, and valid characters beside escapes.
    EXPECT_EQ(text("\xED\x9F\xBF\xEE\x80\x80\xF4\x8F\xBF\xBF"), "\xED\x9F\xBF\xEE\x80\x80\xF4\x8F\xBF\xBF");
    EXPECT_EQ(text("\xEF\xBF\xBF"), fffd + fffd + fffd);  // U+FFFF
    EXPECT_EQ(text("a\x80"
                   "b\xF5\x80\x80\x80"),
              "a" + fffd + "b" + fffd + fffd + fffd + fffd);
    EXPECT_EQ(text("\xF0\x9F\x98<\xC3\xA9&\xC3\xA9"), fffd + fffd + fffd + "&lt;\xC3\xA9&amp;\xC3\xA9");
}

TEST(XmlEscape, WrittenDocumentsReadBackUnchanged) {
    const std::string value = "<&>\"' \r\n\t \xC3\xA9 ]]> end";
    std::string doc;
    soap::XmlWriter w(doc);
    w.declaration().start("doc").attribute("v", value);
    w.element("t", value).element("empty", "").end("doc");
    const soaptest::ParsedXml xml(doc);
    ASSERT_TRUE(xml.wellFormed()) << doc;
    EXPECT_EQ(xml.text("/doc/@v"), value);
    EXPECT_EQ(xml.text("/doc/t"), value);
    EXPECT_EQ(xml.count("/doc/empty"), 1);
    EXPECT_NE(doc.find("<empty/>"), std::string::npos);
}
