// The NDISUIO_QUERY_BINDING record as a driver returns it: offsets and lengths that may point anywhere.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "adapters/ndis51/ndis_binding.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    std::vector<BYTE> abRecord(pData, pData + nSize);
    CNdisBinding binding;
    const BOOL bParsed = ParseBindingRecord(abRecord.data(), static_cast<DWORD>(abRecord.size()), &binding);

    FUZZ_CHECK(bParsed == (nSize >= NDIS_BINDING_HEADER_BYTES));
    // The name fits the 256-byte device field, the description its 512-byte buffer, both within
    // the bytes returned, and neither holds the terminator.
    FUZZ_CHECK(binding.Name().size() * 2 <= NDIS_BINDING_NAME_MAX_BYTES);
    FUZZ_CHECK(binding.Description().size() * 2 <= NDIS_BINDING_DESCR_MAX_BYTES);
    FUZZ_CHECK((binding.Name().size() + binding.Description().size()) * 2 <= nSize * 2);
    FUZZ_CHECK(binding.Name().find(u'\0') == std::u16string_view::npos);
    FUZZ_CHECK(binding.Description().find(u'\0') == std::u16string_view::npos);
    if (!bParsed) {
        FUZZ_CHECK(binding.Name().empty() && binding.Description().empty());
    }
    return 0;
}
