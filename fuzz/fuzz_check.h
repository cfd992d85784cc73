// A rule every fuzz target checks on what a parser made of its input. A broken rule aborts, so that
// libFuzzer keeps the input as a finding and the replay program fails.
#pragma once

#include <cstddef>
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                 \
    do {                                                                                      \
        if (!(condition)) {                                                                   \
            std::fprintf(stderr, "%s:%d: rule broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                     \
        }                                                                                     \
    } while (0)

// A fixed-size text (util/fixed_text.h) as a record keeps it: its buffer holds zeros from the end of
// its text to the end of the buffer, so no byte of a longer text read before can show through.
template <typename TFixedText>
bool IsZeroPastText(const TFixedText& text) {
    const char* pch = text.c_str();
    for (std::size_t i = text.size(); i <= TFixedText::MAX_LENGTH; ++i) {
        if (pch[i] != '\0') {
            return false;
        }
    }
    return true;
}
