#include "platform/sim/sim_text.h"

namespace {
constexpr char16_t REPLACEMENT = 0xFFFD;

bool IsContinuation(unsigned char by) {
    return (by & 0xC0) == 0x80;
}
}  // namespace

std::u16string SimUtf8ToUtf16(const std::string& str) {
    std::u16string wstr;
    for (std::size_t i = 0; i < str.size();) {
        const auto by = static_cast<unsigned char>(str[i]);
        const std::size_t nMore = by > 0xF4 ? 0 : by >= 0xF0 ? 3 : by >= 0xE0 ? 2 : by >= 0xC2 ? 1 : 0;
        char32_t ch = by;
        bool bValid = by < 0x80 || nMore > 0;
        if (nMore > 0) {
            ch = by & (0x3F >> nMore);
            for (std::size_t k = 1; k <= nMore && bValid; ++k) {
                bValid = i + k < str.size() && IsContinuation(static_cast<unsigned char>(str[i + k]));
                ch = bValid ? (ch << 6) | (static_cast<unsigned char>(str[i + k]) & 0x3F) : ch;
            }
            // Overlong forms, surrogates and values past U+10FFFF are no characters.
            const char32_t chMin = nMore == 1 ? 0x80 : nMore == 2 ? 0x800 : 0x10000;
            bValid = bValid && ch >= chMin && ch <= 0x10FFFF && (ch < 0xD800 || ch > 0xDFFF);
        }
        if (!bValid) {
            wstr += REPLACEMENT;
            ++i;
            continue;
        }
        i += nMore + 1;
        if (ch >= 0x10000) {
            ch -= 0x10000;
            wstr += static_cast<char16_t>(0xD800 + (ch >> 10));
            wstr += static_cast<char16_t>(0xDC00 + (ch & 0x3FF));
        } else {
            wstr += static_cast<char16_t>(ch);
        }
    }
    return wstr;
}
