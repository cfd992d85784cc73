#include "resources/help_text.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using Lines = std::vector<std::string>;

TEST(HelpText, BlocksBecomeLinesAndListItemsAreMarked) {
    const Lines lines = HtmlToTextLines(
        "<html><head><title>T</title><style>x</style></head><body><h1>Help</h1>"
        "<p>One   two\nthree.</p><ul><li>First</li><li>Second &amp; last</li></ul></body></html>",
        40);
    EXPECT_EQ(lines, (Lines{"T", "", "Help", "", "One two three.", "", "- First", "- Second & last"}));
}

TEST(HelpText, WrapsAtTheWidthAndCutsOverlongWords) {
    EXPECT_EQ(HtmlToTextLines("<p>aaa bbb ccc ddd</p>", 8), (Lines{"aaa bbb", "ccc ddd"}));
    EXPECT_EQ(HtmlToTextLines("<p>abcdefghijkl</p>", 8), (Lines{"abcdefgh", "ijkl"}));
}

TEST(HelpText, CharacterReferencesAndBrokenMarkup) {
    EXPECT_EQ(HtmlToTextLines("<p>it&#39;s &lt;ok&gt; &#x41; &bogus; &#99999999;</p>", 60),
              (Lines{"it's <ok> A &bogus; &#99999999;"}));
    EXPECT_EQ(HtmlToTextLines("<p>before</p><p unterminated", 60), (Lines{"before"}));
    // Whatever the references, a line holds no line break or control character: an '&' whose
    // "name" runs over a line break and a tag is plain text, and references to white space or
    // control characters are a blank and '?'.
    EXPECT_EQ(HtmlToTextLines("<p>a &amp\n<p>If; b</p>", 60), (Lines{"a &amp", "", "If; b"}));
    EXPECT_EQ(HtmlToTextLines("<p>x&#10;y&#13;z&#x9;w &#1;&#127;</p>", 60), (Lines{"x y z w ??"}));
    EXPECT_TRUE(HtmlToTextLines("", 60).empty());
}

TEST(HelpText, TheProjectsHelpPagesReadAsText) {
    for (const char* pszTopic : {"default", "Troubleshoot"}) {
        std::ifstream file(std::string(NIMBREL_RES_DIR) + "/help/" + pszTopic + ".htm");
        ASSERT_TRUE(file) << pszTopic;
        std::stringstream html;
        html << file.rdbuf();
        const Lines lines = HtmlToTextLines(html.str(), 70);
        ASSERT_GT(lines.size(), 5u);
        for (const std::string& strLine : lines) {
            EXPECT_LE(strLine.size(), 70u);
            EXPECT_EQ(strLine.find('<'), std::string::npos) << strLine;
        }
    }
}
