// The help file's pages as the user reads them: what they promise must match the program.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "pages/vendor.h"
#include "resources/help_text.h"

namespace {
std::string HelpPageText(const char* pszTopic) {
    std::ifstream file(std::string(NIMBREL_RES_DIR) + "/help/" + pszTopic + ".htm");
    std::stringstream html;
    html << file.rdbuf();
    std::string strText;
    // Joined into one line so that a phrase split by wrapping is still found.
    for (const std::string& strLine : HtmlToTextLines(html.str(), 1000)) {
        strText += strLine + " ";
    }
    return strText;
}
}  // namespace

TEST(HelpPages, TroubleshootingGivesTheSupportAddressAndTheLocationSetting) {
    const std::string strText = HelpPageText("Troubleshoot");
    // The address is a build setting: a help page that names another one sends users nowhere.
    EXPECT_NE(strText.find(SUPPORT_EMAIL), std::string::npos);
    EXPECT_NE(strText.find("Privacy & security, then Location"), std::string::npos);
    EXPECT_NE(strText.find("Let desktop apps access your location"), std::string::npos);
    // The message a standard user on XP meets is quoted as the program shows it (HTML shows its
    // two blanks as one).
    EXPECT_NE(strText.find("\"Stopping Wireless Zero Configuration (WZC) service failed. No permission.\""),
              std::string::npos);
}

TEST(HelpPages, TheDefaultTopicExplainsEachResult) {
    const std::string strText = HelpPageText("default");
    for (const char* pszTerm : {"Supported", "Seconds per scan", "Max dBm", "Min dBm", "Assoc"}) {
        EXPECT_NE(strText.find(pszTerm), std::string::npos) << pszTerm;
    }
}
