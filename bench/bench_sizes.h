// The entry counts every size-dependent benchmark runs at: the figures are read at 1,000 and their
// growth from 10 to 10,000.
#pragma once

inline constexpr int BENCH_SIZES[] = {10, 100, 1000, 10000};
inline constexpr int BENCH_REFERENCE_SIZE = 1000;
