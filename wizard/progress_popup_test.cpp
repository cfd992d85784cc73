// The progress popup on the headless window (7 x 13 pixel characters, 2-pixel edges, a 6-pixel frame
// with a 25-pixel caption, a 1024 x 768 screen) with the profile of a simulated machine.
#include "wizard/progress_popup.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

#include "platform/sim/sim_machine.h"
#include "ui/headless/headless_host.h"
#include "wizard/main_window.h"

// Rectangles compared and printed by the assertions (found by argument lookup).
static bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
static void PrintTo(const RECT& rect, std::ostream* pOut) {
    *pOut << "{" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << "}";
}

namespace {

class ProgressPopupTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseMachine("{}");
        AfxSetMainWnd(&m_host);
    }
    void TearDown() override { AfxSetMainWnd(nullptr); }

    void UseMachine(const std::string& strMachine) {
        m_pOs.reset();
        std::string strError;
        m_pMachine = CSimMachine::FromText(strMachine, "test machine", &strError);
        ASSERT_NE(m_pMachine, nullptr) << strError;
        m_pOs = std::make_unique<CScopedOs>(*m_pMachine);
    }
    void UseSavedPosition(const std::string& strX, const std::string& strY) {
        UseMachine(R"({ "profile": { "sections": { "Brellix Nimbrel": { "ProgWndX": )" + strX +
                   R"(, "ProgWndY": )" + strY + " } } } }");
    }
    // The saved value, or "absent".
    std::string Saved(const char* pszKey) {
        std::string strValue;
        return m_pMachine->Profile().GetString("Brellix Nimbrel", pszKey, &strValue) ? strValue : "absent";
    }
    // The popup as the adapter test opens it.
    void OpenLikeAdapterTest(CProgressPopup& popup) {
        ASSERT_TRUE(popup.Create(&m_host, "Wireless Scan", TRUE));
        ASSERT_TRUE(popup.BeginModal("Progress", FALSE));
    }
    CHeadlessProgressWindow& Window() { return *m_host.Progress(); }

    CHeadlessHost m_host;
    std::unique_ptr<CSimMachine> m_pMachine;
    std::unique_ptr<CScopedOs> m_pOs;
};
}  // namespace

TEST_F(ProgressPopupTest, CaptionShowsThePercentageOfTheRange) {
    CProgressPopup popup;
    OpenLikeAdapterTest(popup);
    // BeginModal on an existing window keeps its caption and bar style.
    EXPECT_EQ(Window().Caption(), "Wireless Scan");
    EXPECT_TRUE(Window().IsSmooth());
    EXPECT_EQ(popup.SetProgressRange(0, 4, 1), 10) << "the bar's previous (default) step";
    EXPECT_EQ(Window().BarLower(), 0);
    EXPECT_EQ(Window().BarUpper(), 4);

    const char* const apszCaptions[] = {"Progress [25%]", "Progress [50%]", "Progress [75%]",
                                        "Progress [100%]"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(popup.StepProgress(), i) << "the previous position";
        EXPECT_EQ(Window().Caption(), apszCaptions[i]);
        EXPECT_EQ(Window().BarPos(), i + 1);
    }
}

TEST_F(ProgressPopupTest, EmptyRangeLeavesTheCaptionAlone) {
    CProgressPopup popup;
    OpenLikeAdapterTest(popup);
    popup.SetProgressRange(4, 4, 1);
    popup.StepProgress();
    EXPECT_EQ(Window().Caption(), "Wireless Scan");
    popup.SetProgressRange(4, 0, 1);
    popup.SetProgressPos(3);
    EXPECT_EQ(Window().Caption(), "Wireless Scan");
}

TEST_F(ProgressPopupTest, PercentageCountsFromTheLowerBound) {
    CProgressPopup popup;
    OpenLikeAdapterTest(popup);
    popup.SetProgressRange(10, 20, 5);
    popup.SetProgressPos(15);
    EXPECT_EQ(Window().Caption(), "Progress [50%]");
    popup.StepProgress();
    EXPECT_EQ(Window().Caption(), "Progress [100%]");
}

TEST_F(ProgressPopupTest, WithoutAWindowNothingIsStored) {
    CProgressPopup popup;
    EXPECT_EQ(popup.SetProgressRange(0, 4, 2), 0);
    EXPECT_EQ(popup.SetProgressPos(3), 0);
    EXPECT_EQ(popup.StepProgress(), 0);
    popup.SetMessage("%s", "lost");
    m_host.MessageQueue().push_back(MSG{WM_CHAR, VK_ESCAPE, 0, POINT{0, 0}});
    popup.PumpMessages(TRUE);
    EXPECT_FALSE(popup.IsCancelRequested());
    EXPECT_EQ(m_host.MessageQueue().size(), 1u) << "no window, no pumping";
    EXPECT_EQ(m_host.Progress(), nullptr);

    // The range given before the window existed was dropped: the default 0..100 with step 1 remains.
    ASSERT_TRUE(popup.Create(nullptr, "Wireless Scan", FALSE));
    EXPECT_EQ(Window().Text(), "");
    popup.StepProgress();
    EXPECT_EQ(Window().BarPos(), 1);
    EXPECT_EQ(Window().Caption(), "Progress [1%]");
}

TEST_F(ProgressPopupTest, MessageIsFormattedOnceAndCutAt511Characters) {
    CProgressPopup popup;
    OpenLikeAdapterTest(popup);
    // The adapter test formats its text first and hands it over through "%s".
    popup.SetMessage("%s", "Adapter 100%d\nScan #1...");
    EXPECT_EQ(Window().Text(), "Adapter 100%d\nScan #1...");
    popup.SetMessage("%s\nScan #%d...", "Adapter X", 2);
    EXPECT_EQ(Window().Text(), "Adapter X\nScan #2...");

    popup.SetMessage("%s", std::string(600, 'x').c_str());
    EXPECT_EQ(Window().Text(), std::string(511, 'x'));
}

TEST_F(ProgressPopupTest, EscapeCancelsOnlyWhenAsked) {
    CProgressPopup popup;
    OpenLikeAdapterTest(popup);
    Window().TypeEscape();
    popup.PumpMessages(FALSE);
    EXPECT_FALSE(popup.IsCancelRequested());
    EXPECT_TRUE(m_host.MessageQueue().empty()) << "the key was dispatched";
    EXPECT_TRUE(Window().IsWindowVisible());

    Window().TypeEscape();
    popup.PumpMessages(TRUE);
    EXPECT_TRUE(popup.IsCancelRequested());
    // Modal: the window is closed at once; the main window is brought forward but stays disabled.
    EXPECT_FALSE(Window().IsWindow());
    EXPECT_EQ(m_host.ForegroundRequests(), 1);
    EXPECT_FALSE(m_host.IsEnabled());
}

TEST_F(ProgressPopupTest, ModalPumpSeesAClickOnCancelBeforeTheButtonDoes) {
    CProgressPopup popup;
    OpenLikeAdapterTest(popup);
    Window().ClickCancel();
    Window().TypeEscape();
    popup.PumpMessages(FALSE);
    EXPECT_TRUE(popup.IsCancelRequested());
    EXPECT_FALSE(Window().IsWindow());
    EXPECT_EQ(Window().CancelClicks(), 0) << "the window was closed before the click reached the button";
    EXPECT_EQ(m_host.MessageQueue().size(), 1u) << "pumping stops at the cancel";

    // Cancelling again changes nothing: no window to close, nothing more pumped.
    popup.OnCancelButton();
    popup.PumpMessages(TRUE);
    EXPECT_TRUE(popup.IsCancelRequested());
    EXPECT_EQ(m_host.MessageQueue().size(), 1u);
}

TEST_F(ProgressPopupTest, WithoutModalTheButtonItselfCancels) {
    CProgressPopup popup;
    ASSERT_TRUE(popup.Create(nullptr, "Wireless Scan", TRUE));
    // A release beside the button is only dispatched.
    const RECT rcButton = Window().GetChildWindowRect(IDC_PROGRESS_CANCEL);
    Window().ReleaseMouseAt(POINT{rcButton.left - 1, rcButton.top});
    popup.PumpMessages(TRUE);
    EXPECT_FALSE(popup.IsCancelRequested());

    Window().ClickCancel();
    popup.PumpMessages(TRUE);
    EXPECT_TRUE(popup.IsCancelRequested());
    EXPECT_EQ(Window().CancelClicks(), 1);
    // Not modal: hidden, not closed, so its position is still saved.
    EXPECT_TRUE(Window().IsWindow());
    EXPECT_FALSE(Window().IsWindowVisible());
    EXPECT_FALSE(Window().HasFocus()) << "a popup that is not modal is never activated";
    popup.DestroyWindow();
    EXPECT_NE(Saved("ProgWndX"), "absent");
}

TEST_F(ProgressPopupTest, QuitMetWhilePumpingIsPostedAgain) {
    CProgressPopup popup;
    OpenLikeAdapterTest(popup);
    Window().TypeEscape();
    m_host.MessageQueue().push_back(MSG{WM_QUIT, 0, 0, POINT{0, 0}});
    Window().TypeEscape();
    popup.PumpMessages(FALSE);
    ASSERT_EQ(m_host.MessageQueue().size(), 2u);
    EXPECT_EQ(m_host.MessageQueue().front().message, WM_CHAR) << "pumping stopped at the quit";
    EXPECT_EQ(m_host.MessageQueue().back().message, WM_QUIT);
    EXPECT_FALSE(popup.IsCancelRequested());
}

TEST_F(ProgressPopupTest, ModalDisablesTheMainWindowUntilDestruction) {
    {
        CProgressPopup popup;
        ASSERT_TRUE(popup.Create(nullptr, "Wireless Scan", TRUE));
        EXPECT_TRUE(m_host.IsEnabled());
        EXPECT_TRUE(Window().IsWindowVisible());
        EXPECT_FALSE(Window().HasFocus());
        ASSERT_TRUE(popup.BeginModal("Progress", FALSE));
        EXPECT_FALSE(m_host.IsEnabled());
        EXPECT_TRUE(Window().IsEnabled());
        popup.PumpMessages(TRUE);
        EXPECT_TRUE(Window().HasFocus());

        popup.OnCancelButton();
        EXPECT_FALSE(m_host.IsEnabled()) << "the main window waits for the popup's destruction";
    }
    EXPECT_TRUE(m_host.IsEnabled());
    EXPECT_EQ(m_host.Progress(), nullptr);
}

TEST_F(ProgressPopupTest, BeginModalCreatesTheWindowWhenNeeded) {
    {
        CProgressPopup popup;
        ASSERT_TRUE(popup.BeginModal("Progress", FALSE));
        EXPECT_EQ(Window().Caption(), "Progress");
        EXPECT_FALSE(Window().IsSmooth());
        EXPECT_FALSE(m_host.IsEnabled());
    }
    EXPECT_TRUE(m_host.IsEnabled());

    m_host.ProgressFaults().bCreateFails = true;
    CProgressPopup popup;
    EXPECT_FALSE(popup.BeginModal("Progress", FALSE));
    EXPECT_TRUE(m_host.IsEnabled()) << "a popup that could not be made leaves the main window alone";
    EXPECT_EQ(popup.SetProgressRange(0, 4, 1), 0);

    // No owner at all: nothing to make the window in.
    m_host.ProgressFaults().bCreateFails = false;
    AfxSetMainWnd(nullptr);
    EXPECT_FALSE(popup.Create(nullptr, "Wireless Scan", TRUE));
}

TEST_F(ProgressPopupTest, LayoutSizesTheTextForFourLines) {
    CProgressPopup popup;
    ASSERT_TRUE(popup.Create(nullptr, "Wireless Scan", TRUE));
    // Four 13-pixel lines, 390 pixels wide.
    EXPECT_EQ(Window().ChildRect(IDC_PROGRESS_TEXT), (RECT{10, 10, 400, 62}));
    // " Cancel " and two blanks: 70 x 13 pixels, plus 4 x 2 and 3 x 2 edges, right-aligned under the text.
    EXPECT_EQ(Window().ChildRect(IDC_PROGRESS_CANCEL), (RECT{322, 72, 400, 91}));
    // The bar fills the space to the button's left, an edge inside the button's height.
    EXPECT_EQ(Window().ChildRect(IDC_PROGRESS_BAR), (RECT{10, 74, 312, 89}));
    EXPECT_EQ(Window().GetClientRect(), (RECT{0, 0, 410, 101}));
    const RECT rcWindow = Window().GetWindowRect();
    EXPECT_EQ(rcWindow.right - rcWindow.left, 410 + 2 * 6);
    EXPECT_EQ(rcWindow.bottom - rcWindow.top, 101 + 2 * 6 + 25);
    EXPECT_EQ(Window().CancelLabel(), " Cancel ");
}

TEST_F(ProgressPopupTest, LayoutWithoutADeviceContextKeepsAUsableButton) {
    m_host.ProgressFaults().bNoDeviceContext = true;
    CProgressPopup popup;
    ASSERT_TRUE(popup.Create(nullptr, "Wireless Scan", TRUE));
    EXPECT_EQ(Window().ChildRect(IDC_PROGRESS_TEXT), (RECT{10, 10, 400, 120}));
    EXPECT_EQ(Window().ChildRect(IDC_PROGRESS_CANCEL), (RECT{325, 130, 400, 153}));
    EXPECT_EQ(Window().ChildRect(IDC_PROGRESS_BAR), (RECT{10, 132, 315, 151}));
    EXPECT_EQ(Window().GetClientRect(), (RECT{0, 0, 410, 163}));
}

TEST_F(ProgressPopupTest, NoUsableSavedPositionCentresOverTheOwner) {
    // 422 x 138 centred over the sheet at (212, 159)-(812, 609).
    const RECT rcCentred{301, 315, 723, 453};
    for (const auto& [strX, strY] :
         {std::pair<std::string, std::string>{"-1", "-1"}, {"1024", "100"}, {"100", "768"}, {"100", "-3"}}) {
        UseSavedPosition(strX, strY);
        CProgressPopup popup;
        ASSERT_TRUE(popup.Create(nullptr, "Wireless Scan", TRUE));
        EXPECT_EQ(Window().GetWindowRect(), rcCentred) << strX << ", " << strY;
    }
    UseMachine("{}");
    CProgressPopup popup;
    ASSERT_TRUE(popup.Create(nullptr, "Wireless Scan", TRUE));
    EXPECT_EQ(Window().GetWindowRect(), rcCentred) << "nothing saved";
}

TEST_F(ProgressPopupTest, SavedPositionOnTheScreenIsRestored) {
    UseSavedPosition("1023", "767");
    CProgressPopup popup;
    ASSERT_TRUE(popup.Create(nullptr, "Wireless Scan", TRUE));
    const RECT rcWindow = Window().GetWindowRect();
    EXPECT_EQ(rcWindow.left, 1023);
    EXPECT_EQ(rcWindow.top, 767);
    EXPECT_EQ(rcWindow.right - rcWindow.left, 422) << "the size is the layout's";
}

TEST_F(ProgressPopupTest, ARunThatEndsWithoutCancelSavesItsPosition) {
    {
        CProgressPopup popup;
        OpenLikeAdapterTest(popup);
        popup.SetProgressRange(0, 4, 1);
        popup.StepProgress();
        // The user dragged the popup.
        Window().SetWindowPos(40, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        popup.PumpMessages(TRUE);
    }
    EXPECT_EQ(Saved("ProgWndX"), "40");
    EXPECT_EQ(Saved("ProgWndY"), "60");
}

TEST_F(ProgressPopupTest, CancelWhileModalSavesNothing) {
    UseSavedPosition("200", "150");
    {
        CProgressPopup popup;
        OpenLikeAdapterTest(popup);
        Window().SetWindowPos(40, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        Window().ClickCancel();
        popup.PumpMessages(TRUE);
        ASSERT_TRUE(popup.IsCancelRequested());
        // Later calls find no window.
        EXPECT_EQ(popup.StepProgress(), 0);
        EXPECT_EQ(popup.SetProgressRange(0, 4, 1), 0);
    }
    EXPECT_EQ(Saved("ProgWndX"), "200");
    EXPECT_EQ(Saved("ProgWndY"), "150");
}

TEST_F(ProgressPopupTest, NeverCreatedPopupWritesNothing) {
    {
        CProgressPopup popup;
        EXPECT_FALSE(popup.DestroyWindow());
    }
    EXPECT_EQ(Saved("ProgWndX"), "absent");
    EXPECT_EQ(Saved("ProgWndY"), "absent");
    EXPECT_TRUE(m_host.IsEnabled());
}

TEST_F(ProgressPopupTest, HiddenPopupComesBackWithProgress) {
    CProgressPopup popup;
    ASSERT_TRUE(popup.Create(nullptr, "Wireless Scan", TRUE));
    const int nRedraws = Window().Redraws();
    popup.HidePopup();
    EXPECT_FALSE(Window().IsWindowVisible());
    popup.SetProgressPos(5);
    EXPECT_TRUE(Window().IsWindowVisible());
    EXPECT_EQ(Window().Redraws(), nRedraws + 1) << "shown again with a full redraw";
    popup.ShowPopup();
    EXPECT_EQ(Window().Redraws(), nRedraws + 1) << "a visible popup is not redrawn again";
}
