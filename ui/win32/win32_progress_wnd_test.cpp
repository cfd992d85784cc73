// The progress popup's real window as Windows sees it: its class, styles, children, font and
// background, the notifications it hands on, and the thread's queue as the popup's pump uses it.
#include "ui/win32/win32_progress_wnd.h"

// <windows.h> comes before the headers that build on it.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

namespace {

struct CEventsSeen : win32::IPopupEvents {
    void OnCommand(int nId, unsigned nNotifyCode) override {
        nLastId = nId;
        nLastCode = nNotifyCode;
        ++nCommands;
    }
    void OnDestroyed() override { ++nDestroyed; }
    int nLastId = -1;
    unsigned nLastCode = 0xFFFF;
    int nCommands = 0;
    int nDestroyed = 0;
};

std::string ClassOf(HWND hWnd) {
    char szClass[64] = {};
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    return szClass;
}

std::string TextOf(HWND hWnd) {
    char szText[128] = {};
    GetWindowTextA(hWnd, szText, sizeof(szText));
    return szText;
}

DWORD StyleOf(HWND hWnd) {
    return static_cast<DWORD>(GetWindowLongPtrA(hWnd, GWL_STYLE));
}

LOGFONTA FontOf(HWND hWnd) {
    LOGFONTA font{};
    const HFONT hFont = reinterpret_cast<HFONT>(SendMessageA(hWnd, WM_GETFONT, 0, 0));
    if (hFont != nullptr) {
        GetObjectA(hFont, sizeof(font), &font);
    }
    return font;
}

class Win32PopupWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_hOwner = CreateWindowExA(0, "Static", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 150, 500, 400,
                                   nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(m_hOwner, nullptr);
        m_hFont = win32::CreateMessageFont();
        ASSERT_NE(m_hFont, nullptr);
        Drain();
    }
    void TearDown() override {
        if (IsWindow(m_hPopup)) {
            DestroyWindow(m_hPopup);
        }
        DestroyWindow(m_hOwner);
        win32::DeleteFont(m_hFont);
        Drain();
    }
    static void Drain() {
        MSG msg{};
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&msg);
        }
    }
    void Create(bool bSmooth) {
        m_hPopup = static_cast<HWND>(
            win32::CreatePopup(m_hOwner, "Wireless Scan", bSmooth, " Cancel ", m_hFont, &m_events));
        ASSERT_NE(m_hPopup, nullptr);
    }

    HWND m_hOwner = nullptr;
    HWND m_hPopup = nullptr;
    win32::Hfont m_hFont = nullptr;
    CEventsSeen m_events;
};

}  // namespace

TEST_F(Win32PopupWindowTest, ClassStylesCaptionOwnerAndFirstPlace) {
    Create(true);
    EXPECT_EQ(GetClassLongPtrA(m_hPopup, GCL_STYLE), static_cast<ULONG_PTR>(0x23));
    EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrA(m_hPopup, GCLP_HCURSOR)),
              LoadCursorA(nullptr, IDC_APPSTARTING));
    EXPECT_EQ(GetWindowLongPtrA(m_hPopup, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME, WS_EX_DLGMODALFRAME);
    EXPECT_EQ(StyleOf(m_hPopup) & (WS_POPUP | WS_CAPTION), static_cast<DWORD>(0x80C00000));
    EXPECT_EQ(StyleOf(m_hPopup) & (WS_CHILD | WS_THICKFRAME | WS_SYSMENU), 0u);
    EXPECT_FALSE(IsWindowVisible(m_hPopup)) << "created hidden; the popup's logic shows it";
    EXPECT_EQ(GetWindow(m_hPopup, GW_OWNER), m_hOwner);
    EXPECT_EQ(TextOf(m_hPopup), "Wireless Scan");
    RECT rect{};
    GetWindowRect(m_hPopup, &rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right - rect.left, 390);
    EXPECT_EQ(rect.bottom - rect.top, 130);

    // A second popup reuses the registered class.
    CEventsSeen events;
    const HWND hSecond =
        static_cast<HWND>(win32::CreatePopup(nullptr, "Other", false, "x", nullptr, &events));
    ASSERT_NE(hSecond, nullptr);
    EXPECT_EQ(GetWindow(hSecond, GW_OWNER), nullptr);
    DestroyWindow(hSecond);
    EXPECT_EQ(events.nDestroyed, 1);
}

TEST_F(Win32PopupWindowTest, ChildrenOnPlaceholdersWithTheMessageFont) {
    Create(true);
    const HWND hButton = GetDlgItem(m_hPopup, 10);
    const HWND hText = GetDlgItem(m_hPopup, 11);
    const HWND hBar = GetDlgItem(m_hPopup, 12);
    ASSERT_NE(hButton, nullptr);
    ASSERT_NE(hText, nullptr);
    ASSERT_NE(hBar, nullptr);
    EXPECT_EQ(ClassOf(hButton), "Button");
    EXPECT_EQ(ClassOf(hText), "Static");
    EXPECT_EQ(ClassOf(hBar), PROGRESS_CLASSA);
    EXPECT_EQ(StyleOf(hButton), 0x50010000u);
    EXPECT_EQ(StyleOf(hText), 0x5000008Cu);
    EXPECT_EQ(StyleOf(hBar), 0x50000001u) << "WS_CHILD | WS_VISIBLE | PBS_SMOOTH";
    EXPECT_EQ(TextOf(hButton), " Cancel ");
    EXPECT_EQ(TextOf(hText), "");
    for (const HWND hChild : {hButton, hText, hBar}) {
        RECT rect{};
        GetWindowRect(hChild, &rect);
        EXPECT_EQ(rect.right - rect.left, 10);
        EXPECT_EQ(rect.bottom - rect.top, 10);
    }

    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = 340;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &metrics, 0));
    for (const HWND hChild : {hButton, hText}) {
        const LOGFONTA font = FontOf(hChild);
        EXPECT_STREQ(font.lfFaceName, metrics.lfMessageFont.lfFaceName);
        EXPECT_EQ(font.lfHeight, metrics.lfMessageFont.lfHeight);
    }
    EXPECT_EQ(SendMessageA(hBar, WM_GETFONT, 0, 0), 0) << "the bar keeps its default font";
}

TEST_F(Win32PopupWindowTest, SegmentedBarUnlessSmooth) {
    Create(false);
    EXPECT_EQ(StyleOf(GetDlgItem(m_hPopup, 12)), 0x50000000u);
}

TEST_F(Win32PopupWindowTest, ErasesTheClipBoxInButtonFace) {
    Create(true);
    const HDC hScreen = GetDC(nullptr);
    const HDC hDC = CreateCompatibleDC(hScreen);
    const HBITMAP hBitmap = CreateCompatibleBitmap(hScreen, 20, 20);
    const HGDIOBJ hOld = SelectObject(hDC, hBitmap);
    PatBlt(hDC, 0, 0, 20, 20, BLACKNESS);
    IntersectClipRect(hDC, 0, 0, 10, 10);
    EXPECT_EQ(SendMessageA(m_hPopup, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hDC), 0), TRUE);
    const COLORREF crFace = GetNearestColor(hDC, GetSysColor(COLOR_BTNFACE));
    ASSERT_NE(crFace, RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(hDC, 0, 0), crFace);
    EXPECT_EQ(GetPixel(hDC, 9, 9), crFace);
    SelectClipRgn(hDC, nullptr);
    EXPECT_EQ(GetPixel(hDC, 15, 15), RGB(0, 0, 0)) << "only the clip box is erased";
    SelectObject(hDC, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hDC);
    ReleaseDC(nullptr, hScreen);
}

TEST_F(Win32PopupWindowTest, CancelClickReachesTheEventsAndCloseDestroys) {
    Create(true);
    SendMessageA(GetDlgItem(m_hPopup, 10), BM_CLICK, 0, 0);
    EXPECT_EQ(m_events.nCommands, 1);
    EXPECT_EQ(m_events.nLastId, 10);
    EXPECT_EQ(m_events.nLastCode, static_cast<unsigned>(BN_CLICKED));
    EXPECT_EQ(m_events.nDestroyed, 0);
    SendMessageA(m_hPopup, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(m_hPopup));
    EXPECT_EQ(m_events.nDestroyed, 1);
}

TEST_F(Win32PopupWindowTest, CentredOverTheOwnerAndKeptOnTheWorkArea) {
    Create(true);
    win32::CenterWindow(m_hPopup);
    RECT rcPopup{};
    RECT rcOwner{};
    GetWindowRect(m_hPopup, &rcPopup);
    GetWindowRect(m_hOwner, &rcOwner);
    EXPECT_NEAR((rcPopup.left + rcPopup.right) / 2, (rcOwner.left + rcOwner.right) / 2, 1);
    EXPECT_NEAR((rcPopup.top + rcPopup.bottom) / 2, (rcOwner.top + rcOwner.bottom) / 2, 1);

    // An owner hanging off the top-left corner: the popup stays whole on the work area.
    SetWindowPos(m_hOwner, nullptr, -400, -300, 500, 400, SWP_NOZORDER | SWP_NOACTIVATE);
    win32::CenterWindow(m_hPopup);
    RECT rcWork{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    GetWindowRect(m_hPopup, &rcPopup);
    EXPECT_EQ(rcPopup.left, rcWork.left);
    EXPECT_EQ(rcPopup.top, rcWork.top);
}

TEST_F(Win32PopupWindowTest, QueueIsLookedAtThenPumpedOneByOne) {
    Create(true);
    win32::CQueued queued;
    EXPECT_FALSE(win32::PeekNoRemove(queued)) << "the fixture left the queue empty";
    PostMessageA(m_hPopup, WM_CHAR, VK_ESCAPE, 7);
    PostMessageA(m_hPopup, WM_USER, 1, 2);
    ASSERT_TRUE(win32::PeekNoRemove(queued));
    EXPECT_EQ(queued.nMessage, static_cast<unsigned>(WM_CHAR));
    EXPECT_EQ(queued.wParam, static_cast<win32::Wparam>(VK_ESCAPE));
    EXPECT_EQ(queued.lParam, 7);
    ASSERT_TRUE(win32::PeekNoRemove(queued)) << "looking does not remove";
    EXPECT_EQ(queued.nMessage, static_cast<unsigned>(WM_CHAR));
    EXPECT_EQ(queued.hWnd, m_hPopup);
    EXPECT_TRUE(win32::PumpOne(queued));
    ASSERT_TRUE(win32::PeekNoRemove(queued));
    EXPECT_EQ(queued.nMessage, static_cast<unsigned>(WM_USER));
    EXPECT_TRUE(win32::PumpOne(queued));
    win32::PostQuit(3);
    ASSERT_TRUE(win32::PeekNoRemove(queued));
    EXPECT_EQ(queued.nMessage, static_cast<unsigned>(WM_QUIT));
    EXPECT_FALSE(win32::PumpOne(queued)) << "WM_QUIT ends the pump";
    EXPECT_FALSE(win32::PeekNoRemove(queued));
}

TEST_F(Win32PopupWindowTest, PumpingAMessageThatIsGoneNeitherWaitsNorTakesAnother) {
    Create(true);
    PostMessageA(m_hPopup, WM_CHAR, VK_ESCAPE, 0);
    PostMessageA(m_hOwner, WM_USER, 5, 0);
    win32::CQueued queued;
    ASSERT_TRUE(win32::PeekNoRemove(queued));
    ASSERT_EQ(queued.hWnd, m_hPopup);
    // As when Cancel closes the popup: the queue drops the destroyed window's messages.
    DestroyWindow(m_hPopup);
    EXPECT_TRUE(win32::PumpOne(queued));
    win32::CQueued next;
    ASSERT_TRUE(win32::PeekNoRemove(next));
    EXPECT_EQ(next.hWnd, m_hOwner);
    EXPECT_EQ(next.nMessage, static_cast<unsigned>(WM_USER));

    // A thread message peeked and taken by someone else in between.
    EXPECT_TRUE(win32::PumpOne(next));
    PostThreadMessageA(GetCurrentThreadId(), WM_USER + 1, 0, 0);
    ASSERT_TRUE(win32::PeekNoRemove(queued));
    EXPECT_EQ(queued.hWnd, nullptr);
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    PostMessageA(m_hOwner, WM_USER + 2, 0, 0);
    EXPECT_TRUE(win32::PumpOne(queued));
    ASSERT_TRUE(win32::PeekNoRemove(next)) << "the owner's message is not taken for the thread's";
    EXPECT_EQ(next.nMessage, static_cast<unsigned>(WM_USER + 2));
}

namespace {
int g_nTimerTicks = 0;
void CALLBACK CountTick(HWND /*hWnd*/, UINT /*nMsg*/, UINT_PTR /*nId*/, DWORD /*dwTime*/) {
    ++g_nTimerTicks;
}
}  // namespace

TEST_F(Win32PopupWindowTest, ThreadTimerTickIsPumpedToItsProcedure) {
    // A timer without a window, as a test script or a library may set on the thread.
    const UINT_PTR nTimer = SetTimer(nullptr, 0, 1, CountTick);
    win32::CQueued queued;
    const DWORD dwStart = GetTickCount();
    while (!(win32::PeekNoRemove(queued) && queued.nMessage == WM_TIMER) && GetTickCount() - dwStart < 5000) {
        if (queued.nMessage != 0) {
            win32::PumpOne(queued);
        }
        queued = {};
    }
    ASSERT_EQ(queued.nMessage, static_cast<unsigned>(WM_TIMER));
    EXPECT_EQ(queued.hWnd, nullptr);
    EXPECT_TRUE(win32::PumpOne(queued));
    KillTimer(nullptr, nTimer);
    EXPECT_EQ(g_nTimerTicks, 1);
    EXPECT_FALSE(win32::PeekNoRemove(queued) && queued.nMessage == WM_TIMER) << "removed, not left for ever";
}
