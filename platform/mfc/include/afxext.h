// Extensions: control bars (the status bar with indicator panes) and the bitmap button.
#pragma once

#include "afxwin.h"
#include "afxcmn.h"

// Control-bar styles (CControlBar::m_dwStyle).
#define CBRS_ALIGN_LEFT   0x1000L
#define CBRS_ALIGN_TOP    0x2000L
#define CBRS_ALIGN_RIGHT  0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY    0xF000L
#define CBRS_BORDER_LEFT   0x0100L
#define CBRS_BORDER_TOP    0x0200L
#define CBRS_BORDER_RIGHT  0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY    0x0F00L
#define CBRS_TOOLTIPS      0x0010L
#define CBRS_FLYBY         0x0020L
#define CBRS_NOALIGN       0x00000000L
#define CBRS_LEFT   (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP    (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT  (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// Status bar pane styles.
#define SBPS_NORMAL     0x0000
#define SBPS_NOBORDERS  SBT_NOBORDERS
#define SBPS_POPOUT     SBT_POPOUT
#define SBPS_OWNERDRAW  SBT_OWNERDRAW
#define SBPS_DISABLED   0x04000000
#define SBPS_STRETCH    0x08000000

#ifndef ID_SEPARATOR
#define ID_SEPARATOR 0
#endif

// A window docked at an edge of its parent's client area (RepositionBars).
class AFX_API CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar();
    virtual ~CControlBar();

    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    int GetCount() const;
    // The size the bar wants along the edge it is docked to.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);

    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);

    DWORD m_dwStyle;
    int m_nCount;

    DECLARE_MESSAGE_MAP()
};

// A status bar: a status bar control whose panes are named by indicator ids (their texts
// come from string resources; ID_SEPARATOR gives an empty pane). Pane widths are pixel
// widths; SBPS_STRETCH panes share the width left over.
class AFX_API CStatusBar : public CControlBar
{
    DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar();
    virtual ~CStatusBar();

    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                        UINT nID = AFX_IDW_STATUS_BAR);
    virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0,
                          DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                          UINT nID = AFX_IDW_STATUS_BAR);
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    void GetPaneText(int nIndex, CString& rString) const;
    CString GetPaneText(int nIndex) const;
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    CStatusBarCtrl& GetStatusBarCtrl() const;

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnSetPaneText(WPARAM wParam, LPARAM lParam);

protected:
    struct Pane
    {
        UINT nID;
        UINT nStyle;
        int cxWidth;
        // The pane's text as last set: the control's own copy does not come back whole for
        // double-byte texts, and a disabled pane shows none of it.
        CString strText;
    };
    // Recomputes the control's parts from the panes and the current width.
    void UpdateAllPanes();

    Pane* m_pPanes;   // m_nCount entries

    DECLARE_MESSAGE_MAP()
};

// A push button drawn with up to four bitmaps (up, down, focused, disabled).
class AFX_API CBitmapButton : public CButton
{
    DECLARE_DYNAMIC(CBitmapButton)
public:
    CBitmapButton();
    virtual ~CBitmapButton();

    BOOL LoadBitmaps(LPCTSTR lpszBitmapResource, LPCTSTR lpszBitmapResourceSel = NULL,
                     LPCTSTR lpszBitmapResourceFocus = NULL,
                     LPCTSTR lpszBitmapResourceDisabled = NULL);
    BOOL LoadBitmaps(UINT nIDBitmapResource, UINT nIDBitmapResourceSel = 0,
                     UINT nIDBitmapResourceFocus = 0, UINT nIDBitmapResourceDisabled = 0);
    // Subclasses dialog item nID of pParent and loads the bitmaps named after its caption
    // ("<caption>U", "D", "F", "X").
    BOOL AutoLoad(UINT nID, CWnd* pParent);
    void SizeToContent();

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDIS);

    CBitmap m_bitmap;
    CBitmap m_bitmapSel;
    CBitmap m_bitmapFocus;
    CBitmap m_bitmapDisabled;
};
