// The preprocessor through the reader: conditional blocks, #define names and #include of given files.
#include "resources/resource_preprocessor.h"

#include <gtest/gtest.h>

#include <string>

#include "resources/resource_script.h"

extern const char g_szResourceScript[];
extern const unsigned g_szResourceScript_size;

namespace {

CResourceScript MustParse(const std::string& strScript, const rc::CIncludeFiles& includes = {}) {
    CResourceScript script;
    EXPECT_TRUE(script.Parse(strScript, includes)) << script.Error();
    return script;
}

TEST(ResourcePreprocessorTest, ConditionalBlocksAndNamedIds) {
    CResourceScript script = MustParse(
        "#define IDD_PAGE 300\n"
        "#ifndef IDC_STATIC\n#define IDC_STATIC (-1)\n#endif\n"
        "#ifdef NOT_DEFINED\n"
        "this is not resource script text\n"
        "#else\n"
        "#define IDC_NAME 0x3E9 // trailing comment\n"
        "#endif\n"
        "#if 0\nbroken\n#endif\n"
        "IDD_PAGE DIALOG 1, 2, 3, 4\n"
        "BEGIN\n"
        "  LTEXT \"x\",IDC_NAME,0,0,1,1\n"
        "END\n");
    const CDialogTemplate* pDialog = script.FindDialog(300);
    ASSERT_NE(pDialog, nullptr);
    EXPECT_EQ(pDialog->m_dwStyle, 0x80880000u);  // DIALOG's default: WS_POPUP | WS_BORDER | WS_SYSMENU
    ASSERT_EQ(pDialog->m_controls.size(), 1u);
    EXPECT_EQ(pDialog->m_controls[0].m_nId, 1001);
}

TEST(ResourcePreprocessorTest, IncludedFilesDefineTheScriptsNames) {
    const rc::CIncludeFiles includes = {
        {"ids.h",
         "// ids\n#pragma once\n#ifndef IDS_H\n#define IDS_H\n/* a block\n   comment */\n"
         "#define IDD_PAGE 300\n#include \"more.h\"\n#endif\n"},
        {"more.h", "#define IDC_NAME (IDD_PAGE + 701)\n#define IDS_TITLE 7\n"},
    };
    CResourceScript script = MustParse(
        "#include <windows.h>\n"
        "#include \"ids.h\"\n"
        "#include \"ids.h\" // a second time: the guard keeps it quiet\n"
        "STRINGTABLE\nBEGIN\n  IDS_TITLE \"Title\"\nEND\n"
        "IDD_PAGE DIALOG 1, 2, 3, 4\n"
        "BEGIN\n"
        "  LTEXT \"x\",IDC_NAME,0,0,1,1\n"
        "END\n",
        includes);
    EXPECT_EQ(script.GetString(7), "Title");
    const CDialogTemplate* pDialog = script.FindDialog(300);
    ASSERT_NE(pDialog, nullptr);
    ASSERT_EQ(pDialog->m_controls.size(), 1u);
    EXPECT_EQ(pDialog->m_controls[0].m_nId, 1001);
}

TEST(ResourcePreprocessorTest, IncludeFailuresSayWhichFileAndLine) {
    struct CCase {
        const char* pszScript;
        const char* pszError;
    };
    const rc::CIncludeFiles includes = {
        {"self.h", "#define A 1\n#include \"self.h\"\n"},
        {"text.h", "#define A 1\n\nSTRINGTABLE\n"},
        {"endif.h", "// one\n#endif\n"},
        {"open.h", "#ifdef A\n"},
    };
    const CCase cases[] = {
        {"\n#include \"missing.h\"\n", "line 2: cannot open include file \"missing.h\""},
        {"#include \"unclosed.h\n", "line 1: cannot open include file \"\""},
        {"#include \"self.h\"\n", "self.h line 2: #include nested too deeply or too often"},
        {"#include \"text.h\"\n",
         "text.h line 3: only directives and comments may appear in an included file"},
        {"#include \"endif.h\"\n", "endif.h line 2: #endif without #if"},
        {"#include \"open.h\"\n", "open.h line 1: #if without #endif"},
    };
    for (const CCase& test : cases) {
        CResourceScript script;
        EXPECT_FALSE(script.Parse(test.pszScript, includes)) << test.pszScript;
        EXPECT_NE(script.Error().find(test.pszError), std::string::npos)
            << test.pszScript << "\nerror: " << script.Error();
    }
}

TEST(ResourcePreprocessorTest, ManyIncludesOfOneFileAreBounded) {
    // Each level includes the next twice: without a count limit this would read 2^8 files.
    rc::CIncludeFiles includes;
    for (int i = 0; i < 8; ++i) {
        const std::string strNext = "\"" + std::to_string(i + 1) + ".h\"\n";
        includes[std::to_string(i) + ".h"] = "#include " + strNext + "#include " + strNext;
    }
    includes["8.h"] = "#define LEAF 1\n";
    CResourceScript script;
    EXPECT_FALSE(script.Parse("#include \"0.h\"\n", includes));
    EXPECT_NE(script.Error().find("#include nested too deeply or too often"), std::string::npos)
        << script.Error();
}

TEST(ResourcePreprocessorTest, TheProgramsScriptNeedsItsIdsHeader) {
    const std::string strScript(g_szResourceScript, g_szResourceScript_size);
    CResourceScript script;
    EXPECT_FALSE(script.Parse(strScript));
    EXPECT_NE(script.Error().find("cannot open include file \"resource_ids.h\""), std::string::npos)
        << script.Error();
    EXPECT_TRUE(script.Parse(strScript, EmbeddedIncludes())) << script.Error();
}

}  // namespace
