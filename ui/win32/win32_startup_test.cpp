// What WinMain sets up on the user-interface thread: a single-threaded COM apartment for the shell's
// calls while the setup lives, left again afterwards.
#include <gtest/gtest.h>

#include <thread>

#include "ui/win32/win32_api.h"
#include "ui/win32/win32_test_util.h"

namespace {

// CoInitializeEx's answers: S_OK, S_FALSE, RPC_E_CHANGED_MODE.
constexpr long APARTMENT_ENTERED = 0;
constexpr long APARTMENT_SAME = 1;
constexpr long APARTMENT_OTHER = static_cast<long>(0x80010106);

TEST(Win32StartupTest, UiThreadIsInASingleThreadedApartmentWhileTheSetupLives) {
    long nSame = 0;
    long nOther = 0;
    long nAfter = -1;
    // A thread of its own: the test runner's thread may already have chosen an apartment.
    std::thread ui([&] {
        {
            const win32::CUiThreadSetup setup;
            nSame = win32::test::TryComApartment(false);
            nOther = win32::test::TryComApartment(true);
        }
        nAfter = win32::test::TryComApartment(false);
    });
    ui.join();
    EXPECT_EQ(nSame, APARTMENT_SAME) << "already single-threaded";
    EXPECT_EQ(nOther, APARTMENT_OTHER) << "not a multi-threaded apartment";
    EXPECT_EQ(nAfter, APARTMENT_ENTERED) << "the setup left its apartment";
}

}  // namespace
