#include "platform/win32/xp_tick_count.h"

#include <gtest/gtest.h>

#include <windows.h>

// Declared as the threads runtime sees it, so the call goes through the import pointer.
extern "C" __declspec(dllimport) ULONGLONG WINAPI GetTickCount64(void);

namespace {
TEST(XpTickCount, ExtendsAcrossTheWrapAndKeepsOlderReadingsInPlace) {
    unsigned long long qwState = 0;
    // The first reading stands as it is, however late in the 32-bit range.
    EXPECT_EQ(NimbrelExtendTick(&qwState, 0xFFFFFF00u), 0xFFFFFF00ull);
    EXPECT_EQ(NimbrelExtendTick(&qwState, 0xFFFFFFFFu), 0xFFFFFFFFull);
    // The tick wrapped: the count carries into the high half.
    EXPECT_EQ(NimbrelExtendTick(&qwState, 0x00000100u), 0x100000100ull);
    // Another thread's older reading, taken before the wrap, stays before it without moving the state.
    EXPECT_EQ(NimbrelExtendTick(&qwState, 0xFFFFFFF0u), 0xFFFFFFF0ull);
    EXPECT_EQ(NimbrelExtendTick(&qwState, 0x00000100u), 0x100000100ull);
    EXPECT_EQ(NimbrelExtendTick(&qwState, 0x7FFFFFFFu), 0x17FFFFFFFull);
    // A second wrap, in two steps below 2^31 each.
    EXPECT_EQ(NimbrelExtendTick(&qwState, 0xF0000000u), 0x1F0000000ull);
    EXPECT_EQ(NimbrelExtendTick(&qwState, 0x00000005u), 0x200000005ull);
}

TEST(XpTickCount, FirstReadingOfZeroIsKept) {
    unsigned long long qwState = 0;
    EXPECT_EQ(NimbrelExtendTick(&qwState, 0), 0ull);
    EXPECT_EQ(NimbrelExtendTick(&qwState, 10), 10ull);
    EXPECT_EQ(NimbrelExtendTick(&qwState, 5), 5ull);
    EXPECT_EQ(NimbrelExtendTick(&qwState, 11), 11ull);
}

TEST(XpTickCount, ImportedGetTickCount64IsTheStandIn) {
    // The import pointer the runtime calls through is ours: it follows GetTickCount.
    const DWORD dwBefore = GetTickCount();
    const ULONGLONG qwTick = GetTickCount64();
    const DWORD dwAfter = GetTickCount();
    EXPECT_LE(DWORD(DWORD(qwTick) - dwBefore), DWORD(dwAfter - dwBefore));
    EXPECT_EQ(qwTick >> 32, NimbrelGetTickCount64() >> 32);
}
}  // namespace
