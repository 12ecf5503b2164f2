// CStatusBar: a status bar control whose panes follow indicator ids.
#include "wincore.h"

#include <afxext.h>

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_SIZE()
    ON_MESSAGE(SB_SETTEXTA, OnSetPaneText)
END_MESSAGE_MAP()

namespace {

// Pixels around a pane's text (three on each side).
const int kPaneBorder = 6;
// Pane styles that are drawing types of the control's SB_SETTEXT.
const UINT kTextTypeStyles = SBT_NOBORDERS | SBT_POPOUT | SBT_OWNERDRAW;

}  // namespace

CStatusBar::CStatusBar() : m_pPanes(NULL)
{
}

CStatusBar::~CStatusBar()
{
    delete[] m_pPanes;
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, nID);
}

BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    // The bar places itself (RepositionBars), not the control.
    m_dwStyle = dwStyle & 0xFFFF;
    dwStyle &= ~0xFFFFu;
    dwStyle |= dwCtrlStyle | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
    if (pParentWnd != NULL && (pParentWnd->GetStyle() & WS_THICKFRAME))
        dwStyle |= SBARS_SIZEGRIP;
    afxcore::EnsureCommonControls(ICC_BAR_CLASSES);
    CRect rect(0, 0, 0, 0);
    return CWnd::Create(STATUSCLASSNAMEA, NULL, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    delete[] m_pPanes;
    m_pPanes = NULL;
    m_nCount = 0;
    if (nIDCount <= 0)
        return TRUE;
    m_pPanes = new Pane[nIDCount];
    m_nCount = nIDCount;

    HDC hDC = ::GetDC(m_hWnd);
    HFONT hFont = (HFONT)::SendMessageA(m_hWnd, WM_GETFONT, 0, 0);
    HGDIOBJ hOldFont = hFont != NULL ? ::SelectObject(hDC, hFont) : NULL;
    BOOL bResult = TRUE;
    CString* texts = new CString[nIDCount];
    for (int i = 0; i < nIDCount; ++i) {
        Pane& pane = m_pPanes[i];
        pane.nID = lpIDArray != NULL ? lpIDArray[i] : ID_SEPARATOR;
        pane.nStyle = SBPS_NORMAL;
        if (pane.nID != ID_SEPARATOR) {
            if (!texts[i].LoadString(pane.nID))
                bResult = FALSE;
            SIZE size = { 0, 0 };
            ::GetTextExtentPoint32A(hDC, texts[i], texts[i].GetLength(), &size);
            pane.cxWidth = size.cx;
        } else {
            // A pane without indicator: a quarter of the screen; the first one stretches.
            pane.cxWidth = ::GetSystemMetrics(SM_CXSCREEN) / 4;
            if (i == 0)
                pane.nStyle |= SBPS_STRETCH | SBPS_NOBORDERS;
        }
    }
    if (hOldFont != NULL)
        ::SelectObject(hDC, hOldFont);
    ::ReleaseDC(m_hWnd, hDC);
    // The parts first: the control drops texts of parts it does not have yet.
    UpdateAllPanes();
    for (int i = 0; i < nIDCount; ++i) {
        if (m_pPanes[i].nID != ID_SEPARATOR)
            SetPaneText(i, texts[i], FALSE);
    }
    delete[] texts;
    return bResult;
}

void CStatusBar::UpdateAllPanes()
{
    if (m_hWnd == NULL || m_nCount == 0)
        return;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    int total = client.right - client.left;

    int fixed = 0;
    int nStretch = 0;
    for (int i = 0; i < m_nCount; ++i) {
        fixed += m_pPanes[i].cxWidth + kPaneBorder;
        if (m_pPanes[i].nStyle & SBPS_STRETCH)
            ++nStretch;
    }
    int extra = nStretch > 0 && total > fixed ? (total - fixed) / nStretch : 0;

    int* edges = new int[m_nCount];
    int x = 0;
    for (int i = 0; i < m_nCount; ++i) {
        x += m_pPanes[i].cxWidth + kPaneBorder;
        if (m_pPanes[i].nStyle & SBPS_STRETCH)
            x += extra;
        edges[i] = x;
    }
    ::SendMessageA(m_hWnd, SB_SETPARTS, m_nCount, (LPARAM)edges);
    delete[] edges;

    // The drawing type of a pane travels with its text.
    for (int i = 0; i < m_nCount; ++i) {
        UINT type = m_pPanes[i].nStyle & kTextTypeStyles;
        LPCSTR shown = (m_pPanes[i].nStyle & SBPS_DISABLED) ? "" : m_pPanes[i].strText.GetString();
        DefWindowProc(SB_SETTEXTA, i | type, (LPARAM)shown);
    }
}

// Every SB_SETTEXT, whether from SetPaneText or sent or posted by anyone else, passes here:
// the pane keeps its own copy of the text before the control gets it.
LRESULT CStatusBar::OnSetPaneText(WPARAM wParam, LPARAM lParam)
{
    int nIndex = (int)(wParam & 0xFF);
    if (nIndex < m_nCount && !(wParam & SBT_OWNERDRAW))
        m_pPanes[nIndex].strText = lParam != 0 ? (LPCSTR)lParam : "";
    return Default();
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < m_nCount; ++i) {
        if (m_pPanes[i].nID == nIDFind)
            return i;
    }
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_nCount ? m_pPanes[nIndex].nID : 0;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!::SendMessageA(m_hWnd, SB_GETRECT, nIndex, (LPARAM)lpRect))
        ::SetRectEmpty(lpRect);
}

void CStatusBar::GetPaneText(int nIndex, CString& rString) const
{
    rString = GetPaneText(nIndex);
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    CString text;
    if (m_hWnd == NULL)
        return text;
    if (nIndex >= 0 && nIndex < m_nCount)
        text = m_pPanes[nIndex].strText;
    return text;
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return FALSE;
    UINT type = m_pPanes[nIndex].nStyle & kTextTypeStyles;
    if (!::SendMessageA(m_hWnd, SB_SETTEXTA, nIndex | type, (LPARAM)(lpszNewText != NULL ? lpszNewText : "")))
        return FALSE;
    if (bUpdate)
        ::UpdateWindow(m_hWnd);
    return TRUE;
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    if (nIndex < 0 || nIndex >= m_nCount) {
        nID = 0;
        nStyle = 0;
        cxWidth = 0;
        return;
    }
    nID = m_pPanes[nIndex].nID;
    nStyle = m_pPanes[nIndex].nStyle;
    cxWidth = m_pPanes[nIndex].cxWidth;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return;
    m_pPanes[nIndex].nID = nID;
    m_pPanes[nIndex].nStyle = nStyle;
    m_pPanes[nIndex].cxWidth = cxWidth;
    UpdateAllPanes();
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_nCount ? m_pPanes[nIndex].nStyle : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return;
    m_pPanes[nIndex].nStyle = nStyle;
    UpdateAllPanes();
}

CStatusBarCtrl& CStatusBar::GetStatusBarCtrl() const
{
    // The bar is the control: same window, and CStatusBarCtrl adds no data.
    return *reinterpret_cast<CStatusBarCtrl*>(const_cast<CStatusBar*>(this));
}

CSize CStatusBar::CalcFixedLayout(BOOL, BOOL)
{
    HDC hDC = ::GetDC(m_hWnd);
    HFONT hFont = (HFONT)::SendMessageA(m_hWnd, WM_GETFONT, 0, 0);
    HGDIOBJ hOldFont = ::SelectObject(hDC, hFont != NULL ? (HGDIOBJ)hFont : ::GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA tm;
    ::GetTextMetricsA(hDC, &tm);
    ::SelectObject(hDC, hOldFont);
    ::ReleaseDC(m_hWnd, hDC);
    int borders[3] = { 0, 0, 0 };
    ::SendMessageA(m_hWnd, SB_GETBORDERS, 0, (LPARAM)borders);
    return CSize(32767, tm.tmHeight + 2 * borders[1] + 4);
}

void CStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    UpdateAllPanes();
}

void CStatusBar::DrawItem(LPDRAWITEMSTRUCT)
{
    // Owner-drawn panes (SBPS_OWNERDRAW) override this.
}

BOOL CStatusBar::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (afxcore::ReflectDrawItem(*this, message, lParam, pResult))
        return TRUE;
    return CControlBar::OnChildNotify(message, wParam, lParam, pResult);
}
