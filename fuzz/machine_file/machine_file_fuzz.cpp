// A machine file as the Linux program reads it: raw JSON text (the corpus holds the repository's
// machine files, which libFuzzer mutates).
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_check.h"
#include "platform/sim/sim_machine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    const std::string strText(reinterpret_cast<const char*>(pData), nSize);
    std::string strError;
    const std::unique_ptr<CSimMachine> pMachine = CSimMachine::FromText(strText, "fuzz.json", &strError);

    // Loaded, or refused with a message; never both, never neither.
    FUZZ_CHECK((pMachine == nullptr) == !strError.empty());
    if (pMachine == nullptr) {
        // One line that names the file, whatever the file holds.
        FUZZ_CHECK(strError.rfind("fuzz.json: ", 0) == 0);
        for (const char ch : strError) {
            FUZZ_CHECK(static_cast<unsigned char>(ch) >= 0x20 || ch == '\t');
        }
    }
    return 0;
}
