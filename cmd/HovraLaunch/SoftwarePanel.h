// CSoftwarePanel: the software requirements page. One row per prerequisite item (in practice the
// one row of the Windows identified at start-up) with a plus/minus button, the item's name, a red
// or green light and a status word. The refresh message (or the Refresh button) runs the item's
// test, stores the status where the installation panel reads it, and updates the row. Expanding a
// row opens a detail area below it with an explanation and the actions that apply to the item.
#pragma once

#include "hovra_stdafx.h"

#include "LedCtrl.h"
#include "StackDialog.h"
#include "StyleButton.h"

#include <memory>
#include <vector>

// The controls of one row, created at run time over the template's invisible place markers.
struct PrerequisiteRow
{
    CStyleButton m_btnExpand;
    CStatic m_stcName;
    CLedCtrl m_led;
    CStatic m_stcStatus;
};

class CSoftwarePanel : public CStackPanel
{
public:
    explicit CSoftwarePanel(CWnd* pParent);
    ~CSoftwarePanel() override;

    void OnPanelShow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    LRESULT OnRefreshStatus(WPARAM wParam, LPARAM lParam);
    void OnRefresh();
    void OnExpand(UINT nId);
    void OnCdrom();
    void OnNetwork();
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnEnable(WPARAM wParam, LPARAM lParam);
    HBRUSH OnCtlColor(HDC hdc, HWND hCtrl, UINT nCtlColor);
    void OnDestroy();

    CFont m_fontItem;
    std::vector<std::unique_ptr<PrerequisiteRow>> m_aRows;
    INT32 m_nExpandedId = 0;
    CStatic m_stcDetail;
    CStyleButton m_btnCdrom;
    CStyleButton m_btnInternet;
    CStyleButton m_btnNetwork;
    CStyleButton m_btnRefresh;

    DECLARE_MESSAGE_MAP()

private:
    // A place marker's rectangle in client coordinates; empty for rows the layout has no place for.
    RECT FrameRect(int nFrameId, size_t nRow) const;
    // The area below the name of the (only) row that an expanded row's details occupy.
    RECT DetailArea() const;
    void SetupTexts();
    void CreateRow(size_t nRow);
    void PlaceRow(size_t nRow);
    void RegisterStatusTooltip(size_t nRow);
    void BuildDetail(size_t nRow);
    void DestroyDetail();
    void SetupActionButton(CStyleButton& button, UINT nId, const RECT& rc, UINT nTextId, UINT nTooltipId);
};
