// Moving the caption-less windows by their background: the question box (a bitmap dialog) is
// dragged with the left button held, and the drag ends with the mouse capture.
#include "hovra_stdafx.h"

#include <gtest/gtest.h>

#include "QuestionDlg.h"

namespace
{
constexpr UINT WM_TEST_DRAG = WM_USER + 60;

enum class Interruption
{
    None,
    CaptureTaken, // another window of the thread takes the capture (as on Alt+Tab)
    CancelMode    // the system asks the window to leave any mode it is in
};

// A question box that is dragged once it is shown, is interrupted, and is moved over again with
// the button still reported down; it records where the window stood, then closes itself.
class CDraggedQuestionDlg : public CQuestionDlg
{
public:
    explicit CDraggedQuestionDlg(Interruption how) : m_how(how) {}

    POINT m_ptStart{};
    POINT m_ptDragged{};
    POINT m_ptAfter{};

protected:
    BOOL OnInitDialog() override
    {
        const BOOL bResult = CQuestionDlg::OnInitDialog();
        PostMessage(WM_TEST_DRAG);
        return bResult;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_TEST_DRAG)
            return CQuestionDlg::WindowProc(message, wParam, lParam);
        m_ptStart = TopLeft();
        SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(25, 15));
        m_ptDragged = TopLeft();

        HWND hOther =
            ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        if (m_how == Interruption::CaptureTaken)
            ::SetCapture(hOther);
        else if (m_how == Interruption::CancelMode)
            SendMessage(WM_CANCELMODE);
        // Whatever the window's capture is now, the next move comes with the button held.
        SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(45, 35));
        m_ptAfter = TopLeft();
        ::ReleaseCapture();
        ::DestroyWindow(hOther);
        SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(45, 35));
        PostMessage(WM_COMMAND, IDCANCEL);
        return 0;
    }

private:
    POINT TopLeft()
    {
        RECT rc{};
        GetWindowRect(&rc);
        return POINT{rc.left, rc.top};
    }

    Interruption m_how;
};

TEST(BitmapDialog, DragMovesTheWindowUntilTheCaptureGoes)
{
    const struct
    {
        Interruption how;
        bool bFollows; // whether the last move still takes the window along
        const char* what;
    } cases[] = {
        {Interruption::None, true, "an uninterrupted drag follows the mouse"},
        {Interruption::CaptureTaken, false, "the capture taken ends the drag"},
        {Interruption::CancelMode, false, "a cancel-mode request ends the drag"},
    };
    for (const auto& c : cases)
    {
        CDraggedQuestionDlg dlg(c.how);
        dlg.SetMessage(L"Drag me");
        EXPECT_EQ(IDCANCEL, dlg.DoModal()) << c.what;
        // The first move follows the pointer (the grab point is applied to the window's outer
        // corner, so it may add the border's width).
        EXPECT_GE(dlg.m_ptDragged.x - dlg.m_ptStart.x, 20) << c.what;
        EXPECT_LE(dlg.m_ptDragged.x - dlg.m_ptStart.x, 22) << c.what;
        EXPECT_EQ(c.bFollows, dlg.m_ptAfter.x > dlg.m_ptDragged.x) << c.what;
        EXPECT_EQ(c.bFollows, dlg.m_ptAfter.y > dlg.m_ptDragged.y) << c.what;
    }
}
} // namespace
