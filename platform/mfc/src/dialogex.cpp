// CDialogEx: a dialog painted with a background colour or picture.
#include "wincore.h"

#include <afxdialogex.h>

IMPLEMENT_DYNAMIC(CDialogEx, CDialog)

BEGIN_MESSAGE_MAP(CDialogEx, CDialog)
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CDialogEx::CDialogEx()
    : m_hBkgrBitmap(NULL), m_sizeBkgrBitmap(0, 0), m_BkgrLocation(BACKGR_TILE), m_bAutoDestroyBmp(FALSE)
{
}

CDialogEx::CDialogEx(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent),
      m_hBkgrBitmap(NULL), m_sizeBkgrBitmap(0, 0), m_BkgrLocation(BACKGR_TILE), m_bAutoDestroyBmp(FALSE)
{
}

CDialogEx::CDialogEx(LPCTSTR lpszTemplateName, CWnd* pParentWnd) : CDialog(lpszTemplateName, pParentWnd),
      m_hBkgrBitmap(NULL), m_sizeBkgrBitmap(0, 0), m_BkgrLocation(BACKGR_TILE), m_bAutoDestroyBmp(FALSE)
{
}

CDialogEx::~CDialogEx()
{
    if (m_bAutoDestroyBmp && m_hBkgrBitmap != NULL)
        ::DeleteObject(m_hBkgrBitmap);
}

void CDialogEx::SetBackgroundColor(COLORREF color, BOOL bRepaint)
{
    m_brBkgr.DeleteObject();
    m_brBkgr.CreateSolidBrush(color);
    if (bRepaint && m_hWnd != NULL) {
        Invalidate();
        UpdateWindow();
    }
}

void CDialogEx::SetBackgroundImage(HBITMAP hBitmap, BackgroundLocation location, BOOL bAutoDestroy,
                                   BOOL bRepaint)
{
    if (m_bAutoDestroyBmp && m_hBkgrBitmap != NULL && m_hBkgrBitmap != hBitmap)
        ::DeleteObject(m_hBkgrBitmap);
    m_hBkgrBitmap = hBitmap;
    m_BkgrLocation = location;
    m_bAutoDestroyBmp = bAutoDestroy;
    m_sizeBkgrBitmap = CSize(0, 0);
    BITMAP bm;
    if (hBitmap != NULL && ::GetObjectA(hBitmap, sizeof(bm), &bm))
        m_sizeBkgrBitmap = CSize(bm.bmWidth, bm.bmHeight);
    if (bRepaint && m_hWnd != NULL) {
        Invalidate();
        UpdateWindow();
    }
}

BOOL CDialogEx::SetBackgroundImage(UINT uiBmpResId, BackgroundLocation location, BOOL bRepaint)
{
    HBITMAP hBitmap = NULL;
    if (uiBmpResId != 0) {
        hBitmap = (HBITMAP)::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(uiBmpResId),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
        if (hBitmap == NULL)
            return FALSE;
    }
    SetBackgroundImage(hBitmap, location, TRUE, bRepaint);
    return TRUE;
}

BOOL CDialogEx::OnEraseBkgnd(CDC* pDC)
{
    if (m_brBkgr.GetSafeHandle() == NULL && m_hBkgrBitmap == NULL)
        return CDialog::OnEraseBkgnd(pDC);

    RECT client;
    GetClientRect(&client);
    HDC hDC = pDC->GetSafeHdc();
    if (m_brBkgr.GetSafeHandle() != NULL)
        ::FillRect(hDC, &client, (HBRUSH)m_brBkgr.GetSafeHandle());
    else
        ::FillRect(hDC, &client, ::GetSysColorBrush(COLOR_3DFACE));

    if (m_hBkgrBitmap != NULL && m_sizeBkgrBitmap.cx > 0 && m_sizeBkgrBitmap.cy > 0) {
        HDC hMemDC = ::CreateCompatibleDC(hDC);
        HGDIOBJ hOld = ::SelectObject(hMemDC, m_hBkgrBitmap);
        int cx = m_sizeBkgrBitmap.cx;
        int cy = m_sizeBkgrBitmap.cy;
        if (m_BkgrLocation == BACKGR_TILE) {
            for (int y = client.top; y < client.bottom; y += cy)
                for (int x = client.left; x < client.right; x += cx)
                    ::BitBlt(hDC, x, y, cx, cy, hMemDC, 0, 0, SRCCOPY);
        } else {
            int x = (m_BkgrLocation == BACKGR_TOPRIGHT || m_BkgrLocation == BACKGR_BOTTOMRIGHT)
                        ? client.right - cx : client.left;
            int y = (m_BkgrLocation == BACKGR_BOTTOMLEFT || m_BkgrLocation == BACKGR_BOTTOMRIGHT)
                        ? client.bottom - cy : client.top;
            ::BitBlt(hDC, x, y, cx, cy, hMemDC, 0, 0, SRCCOPY);
        }
        ::SelectObject(hMemDC, hOld);
        ::DeleteDC(hMemDC);
    }
    return TRUE;
}

HBRUSH CDialogEx::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (m_brBkgr.GetSafeHandle() != NULL || m_hBkgrBitmap != NULL) {
        HBRUSH hbrBack = m_hBkgrBitmap != NULL ? (HBRUSH)::GetStockObject(HOLLOW_BRUSH)
                                               : (HBRUSH)m_brBkgr.GetSafeHandle();
        if (nCtlColor == CTLCOLOR_DLG)
            return hbrBack;
        if (nCtlColor == CTLCOLOR_STATIC && pWnd != NULL) {
            // Labels, check boxes, radio buttons and group boxes sit on the background.
            char className[16] = "";
            ::GetClassNameA(pWnd->GetSafeHwnd(), className, sizeof(className));
            if (lstrcmpiA(className, "Static") == 0 || lstrcmpiA(className, "Button") == 0) {
                if (lstrcmpiA(className, "Static") == 0 || (pWnd->GetStyle() & 0x0F) != BS_GROUPBOX)
                    pDC->SetBkMode(TRANSPARENT);
                return hbrBack;
            }
        }
    }
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CDialogEx::OnDestroy()
{
    CDialog::OnDestroy();
}
