// The portable progress popup driven over its real Win32 window, with the real application profile
// (Nimbrel.INI in the user's application-data folder) and the rest of the OS a simulated machine:
// caption and bar, the layout measured in the real message font, running modal over an owner, Esc and
// clicks on Cancel, WM_QUIT, and the position one run saves and the next restores.
#include "ui/win32/win32_progress_window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "platform/sim/sim_machine.h"
#include "platform/win32/win32_os.h"
#include "ui/win32/win32_controls.h"
#include "ui/win32/win32_progress_wnd.h"
#include "ui/win32/win32_test_util.h"
#include "wizard/main_window.h"
#include "wizard/progress_popup.h"

namespace {

constexpr char POPUP_CLASS[] = "NimbrelProgressPopup";
constexpr UINT PBM_GETPOS = 0x0408;
constexpr UINT PBM_GETRANGE = 0x0407;
constexpr UINT BM_CLICK = 0x00F5;
constexpr DWORD PBS_SMOOTH = 1;
constexpr UINT WM_USER = 0x0400;

// The sheet as the popup sees it: the main window whose popups are real Win32 windows it owns.
class COwnerSheet : public ISheetWindow {
public:
    explicit COwnerSheet(win32::Hwnd hWnd) : m_hWnd(hWnd), m_page(nullptr) {}
    void PostSetWizButtons(DWORD /*dwFlags*/) override {}
    void SetFinishText(const std::string& /*strText*/) override {}
    int MessageBox(const std::string& /*strText*/, UINT /*nType*/) override {
        ADD_FAILURE() << "no message box is expected";
        return 1;
    }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    IPageControls& CreatePageWindow(UINT /*nTemplateId*/) override {
        ADD_FAILURE() << "no page is expected";
        return m_page;
    }
    std::unique_ptr<IProgressWindow> CreateProgressWindow() override {
        return CreateWin32ProgressWindow(m_hWnd);
    }

private:
    win32::Hwnd m_hWnd;
    CWin32Page m_page;
};

// Where the real profile keeps the position.
std::string ProfileFile() {
    const char* pszAppData = std::getenv("APPDATA");
    return std::string(pszAppData != nullptr ? pszAppData : "") + "\\Brellix Nimbrel\\Nimbrel.INI";
}

class Win32ProgressPopupTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string strError;
        m_pMachine = CSimMachine::FromText("{}", "popup machine", &strError);
        ASSERT_NE(m_pMachine, nullptr) << strError;
        COsServices services = m_pMachine->Services();
        services.pProfile = m_realOs.Services().pProfile;
        m_previousOs = SetOs(services);
        win32::test::DeleteProfileSection(ProfileFile(), PROGRESS_PROFILE_SECTION);

        m_hOwner = win32::test::CreateOwner(150, 120, 500, 400);
        ASSERT_NE(m_hOwner, nullptr);
        m_pSheet = std::make_unique<COwnerSheet>(m_hOwner);
        AfxSetMainWnd(m_pSheet.get());
        win32::test::DrainMessages();
    }
    void TearDown() override {
        AfxSetMainWnd(nullptr);
        win32::DestroyWindow(m_hOwner);
        win32::test::DrainMessages();
        win32::test::DeleteProfileSection(ProfileFile(), PROGRESS_PROFILE_SECTION);
        SetOs(m_previousOs);
    }

    // The adapter test's opening calls.
    void Open(CProgressPopup& popup) {
        ASSERT_TRUE(popup.Create(m_pSheet.get(), "Wireless Scan", TRUE));
        ASSERT_TRUE(popup.BeginModal("Progress", FALSE));
    }
    static win32::Hwnd Popup() { return win32::test::FindTopWindow(POPUP_CLASS); }
    static win32::CBox ChildBox(int nId) { return win32::WindowBox(win32::Child(Popup(), nId)); }
    static int Saved(const char* pszKey) {
        return static_cast<int>(Os().Profile().GetProfileInt(PROGRESS_PROFILE_SECTION, pszKey, -1));
    }
    static void ClickAt(int nX, int nY) {
        // The queue stamps a posted message with the cursor's place at posting time.
        win32::test::SetCursorPos(nX, nY);
        win32::Post(Popup(), WM_LBUTTONUP, 0, 0);
    }

    CWin32Os m_realOs;
    COsServices m_previousOs;
    std::unique_ptr<CSimMachine> m_pMachine;
    win32::Hwnd m_hOwner = nullptr;
    std::unique_ptr<COwnerSheet> m_pSheet;
};

}  // namespace

TEST_F(Win32ProgressPopupTest, CaptionCountsPercentAndTheBarFollowsTheSteps) {
    CProgressPopup popup;
    Open(popup);
    ASSERT_NE(Popup(), nullptr);
    EXPECT_EQ(win32::GetText(Popup()), "Wireless Scan") << "BeginModal keeps the window Create made";
    EXPECT_EQ(win32::Style(win32::Child(Popup(), IDC_PROGRESS_BAR)) & PBS_SMOOTH, PBS_SMOOTH);
    EXPECT_EQ(popup.SetProgressRange(0, 4, 1), 10) << "the real bar's own first step";
    EXPECT_EQ(win32::Send(win32::Child(Popup(), IDC_PROGRESS_BAR), PBM_GETRANGE, TRUE, 0), 0);
    EXPECT_EQ(win32::Send(win32::Child(Popup(), IDC_PROGRESS_BAR), PBM_GETRANGE, FALSE, 0), 4);
    const char* const apszCaptions[] = {"Progress [25%]", "Progress [50%]", "Progress [75%]",
                                        "Progress [100%]"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(popup.StepProgress(), i) << "the bar's previous position";
        EXPECT_EQ(win32::GetText(Popup()), apszCaptions[i]);
        EXPECT_EQ(win32::Send(win32::Child(Popup(), IDC_PROGRESS_BAR), PBM_GETPOS, 0, 0), i + 1);
    }
    popup.SetMessage("Scanning with %s\nScan %d of %d", "ORiNOCO", 2, 3);
    EXPECT_EQ(win32::GetText(win32::Child(Popup(), IDC_PROGRESS_TEXT)), "Scanning with ORiNOCO\nScan 2 of 3");
    popup.SetMessage("%s", std::string(600, 'x').c_str());
    EXPECT_EQ(win32::GetText(win32::Child(Popup(), IDC_PROGRESS_TEXT)), std::string(511, 'x'));
}

TEST_F(Win32ProgressPopupTest, EmptyRangeKeepsTheCreatedCaption) {
    CProgressPopup popup;
    Open(popup);
    popup.SetProgressRange(5, 5, 1);
    popup.StepProgress();
    popup.SetProgressPos(3);
    EXPECT_EQ(win32::GetText(Popup()), "Wireless Scan");
    EXPECT_EQ(win32::Send(win32::Child(Popup(), IDC_PROGRESS_BAR), PBM_GETPOS, 0, 0), 5)
        << "clamped by the bar";
}

TEST_F(Win32ProgressPopupTest, LayoutIsMeasuredInTheMessageFontAndShownWithoutActivating) {
    CProgressPopup popup;
    ASSERT_TRUE(popup.Create(m_pSheet.get(), "Wireless Scan", TRUE));
    const win32::Hwnd hPopup = Popup();
    ASSERT_NE(hPopup, nullptr);
    EXPECT_TRUE(win32::IsVisible(hPopup));
    EXPECT_NE(win32::test::Foreground(), hPopup) << "shown with SW_SHOWNA";
    EXPECT_TRUE(win32::Style(hPopup) & WS_VISIBLE);

    const win32::CBox text = ChildBox(IDC_PROGRESS_TEXT);
    const win32::CBox button = ChildBox(IDC_PROGRESS_CANCEL);
    const win32::CBox bar = ChildBox(IDC_PROGRESS_BAR);
    const win32::CBox client = win32::ClientBox(hPopup);
    EXPECT_EQ(text.right - text.left, 390);
    EXPECT_EQ(client.right - client.left, 410);
    EXPECT_GE(text.bottom - text.top, 4 * 8) << "four lines of the message font";
    EXPECT_EQ(button.right, text.right) << "right-aligned under the text";
    EXPECT_EQ(button.top, text.bottom + 10);
    EXPECT_GT(button.right - button.left, 4 * win32::SystemMetric(SM_CXEDGE)) << "the label is measured";
    EXPECT_EQ(bar.left, text.left);
    EXPECT_EQ(bar.right, button.left - 10);
    EXPECT_EQ(bar.top, button.top + win32::SystemMetric(SM_CYEDGE));
    EXPECT_EQ(bar.bottom, button.bottom - win32::SystemMetric(SM_CYEDGE));
    EXPECT_EQ(client.bottom - client.top, (text.bottom - text.top) + (button.bottom - button.top) + 30);
}

TEST_F(Win32ProgressPopupTest, ModalPopupDisablesTheOwnerAndTakesTheFocusUntilItIsDestroyed) {
    {
        CProgressPopup popup;
        ASSERT_TRUE(popup.Create(m_pSheet.get(), "Wireless Scan", TRUE));
        EXPECT_TRUE(win32::IsEnabled(m_hOwner)) << "not modal yet";
        ASSERT_TRUE(popup.BeginModal("Progress", FALSE));
        EXPECT_FALSE(win32::IsEnabled(m_hOwner));
        EXPECT_TRUE(win32::IsEnabled(Popup()));
        popup.PumpMessages(TRUE);
        EXPECT_TRUE(win32::HasFocus(Popup()));
        EXPECT_FALSE(popup.IsCancelRequested());
    }
    EXPECT_TRUE(win32::IsEnabled(m_hOwner)) << "the destructor ends the modal state";
    EXPECT_EQ(Popup(), nullptr);
}

TEST_F(Win32ProgressPopupTest, EscCancelsOnlyWhenAskedAndClosesTheModalWindowAtOnce) {
    CProgressPopup popup;
    Open(popup);
    const win32::Hwnd hPopup = Popup();
    win32::Post(hPopup, WM_CHAR, VK_ESCAPE, 0);
    popup.PumpMessages(FALSE);
    EXPECT_FALSE(popup.IsCancelRequested());
    EXPECT_TRUE(win32::IsWindow(hPopup));

    win32::Post(hPopup, WM_CHAR, VK_ESCAPE, 0);
    win32::Post(m_hOwner, WM_USER, 0, 0);
    popup.PumpMessages(TRUE);
    EXPECT_TRUE(popup.IsCancelRequested());
    EXPECT_FALSE(win32::IsWindow(hPopup)) << "WM_CLOSE destroyed the modal popup";
    win32::CQueued queued;
    ASSERT_TRUE(win32::PeekNoRemove(queued)) << "the pump stops at the cancel";
    EXPECT_EQ(queued.nMessage, WM_USER);
    EXPECT_FALSE(win32::IsEnabled(m_hOwner)) << "the owner stays disabled until the popup is destroyed";

    // Later calls find no window and do nothing.
    EXPECT_EQ(popup.StepProgress(), 0);
    popup.SetMessage("after");
    popup.PumpMessages(TRUE);

    EXPECT_FALSE(popup.DestroyWindow());
    EXPECT_TRUE(win32::IsEnabled(m_hOwner));
    EXPECT_EQ(Saved(PROGRESS_PROFILE_X), -1) << "a cancelled run does not save its position";
}

TEST_F(Win32ProgressPopupTest, ReleasedClickOverCancelCountsBeforeTheButtonSeesIt) {
    CProgressPopup popup;
    Open(popup);
    const win32::CBox button = ChildBox(IDC_PROGRESS_CANCEL);
    ClickAt(button.left - 5, (button.top + button.bottom) / 2);
    popup.PumpMessages(FALSE);
    EXPECT_FALSE(popup.IsCancelRequested()) << "beside the button";

    ClickAt((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    ClickAt((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    popup.PumpMessages(FALSE);
    EXPECT_TRUE(popup.IsCancelRequested());
    EXPECT_EQ(Popup(), nullptr);
    popup.OnCancelButton();
    EXPECT_TRUE(popup.IsCancelRequested()) << "a second cancel changes nothing";
}

TEST_F(Win32ProgressPopupTest, CancelButtonOfANonModalPopupHidesIt) {
    CProgressPopup popup;
    ASSERT_TRUE(popup.Create(m_pSheet.get(), "Wireless Scan", TRUE));
    const win32::Hwnd hPopup = Popup();
    win32::Send(win32::Child(hPopup, IDC_PROGRESS_CANCEL), BM_CLICK, 0, 0);
    EXPECT_TRUE(popup.IsCancelRequested());
    EXPECT_TRUE(win32::IsWindow(hPopup)) << "only a modal popup is closed";
    EXPECT_FALSE(win32::IsVisible(hPopup));
    EXPECT_EQ(win32::Style(hPopup) & WS_VISIBLE, 0u);
}

TEST_F(Win32ProgressPopupTest, QuitMetWhilePumpingIsPostedAgain) {
    CProgressPopup popup;
    Open(popup);
    win32::PostQuit(0);
    popup.PumpMessages(TRUE);
    win32::CQueued queued;
    ASSERT_TRUE(win32::PeekNoRemove(queued));
    EXPECT_EQ(queued.nMessage, WM_QUIT);
    EXPECT_FALSE(popup.IsCancelRequested());
}

TEST_F(Win32ProgressPopupTest, PositionIsKeptInTheProfileAndCentredWhenOffTheScreen) {
    // No saved position: centred over the owner.
    const win32::CBox owner = win32::WindowBox(m_hOwner);
    {
        CProgressPopup popup;
        Open(popup);
        const win32::CBox box = win32::WindowBox(Popup());
        EXPECT_NEAR((box.left + box.right) / 2, (owner.left + owner.right) / 2, 1);
        EXPECT_NEAR((box.top + box.bottom) / 2, (owner.top + owner.bottom) / 2, 1);
        win32::SetWindowPos(Popup(), 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    EXPECT_EQ(Saved(PROGRESS_PROFILE_X), 40);
    EXPECT_EQ(Saved(PROGRESS_PROFILE_Y), 50);
    {
        CProgressPopup popup;
        Open(popup);
        const win32::CBox box = win32::WindowBox(Popup());
        EXPECT_EQ(box.left, 40) << "the next run restores it";
        EXPECT_EQ(box.top, 50);
    }

    // A position on a monitor that is gone, right of the screen or left of it: centred again.
    const int anX[] = {win32::SystemMetric(SM_CXSCREEN) + 200, win32::SystemMetric(SM_CXSCREEN), -300};
    for (const int nX : anX) {
        Os().Profile().WriteProfileInt(PROGRESS_PROFILE_SECTION, PROGRESS_PROFILE_X, nX);
        Os().Profile().WriteProfileInt(PROGRESS_PROFILE_SECTION, PROGRESS_PROFILE_Y, 50);
        CProgressPopup popup;
        Open(popup);
        const win32::CBox box = win32::WindowBox(Popup());
        EXPECT_NEAR((box.left + box.right) / 2, (owner.left + owner.right) / 2, 1) << nX;
        EXPECT_NEAR((box.top + box.bottom) / 2, (owner.top + owner.bottom) / 2, 1) << nX;
    }
    Os().Profile().WriteProfileInt(PROGRESS_PROFILE_SECTION, PROGRESS_PROFILE_X, 10);
    Os().Profile().WriteProfileInt(PROGRESS_PROFILE_SECTION, PROGRESS_PROFILE_Y,
                                   win32::SystemMetric(SM_CYSCREEN));
    CProgressPopup popup;
    Open(popup);
    EXPECT_NE(win32::WindowBox(Popup()).left, 10) << "below the screen: centred";
}

TEST_F(Win32ProgressPopupTest, NeverCreatedPopupWritesNothing) {
    {
        CProgressPopup popup;
        EXPECT_EQ(popup.SetProgressRange(0, 4, 1), 0);
        EXPECT_EQ(popup.StepProgress(), 0);
    }
    EXPECT_EQ(Saved(PROGRESS_PROFILE_X), -1);
    EXPECT_EQ(Saved(PROGRESS_PROFILE_Y), -1);
}
