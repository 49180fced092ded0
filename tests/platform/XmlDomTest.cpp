#include "XmlDom.h"

#include <gtest/gtest.h>

TEST(XmlDom, AFailedParseKeepsNoPartialTree)
{
    pugi::xml_document doc;
    ASSERT_TRUE(ParseXml(doc, "<a><b/></a>"));
    QString reason;
    EXPECT_FALSE(ParseXml(doc, "<a><b></a>", &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_FALSE(doc.first_child());
    EXPECT_FALSE(ParseXml(doc, "   ", &reason));
    EXPECT_FALSE(ParseXml(doc, "<a/><b/>", &reason));
    EXPECT_EQ(reason, "The document has more than one root element.");
    EXPECT_FALSE(doc.first_child());
}

TEST(XmlDom, NoEntityExpansionFromADocumentType)
{
    pugi::xml_document doc;
    const bool ok = ParseXml(doc, "<!DOCTYPE a [<!ENTITY e \"boom\">]><a>&e;</a>");
    if (ok) {
        EXPECT_FALSE(XmlNodeText(doc.document_element()).contains("boom"));
    }
}

TEST(XmlDom, NodeTextJoinsTextAndCdataChildren)
{
    pugi::xml_document doc;
    ASSERT_TRUE(ParseXml(doc, "<t>a<![CDATA[ ]]]]><![CDATA[> b]]>&amp;c</t>"));
    EXPECT_EQ(XmlNodeText(doc.document_element()), "a ]]> b&c");
}

TEST(XmlDom, AttributeEscapingCoversTheFourCharacters)
{
    EXPECT_EQ(XmlEscapeAttribute("a&b<c>d\"e'f"), "a&amp;b&lt;c&gt;d&quot;e'f");
}

TEST(XmlDom, WhitespaceBetweenElementsMakesNoNodes)
{
    pugi::xml_document doc;
    ASSERT_TRUE(ParseXml(doc, "<m>\r\n <a/>\r\n <b/>\r\n</m>"));
    int n = 0;
    for (auto c = doc.document_element().first_child(); c; c = c.next_sibling())
        ++n;
    EXPECT_EQ(n, 2);
}
