#include "help/help_file.h"
#include "help/rtf_reader.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

std::string body(const std::string& html)
{
    const auto b = html.find("<body>"), e = html.rfind("</body>");
    return html.substr(b + 6, e - b - 6);
}

} // namespace

TEST(RtfReader, ParagraphsFormattingAndCharacters)
{
    const std::string html = rtf::toHtml("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
                                         "\\pard\\qc\\b Titolo\\b0\\par\\pard Gi\\'e0 {\\i corsivo} \\cf1 rosso\\cf0 "
                                         "a<b & \\{x\\}\\par\\u8364?uro\\line fine}");
    EXPECT_EQ(body(html), "<p style=\"margin:0; text-align:center\"><span style=\"font-weight:bold;\">Titolo</span></p>\n"
                          "<p style=\"margin:0; text-align:left\">Gi\xC3\xA0 <span style=\"font-style:italic;\">corsivo"
                          "</span> <span style=\"color:#ff0000;\">rosso</span>a&lt;b &amp; {x}</p>\n"
                          "<p style=\"margin:0; text-align:left\">\xE2\x82\xACuro<br>fine</p>\n");
}

TEST(RtfReader, SkipsDestinationsAndSurvivesBrokenDocuments)
{
    EXPECT_EQ(body(rtf::toHtml("{\\rtf1{\\*\\generator Writer;}{\\info{\\title T}}testo}")),
              "<p style=\"margin:0; text-align:left\">testo</p>\n");
    for (const char* broken : {"", "{", "}}}}", "\\", "{\\rtf1\\'", "{\\rtf1\\'zz", "{\\rtf1\\u", "{\\rtf1\\u-1",
                               "{\\rtf1\\fs999999999999 x", "{\\rtf1\\cf7 x}", "{\\rtf1\\uc9\\u65 x"})
        EXPECT_NO_THROW(rtf::toHtml(broken)) << broken;
    EXPECT_NE(rtf::toHtml(std::string(100000, '{') + "x").find("x"), std::string::npos);
}

TEST(HelpFile, FoundIgnoringCaseInTheFirstFolderThatHasIt)
{
    TempFolder first, second;
    EXPECT_FALSE(help::findHelpFile({first.path(), second.path()}));
    second.write("ZenfoHelp.rtf", "{\\rtf1 x}");
    EXPECT_EQ(help::findHelpFile({first.path(), second.path()}), second / "ZenfoHelp.rtf");
    first.write("ZENFOHELP.RTF", "{\\rtf1 y}");
    EXPECT_EQ(help::findHelpFile({first.path(), second.path()}), first / "ZENFOHELP.RTF");
}
