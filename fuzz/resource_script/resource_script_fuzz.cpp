// The resource-script reader over any text (the corpus holds the program's own script and pieces of it).
// The text may #include the program's ids header and "self.h", which is the text itself, so that
// nested includes are fuzzed too.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_check.h"
#include "resources/resource_script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    const std::string strScript(reinterpret_cast<const char*>(pData), nSize);
    rc::CIncludeFiles includes = EmbeddedIncludes();
    includes["self.h"] = strScript;
    CResourceScript script;
    if (script.Parse(strScript, includes)) {
        FUZZ_CHECK(script.Error().empty());
        for (const auto& [nId, dialog] : script.Dialogs()) {
            FUZZ_CHECK(dialog.m_nId == nId);
            FUZZ_CHECK(script.FindDialog(nId) == &dialog);
        }
        for (const auto& [nId, strText] : script.Strings()) {
            FUZZ_CHECK(script.GetString(nId) == strText);
        }
    } else {
        // A refused script leaves nothing behind and says where it went wrong.
        FUZZ_CHECK(!script.Error().empty());
        FUZZ_CHECK(script.Dialogs().empty() && script.Strings().empty());
    }
    return 0;
}
