#include "resources/resource_script.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>

#include "res/resource_ids.h"

extern const char g_szResourceScript[];
extern const unsigned g_szResourceScript_size;

namespace {

CResourceScript MustParse(const std::string& strScript) {
    CResourceScript script;
    EXPECT_TRUE(script.Parse(strScript)) << script.Error();
    return script;
}

TEST(ResourceScriptTest, StringTableUnescapesAndResolvesDefines) {
    CResourceScript script = MustParse(
        "#define IDS_QUOTE 7\n"
        "STRINGTABLE DISCARDABLE\n"
        "BEGIN\n"
        "    1 \"plain\"\n"
        "    2, \"say \"\"hi\"\"\"\n"
        "    3 \"a\\\\b\\tc\\nd\"\n"
        "    4 \"\\x41\\102\\q\"\n"
        "    IDS_QUOTE \"\\\"x\\\"\"\n"
        "    0x10 \" \"\n"
        "    (5 + 1) \"\"\n"
        "END\n");
    EXPECT_EQ(script.GetString(1), "plain");
    EXPECT_EQ(script.GetString(2), "say \"hi\"");
    EXPECT_EQ(script.GetString(3), "a\\b\tc\nd");
    EXPECT_EQ(script.GetString(4), "AB\\q");  // an unknown escape keeps its backslash
    EXPECT_EQ(script.GetString(7), "\"x\"");
    EXPECT_EQ(script.GetString(16), " ");
    ASSERT_NE(script.FindString(6), nullptr);
    EXPECT_EQ(*script.FindString(6), "");
    EXPECT_EQ(script.FindString(5), nullptr);
    EXPECT_EQ(script.GetString(5), "");
}

TEST(ResourceScriptTest, DialogWithEveryControlKind) {
    CResourceScript script = MustParse(
        "#include <windows.h>\n"
        "/* a block\n   comment */\n"
        "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\n"
        "#pragma code_page(1252)\n"
        "1 ICON \"app.ico\"\n"
        "7 RCDATA BEGIN 1, 2, BEGIN 3 END END\n"
        "200 DIALOGEX 0, 0, 280, 105\n"
        "STYLE DS_SETFONT | WS_CHILD | WS_DISABLED | WS_CAPTION\n"
        "CAPTION \"Title\"\n"
        "FONT 8, \"MS Sans Serif\", 0, 0, 0x0\n"
        "BEGIN\n"
        "  LTEXT \"left\",IDC_STATIC,1,2,3,4\n"
        "  RTEXT \"right\",IDC_STATIC,0,0,1,1,NOT WS_VISIBLE\n"
        "  CTEXT \"centre\",-1,0,0,1,1,SS_CENTERIMAGE\n"
        "  EDITTEXT 10,5,6,7,8,ES_AUTOHSCROLL | ES_READONLY | NOT WS_TABSTOP\n"
        "  PUSHBUTTON \"Help\",11,0,0,36,16\n"
        "  CONTROL \"Post\",12,\"Button\",BS_AUTOCHECKBOX | WS_TABSTOP,0,0,1,1\n"
        "  LISTBOX 13,0,0,1,1,LBS_SORT | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP\n"
        "  LISTBOX 14,0,0,1,1,LBS_OWNERDRAWFIXED | LBS_HASSTRINGS\n"
        "  CONTROL \"\",15,\"SysListView32\",LVS_REPORT | LVS_SINGLESEL | WS_BORDER,8,41,264,64\n"
        "  CONTROL \"\",IDC_STATIC,\"Static\",SS_BLACKFRAME | SS_SUNKEN | NOT WS_VISIBLE,98,50,164,1\n"
        "  GROUPBOX \"Group\",16,0,0,1,1\n"
        "  CONTROL \"\",17,\"msctls_progress32\",0,0,0,1,1\n"
        "END\n");
    const CDialogTemplate* pDialog = script.FindDialog(200);
    ASSERT_NE(pDialog, nullptr);
    EXPECT_EQ(pDialog->m_strCaption, "Title");
    EXPECT_EQ(pDialog->m_nWidth, 280);
    EXPECT_EQ(pDialog->m_nHeight, 105);
    EXPECT_EQ(pDialog->m_strFontFace, "MS Sans Serif");
    EXPECT_EQ(pDialog->m_nFontSize, 8);
    EXPECT_EQ(pDialog->m_dwStyle, 0x48C00040u);
    ASSERT_EQ(pDialog->m_controls.size(), 12u);

    const CDialogControl& left = pDialog->m_controls[0];
    EXPECT_EQ(left.m_eKind, EControlKind::Static);
    EXPECT_EQ(left.m_nId, -1);
    EXPECT_EQ(left.m_strText, "left");
    EXPECT_EQ((std::array{left.m_nX, left.m_nY, left.m_nWidth, left.m_nHeight}), (std::array{1, 2, 3, 4}));
    EXPECT_EQ(left.Align(), ETextAlign::Left);
    EXPECT_TRUE(left.IsVisible());
    EXPECT_FALSE(left.IsVerticallyCentred());

    const CDialogControl& right = pDialog->m_controls[1];
    EXPECT_EQ(right.Align(), ETextAlign::Right);
    EXPECT_FALSE(right.IsVisible());

    const CDialogControl& centre = pDialog->m_controls[2];
    EXPECT_EQ(centre.Align(), ETextAlign::Centre);
    EXPECT_TRUE(centre.IsVerticallyCentred());

    const CDialogControl& edit = *pDialog->FindControl(10);
    EXPECT_EQ(edit.m_eKind, EControlKind::Edit);
    EXPECT_TRUE(edit.IsReadOnly());
    EXPECT_TRUE(edit.HasBorder());  // the statement's default
    EXPECT_FALSE(edit.IsTabStop());
    EXPECT_EQ(edit.m_dwStyle, 0x50800880u);

    EXPECT_EQ(pDialog->FindControl(11)->m_eKind, EControlKind::PushButton);
    EXPECT_EQ(pDialog->FindControl(11)->m_dwStyle, 0x50010000u);
    EXPECT_EQ(pDialog->FindControl(12)->m_eKind, EControlKind::CheckBox);
    EXPECT_EQ(pDialog->FindControl(12)->m_strText, "Post");

    const CDialogControl& sorted = *pDialog->FindControl(13);
    EXPECT_EQ(sorted.m_eKind, EControlKind::ListBox);
    EXPECT_TRUE(sorted.IsSorted());
    EXPECT_EQ(sorted.m_dwStyle, 0x50A10103u);  // LBS_NOTIFY | WS_BORDER come with the statement

    EXPECT_EQ(pDialog->FindControl(14)->m_eKind, EControlKind::CheckListBox);
    EXPECT_FALSE(pDialog->FindControl(14)->IsSorted());
    EXPECT_EQ(pDialog->FindControl(15)->m_eKind, EControlKind::ListView);
    EXPECT_EQ(pDialog->FindControl(15)->m_strClass, "SysListView32");

    const CDialogControl& frame = pDialog->m_controls[9];
    EXPECT_EQ(frame.m_eKind, EControlKind::Frame);
    EXPECT_EQ(frame.m_dwStyle, 0x40001007u);
    EXPECT_EQ(pDialog->FindControl(16)->m_eKind, EControlKind::Frame);
    EXPECT_EQ(pDialog->FindControl(17)->m_eKind, EControlKind::Other);
    EXPECT_EQ(pDialog->FindControl(99), nullptr);
}

TEST(ResourceScriptTest, MalformedScriptsFailWithTheLine) {
    struct CCase {
        const char* pszScript;
        const char* pszError;
    };
    const CCase cases[] = {
        {"STRINGTABLE\nBEGIN\n 1 \"open\nEND\n", "line 3: string not closed"},
        {"STRINGTABLE\nBEGIN\n 1 \"a\"\n", "line 4: STRINGTABLE without END"},
        {"STRINGTABLE\nBEGIN\n 1 \"a\"\n 1 \"b\"\nEND\n", "line 4: string 1 defined twice"},
        {"STRINGTABLE\nBEGIN\n 1\nEND\n", "line 4: expected the text of string 1"},
        {"STRINGTABLE\nBEGIN\n UNKNOWN_ID \"a\"\nEND\n", "line 3: unknown name UNKNOWN_ID"},
        {"STRINGTABLE\nBEGIN\n 0x1FFFFFFFF \"a\"\nEND\n", "line 3: number too large"},
        {"STRINGTABLE\nBEGIN\n 12ab \"a\"\nEND\n", "line 3: malformed number"},
        {"/* never closed\n", "line 1: comment not closed"},
        {"#if 1\n", "#if without #endif"},
        {"#endif\n", "line 1: #endif without #if"},
        {"#define LOOP LOOP\nSTRINGTABLE BEGIN LOOP \"a\" END\n", "refers to itself"},
        {"#define F(x) x\n", "line 1: macros with arguments are not supported"},
        {"1 DIALOGEX 0, 0, 10\nBEGIN\nEND\n", "line 2: expected ','"},
        {"1 DIALOGEX 0, 0, 10, 10\nBEGIN\n  WIDGET 1,2,3,4,5\nEND\n",
         "line 3: unknown control statement WIDGET"},
        {"1 DIALOGEX 0, 0, 10, 10\nBEGIN\n  LTEXT \"a\",1,2,3\nEND\n",
         "line 4: expected ',' but found 'END'"},
        {"1 DIALOGEX 0, 0, 10, 10\nBEGIN\n  LTEXT \"a\",1,2,3,4,5\n", "dialog 1 without END"},
        {"1 DIALOGEX 0, 0, 10, 10\nBEGIN\nEND\n1 DIALOGEX 0, 0, 1, 1\nBEGIN\nEND\n",
         "line 4: dialog 1 defined twice"},
        {"NAMED DIALOG 0, 0, 1, 1\nBEGIN\nEND\n", "line 1: dialog 'NAMED' has no numeric id"},
        {"1 DIALOG 0, 0, 1, 1\nSTYLE\nBEGIN\nEND\n", "line 3: expected a value but found 'BEGIN'"},
        {"1 DIALOG 0, 0, 1, 1\nWHAT 3\nBEGIN\nEND\n", "line 2: expected BEGIN but found 'WHAT'"},
        {"1 RCDATA BEGIN 1, 2\n", "BEGIN without END"},
        {"1\n", "expected a resource type after number 1 but found end of script"},
        {"@\n", "line 1: unexpected character '@'"},
    };
    for (const CCase& test : cases) {
        CResourceScript script;
        EXPECT_FALSE(script.Parse(test.pszScript)) << test.pszScript;
        EXPECT_NE(script.Error().find(test.pszError), std::string::npos)
            << test.pszScript << "\nerror: " << script.Error();
        EXPECT_TRUE(script.Strings().empty());
        EXPECT_TRUE(script.Dialogs().empty());
    }
}

TEST(ResourceScriptTest, EveryTruncationOfTheProgramsScriptFailsOrParsesCleanly) {
    // Cut the real script at many points: no cut may crash or hang, and a failed parse says why.
    std::string strScript(g_szResourceScript, g_szResourceScript_size);
    for (size_t nCut = 0; nCut < strScript.size(); nCut += 37) {
        CResourceScript script;
        if (!script.Parse(strScript.substr(0, nCut), EmbeddedIncludes())) {
            EXPECT_NE(script.Error(), "") << nCut;
        }
    }
}

// The program's own script: the ten pages and the string table the wizard uses.
TEST(ResourceScriptTest, EmbeddedScriptHoldsTheStringTable) {
    const CResourceScript& script = Resources();
    ASSERT_EQ(script.Error(), "");
    const std::map<UINT, std::string> expected = {
        {IDS_SHEET_CAPTION, "Wizard"},
        {IDS_INTRO_TITLE, "Before Checking for Supported Adapters"},
        {IDS_INTRO_SUBTITLE, "Perform these steps before continuing"},
        {IDS_PAGE_CAPTION, "Brellix Nimbrel"},
        {IDS_LIST_TITLE, "All Network Adapters Found"},
        {IDS_LIST_SUBTITLE, "Here is a list of network adapters found on your computer"},
        {IDS_THANK_YOU_TITLE, "Thank You"},
        {IDS_THANK_YOU_SUBTITLE, " "},
        {IDS_ADAPTER_TITLE, "Adapter Results"},
        {IDS_ADAPTER_SUBTITLE, " "},
        {IDS_SUPPORTED_TITLE, "Congratulations!"},
        {IDS_SUPPORTED_SUBTITLE, "The following wireless adapter(s) are supported"},
        {IDS_POST_TITLE, "Post Results Back to Brellix (optional)"},
        {IDS_POST_SUBTITLE, "Help others by submitting your results back to Brellix"},
        {IDS_NONE_FOUND_TITLE, "No Network Adapters Found"},
        {IDS_NONE_FOUND_SUBTITLE, " "},
        {IDS_SELECT_ONE_TITLE, "No Adapter Selected"},
        {IDS_SELECT_ONE_SUBTITLE, "Go back to select an adapter or continue on for some tips"},
        {IDS_NONE_SUPPORTED_TITLE, "No Supported Adapters Found"},
        {IDS_NONE_SUPPORTED_SUBTITLE, "Follow these tips to troubleshoot your wireless adapter"},
    };
    EXPECT_EQ(script.Strings(), expected);
}

TEST(ResourceScriptTest, EmbeddedScriptHoldsTheTenPages) {
    const CResourceScript& script = Resources();
    for (UINT nPage : {IDD_WELCOME, IDD_INTRO, IDD_LIST, IDD_ADAPTER, IDD_SUPPORTED, IDD_POST, IDD_THANK_YOU,
                       IDD_NONE_FOUND, IDD_NONE_SUPPORTED, IDD_SELECT_ONE}) {
        const CDialogTemplate* pDialog = script.FindDialog(nPage);
        ASSERT_NE(pDialog, nullptr) << nPage;
        EXPECT_EQ(pDialog->m_nWidth, 280) << nPage;
        EXPECT_EQ(pDialog->m_nHeight, nPage == IDD_WELCOME ? 165 : 105) << nPage;
        EXPECT_EQ(pDialog->m_strCaption, "Brellix Nimbrel") << nPage;
    }
    EXPECT_EQ(script.Dialogs().size(), 10u);
}

TEST(ResourceScriptTest, EmbeddedPagesCarryTheirControls) {
    const CResourceScript& script = Resources();
    const CDialogTemplate& list = *script.FindDialog(IDD_LIST);
    for (int nId : {IDC_LIKELY_LIST, IDC_UNLIKELY_LIST}) {
        const CDialogControl* pList = list.FindControl(nId);
        ASSERT_NE(pList, nullptr);
        EXPECT_EQ(pList->m_eKind, EControlKind::CheckListBox);
        EXPECT_EQ(pList->m_dwStyle, 0x50A10151u);
    }
    EXPECT_TRUE(list.m_controls[1].IsVerticallyCentred());
    EXPECT_EQ(list.m_controls[1].m_strText, "Possible Candidates:");

    const CDialogControl& supported = *script.FindDialog(IDD_SUPPORTED)->FindControl(IDC_SUPPORTED_LIST);
    EXPECT_EQ(supported.m_eKind, EControlKind::ListBox);
    EXPECT_EQ(supported.m_dwStyle, 0x50A10103u);
    EXPECT_TRUE(supported.IsSorted());

    const CDialogTemplate& adapter = *script.FindDialog(IDD_ADAPTER);
    EXPECT_EQ(adapter.FindControl(IDC_AP_LIST)->m_eKind, EControlKind::ListView);
    EXPECT_EQ(adapter.FindControl(IDC_AP_LIST)->m_dwStyle & 0xFFFF, 0x8085u);  // report, single selection
    EXPECT_TRUE(adapter.FindControl(IDC_ADAPTER_NAME)->IsReadOnly());
    EXPECT_TRUE(adapter.FindControl(IDC_SCAN_RATE)->IsReadOnly());
    EXPECT_FALSE(adapter.FindControl(IDC_DRIVER_VERSION)->IsVisible());
    EXPECT_EQ(adapter.FindControl(IDC_SUPPORTED_TEXT)->m_strText, " Yes ");
    EXPECT_EQ(adapter.m_controls.front().Align(), ETextAlign::Right);
    int nHidden = 0;
    for (const CDialogControl& control : adapter.m_controls) {
        nHidden += control.IsVisible() ? 0 : 1;
    }
    EXPECT_EQ(nHidden, 3);  // driver version label, its edit and the separator

    const CDialogTemplate& post = *script.FindDialog(IDD_POST);
    EXPECT_EQ(post.FindControl(IDC_POST_CHECK)->m_eKind, EControlKind::CheckBox);
    EXPECT_EQ(post.FindControl(IDC_POST_CHECK)->m_strText, "Post results to %s");
    EXPECT_FALSE(post.FindControl(IDC_REPORTED_BY)->IsReadOnly());
    EXPECT_TRUE(post.FindControl(IDC_OS_VERSION)->IsReadOnly());
    EXPECT_EQ(post.FindControl(IDC_RESULTS_LIST)->m_eKind, EControlKind::ListView);

    const CDialogControl& welcome = script.FindDialog(IDD_WELCOME)->m_controls.front();
    EXPECT_EQ(welcome.m_strText, "Welcome to Brellix's Nimbrel Program.");
    EXPECT_EQ(welcome.Align(), ETextAlign::Centre);
    EXPECT_TRUE(welcome.IsVerticallyCentred());

    EXPECT_EQ(script.FindDialog(IDD_INTRO)->FindControl(IDC_INTRO_HELP)->m_eKind, EControlKind::PushButton);
    EXPECT_EQ(script.FindDialog(IDD_NONE_SUPPORTED)->FindControl(IDC_TIPS_HELP)->m_strText, "Help");
    EXPECT_EQ(script.FindDialog(IDD_NONE_SUPPORTED)->m_controls.size(), 12u);
    EXPECT_EQ(script.FindDialog(IDD_THANK_YOU)->FindControl(IDC_WEB_SITE)->m_eKind, EControlKind::PushButton);
    EXPECT_EQ(
        script.FindDialog(IDD_NONE_FOUND)->FindControl(IDC_NONEFOUND_EMAIL)->m_strText,
        "If you have read through the troubleshooting tips in the help file and believe your computer does "
        "have a wireless adapter, please email %s for more assistance.");
    EXPECT_EQ(script.FindDialog(IDD_SELECT_ONE)->m_controls.at(0).m_strText,
              "You didn't select any network adapters to test.  You can press Back to select one or more "
              "adapters.  Or you can press Next to see some tips on troubleshooting your network adapters.");
}

}  // namespace
