// CLedCtrl: a small status light over a static control. State 600 shows the green light, every
// other state the red one. The light is drawn over whatever lies beneath it: white pixels of the
// images are transparent, and the control never erases its background.
#pragma once

#include "hovra_stdafx.h"

class CLedCtrl : public CStatic
{
public:
    enum
    {
        LED_RED = 500,
        LED_GREEN = 600
    };

    CLedCtrl();
    ~CLedCtrl() override;

    // Stores the state and draws the light at once, without waiting for a repaint.
    void SetState(int nState);
    int GetState() const { return m_nState; }

protected:
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam);
    LRESULT OnCreate(WPARAM wParam, LPARAM lParam);

    int m_nState = 0;
    CBitmap m_bmpRed;
    CBitmap m_bmpGreen;
    const UINT m_nWidth = 18;
    const UINT m_nHeight = 14;
    const COLORREF m_clrTransparent = RGB(255, 255, 255);

    DECLARE_MESSAGE_MAP()

private:
    void DrawLed(HDC hdc);
};
