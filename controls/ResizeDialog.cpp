#include "ResizeDialog.h"

BEGIN_MESSAGE_MAP(CResizeDialog, CDialog)
    ON_WM_SIZE()
    ON_WM_SIZING()
END_MESSAGE_MAP()

CResizeDialog::CResizeDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent)
{
}

CResizeDialog::~CResizeDialog() = default;

bool CResizeDialog::SetControlInfo(const ResizeControlInfo* table, int count)
{
    if (table == nullptr || count < 1)
        return false;
    m_table = table;
    m_count = count;
    return true;
}

BOOL CResizeDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    // The frame is applied at once, so the client size remembered below is the one the
    // first size change is measured against (else every control would drift by the
    // frame's width on the first resize).
    ModifyStyle(0, WS_THICKFRAME, SWP_FRAMECHANGED);
    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    m_minWidth = window.Width();
    m_minHeight = window.Height();
    m_clientWidth = client.Width();
    m_clientHeight = client.Height();
    const WORD kSizeGripBitmap = 32766;  // OBM_SIZE
    m_gripBitmap.Attach(::LoadBitmapA(NULL, MAKEINTRESOURCEA(kSizeGripBitmap)));
    m_gripBitmap.GetBitmap(&m_gripInfo);
    CRect grip(m_clientWidth - m_gripInfo.bmWidth, m_clientHeight - m_gripInfo.bmHeight,
               m_clientWidth, m_clientHeight);
    m_grip.Create(NULL, WS_CHILD | WS_VISIBLE | SS_BITMAP, grip, this);
    m_grip.SendMessage(STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)m_gripBitmap.GetSafeHandle());
    m_grip.MoveWindow(&grip);
    m_grip.ShowWindow(m_showGrip);
    return TRUE;
}

void CResizeDialog::ApplyAnchor(int anchor, int dx, int dy, CRect& rect)
{
    switch (anchor) {
    case 2: case 6: rect.OffsetRect(0, dy); break;
    case 3: case 7: rect.bottom += dy; break;
    case 8: case 9: rect.OffsetRect(dx, 0); break;
    case 10: rect.OffsetRect(dx, dy); break;
    case 11: rect.OffsetRect(dx, 0); rect.bottom += dy; break;
    case 12: case 13: rect.right += dx; break;
    case 14: rect.OffsetRect(0, dy); rect.right += dx; break;
    case 15: rect.right += dx; rect.bottom += dy; break;
    default: break;
    }
}

void CResizeDialog::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    // Sizes reported before initialisation (while the dialog is created) move nothing.
    if (m_grip.m_hWnd == NULL)
        return;
    int dx = nType == SIZE_MINIMIZED ? 0 : cx - m_clientWidth;
    int dy = nType == SIZE_MINIMIZED ? 0 : cy - m_clientHeight;
    for (int i = 0; i < m_count; ++i) {
        CWnd* control = GetDlgItem(m_table[i].id);
        if (control == nullptr)
            continue;
        CRect rect;
        control->GetWindowRect(&rect);
        ScreenToClient(&rect);
        ApplyAnchor(m_table[i].anchor, dx, dy, rect);
        control->MoveWindow(&rect, TRUE);
    }
    if (nType != SIZE_MINIMIZED) {
        m_grip.MoveWindow(cx - m_gripInfo.bmWidth, cy - m_gripInfo.bmHeight, m_gripInfo.bmWidth,
                          m_gripInfo.bmHeight);
        m_grip.ShowWindow(nType == SIZE_MAXIMIZED ? SW_HIDE : SW_SHOW);
    }
    Invalidate(TRUE);
    if (nType != SIZE_MINIMIZED) {
        m_clientWidth = cx;
        m_clientHeight = cy;
    }
}

void CResizeDialog::OnSizing(UINT fwSide, LPRECT pRect)
{
    CDialog::OnSizing(fwSide, pRect);
    // The edge being dragged stops at the minimum size; the opposite edge stays put.
    bool fromLeft = fwSide == WMSZ_LEFT || fwSide == WMSZ_TOPLEFT || fwSide == WMSZ_BOTTOMLEFT;
    bool fromTop = fwSide == WMSZ_TOP || fwSide == WMSZ_TOPLEFT || fwSide == WMSZ_TOPRIGHT;
    if (pRect->right - pRect->left <= m_minWidth) {
        if (fromLeft)
            pRect->left = pRect->right - m_minWidth;
        else
            pRect->right = pRect->left + m_minWidth;
    }
    if (pRect->bottom - pRect->top <= m_minHeight) {
        if (fromTop)
            pRect->top = pRect->bottom - m_minHeight;
        else
            pRect->bottom = pRect->top + m_minHeight;
    }
}
