#include "TranPic.h"

namespace entry {

BEGIN_MESSAGE_MAP(TranPic, CStatic)
    ON_WM_CREATE()
    ON_WM_PAINT()
END_MESSAGE_MAP()

TranPic::TranPic() = default;

TranPic::~TranPic() = default;

void TranPic::SetBitmap(UINT resourceId, COLORREF transparent)
{
    m_bitmapId = resourceId;
    m_transparent = transparent;
    m_bitmap.DeleteObject();
    m_mask.DeleteObject();
    m_bitmap.LoadBitmap(resourceId);
    if (::IsWindow(m_hWnd))
        Invalidate();
}

BOOL TranPic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CStatic::Create(lpszText, dwStyle | SS_BITMAP, rect, pParentWnd, nID);
}

int TranPic::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CStatic::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (SendMessage(STM_GETIMAGE, IMAGE_BITMAP, 0) == 0 && m_bitmap.GetSafeHandle() != NULL)
        SendMessage(STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)m_bitmap.GetSafeHandle());
    return 0;
}

void TranPic::OnPaint()
{
    if (m_bitmap.GetSafeHandle() == NULL) {
        Default();
        return;
    }
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CDC image;
    image.CreateCompatibleDC(&dc);
    CBitmap* oldImage = image.SelectObject(&m_bitmap);
    image.SetBkColor(m_transparent);
    CDC mask;
    mask.CreateCompatibleDC(&dc);
    if (m_mask.GetSafeHandle() == NULL) {
        // Copying a colour picture into a monochrome one makes the background colour white.
        m_mask.CreateBitmap(client.Width(), client.Height(), 1, 1, NULL);
        CBitmap* old = mask.SelectObject(&m_mask);
        mask.BitBlt(0, 0, client.Width(), client.Height(), &image, 0, 0, SRCCOPY);
        mask.SelectObject(old);
    }
    CBitmap* oldMask = mask.SelectObject(&m_mask);
    dc.BitBlt(0, 0, client.Width(), client.Height(), &image, 0, 0, SRCINVERT);
    dc.BitBlt(0, 0, client.Width(), client.Height(), &mask, 0, 0, SRCAND);
    dc.BitBlt(0, 0, client.Width(), client.Height(), &image, 0, 0, SRCINVERT);
    mask.SelectObject(oldMask);
    image.SelectObject(oldImage);
}

}  // namespace entry
