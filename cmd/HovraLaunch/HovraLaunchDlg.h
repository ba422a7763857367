// CHovraLaunchDlg: the launchpad's main window. A header, the navigation column that switches the
// panels, the Installation Guide, Release Notes and Exit buttons. It holds what the panels share:
// the media root, the documentation language, the heading weight, the system colours and the
// network answer; and it opens documents and runs programs from the media for them.
#pragma once

#include "hovra_stdafx.h"

#include "StackDialog.h"
#include "StyleButton.h"

#include <atomic>
#include <memory>
#include <mutex>

// Posted to the software requirements and installation panels: recompute the status.
constexpr UINT WM_REFRESH_STATUS = WM_USER + 1;
// Posted to the main dialog by the wait worker when a program it waited for has ended.
constexpr UINT WM_PROCESS_ENDED = WM_USER + 2;

// The one program the launchpad waits for. Shared by the dialog and the wait worker; the worker
// keeps it alive, so it outlives the dialog if need be, and the dialog detaches itself from it
// (m_hNotifyWnd null) when its window is destroyed, under the lock the worker posts under.
struct WatchRecord
{
    std::mutex m_lock;
    HWND m_hNotifyWnd = nullptr;
    std::atomic<HANDLE> m_hProcess{nullptr};
};

class CHovraLaunchDlg : public CStackDialog
{
public:
    explicit CHovraLaunchDlg(CWnd* pParent = nullptr);
    ~CHovraLaunchDlg() override;

    // Shared with the panels.
    INT32 m_nNetworkAnswer = 0; // a kNetworkAnswer value once the network panel has started
    std::wstring m_strMediaRoot;
    wchar_t m_chLanguage;
    INT32 m_nFontWeight = 700;
    COLORREF m_clrWindow;
    COLORREF m_clrWindowText;
    ButtonColours m_buttonColours;

    // True when path names an existing file or folder, perhaps one the user picked instead.
    bool EnsureFileOnMedia(std::wstring& strPath, UINT nNameId);
    // The same for a file of the installation media itself, which the prompt names as the media.
    bool EnsureMediaFile(std::wstring& strPath);
    // Hands a file to the shell; with bWait, the panels are refreshed when the program ends. A
    // command line longer than Windows can start is refused (false) rather than cut.
    bool LaunchFile(const std::wstring& strPath, bool bMaximise, bool bWait, const wchar_t* pszParameters);
    void OnExit();

    // The media paths of the documents in the documentation language.
    std::wstring GuidePath() const;
    std::wstring ReleaseNotesPath() const;
    const wchar_t* DocumentationFolder() const;

    // Posts the refresh message to a panel, if it exists.
    void PostRefresh(UINT nPanelId);
    // The panel with this identifier; panels not built yet are built first, in their order.
    PanelEntry* FindPanel(UINT nPanelId) override;

protected:
    CStackPanel* CreatePanel(UINT nPanelId) override;
    void OnPanelChanged(UINT nPanelId, bool bShown) override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    bool OnIdle() override;
    void OnOK() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
    void OnDestroy();
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnQueryDragIcon(WPARAM wParam, LPARAM lParam);
    LRESULT OnContextMenu(WPARAM wParam, LPARAM lParam);
    void OnNavigate(UINT nId);
    void OnInstallationGuide();
    void OnReleaseNotes();
    LRESULT OnProcessEnded(WPARAM wParam, LPARAM lParam);

    HICON m_hIcon;
    UINT m_nCurrentNavId = IDC_NAV_WELCOME;
    std::shared_ptr<WatchRecord> m_watch;

    CStyleButton m_btnWelcome;
    CStyleButton m_btnSoftware;
    CStyleButton m_btnNetwork;
    CStyleButton m_btnInstall;
    CStyleButton m_btnExit;
    CStyleButton m_btnReleaseNotes;
    CStyleButton m_btnGuide;

    CFont m_fontTitle;
    CFont m_fontNormal;

    DECLARE_MESSAGE_MAP()

private:
    void ScanDocumentationFolders();
    bool AskQuestion(UINT nTextId, INT32 nButtons = 2);
    bool AskQuestion(const std::wstring& strMessage, INT32 nButtons = 2);
    CStyleButton* NavButton(UINT nId);
    void SetupButtons();
    // Builds the first of the four panels that does not exist yet; false when all exist or the
    // window is gone.
    bool BuildNextPanel();
    void BuildAllPanels();
};

// The documentation language for an interface language code: that language if its folder is on
// the media, else English if present, else the first present language, else the interface
// language itself.
wchar_t ChooseDocumentationLanguage(wchar_t chInterface);

// The current directory, whatever its length; empty when it cannot be read.
std::wstring ReadCurrentDirectory();
