#include "FlatRadioButton.h"

#include <ImageResource.h>

BEGIN_MESSAGE_MAP(CFlatRadioButton, CButton)
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

const int kImageSize = 16;
const int kCaptionOffset = 21;

}  // namespace

CFlatRadioButton::CFlatRadioButton()
{
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&m_gdiplusToken, &input, NULL);
}

CFlatRadioButton::~CFlatRadioButton()
{
    for (Gdiplus::Image*& image : m_images) {
        delete image;
        image = nullptr;
    }
    if (m_gdiplusToken != 0)
        Gdiplus::GdiplusShutdown(m_gdiplusToken);
}

void CFlatRadioButton::LoadImages(UINT checkedNormal, UINT checkedHover, UINT checkedPressed,
                                  UINT uncheckedNormal, UINT uncheckedHover, UINT uncheckedPressed)
{
    const UINT ids[kImages] = {checkedNormal, checkedHover, checkedPressed,
                               uncheckedNormal, uncheckedHover, uncheckedPressed};
    for (int i = 0; i < kImages; ++i) {
        delete m_images[i];
        m_images[i] = tolvan::controls::LoadImageResource(AfxGetResourceHandle(), MAKEINTRESOURCEA(ids[i]), "PNG");
    }
}

void CFlatRadioButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    ModifyStyle(0, BS_OWNERDRAW);
}

Gdiplus::Image* CFlatRadioButton::CurrentImage() const
{
    const int first = m_checked ? kCheckedNormal : kUncheckedNormal;
    if (m_pressed)
        return m_images[first + 2];
    if (m_hover)
        return m_images[first + 1];
    return m_images[first];
}

void CFlatRadioButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CRect item(lpDrawItemStruct->rcItem);
    const int width = item.Width(), height = item.Height();
    if (width <= 0 || height <= 0)
        return;
    CDC* target = CDC::FromHandle(lpDrawItemStruct->hDC);
    CDC memory;
    memory.CreateCompatibleDC(target);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(target, width, height);
    CBitmap* oldBitmap = memory.SelectObject(&bitmap);
    const CRect local(0, 0, width, height);
    memory.FillSolidRect(&local, m_background);
    memory.SetBkMode(TRANSPARENT);
    HGDIOBJ font = (HGDIOBJ)SendMessage(WM_GETFONT);
    HGDIOBJ oldFont = font != NULL ? ::SelectObject(memory.GetSafeHdc(), font) : NULL;

    const int boxTop = height >= 17 ? (height - kImageSize) / 2 : 0;
    const bool leftText = (GetStyle() & BS_LEFTTEXT) != 0;
    const int boxLeft = leftText ? width - kImageSize : 0;
    const int captionLeft = leftText ? 0 : kCaptionOffset;
    if (Gdiplus::Image* image = CurrentImage()) {
        Gdiplus::Graphics graphics(memory.GetSafeHdc());
        graphics.DrawImage(image, boxLeft, boxTop, (INT)image->GetWidth(), (INT)image->GetHeight());
    }

    CString caption;
    GetWindowText(caption);
    if (lpDrawItemStruct->itemState & ODS_DISABLED) {
        ::DrawStateA(memory.GetSafeHdc(), NULL, NULL, (LPARAM)(LPCTSTR)caption, 0, 18, 1, 0, 0,
                     DST_PREFIXTEXT | DSS_DISABLED);
    } else {
        CRect text(captionLeft, 0, width, height);
        memory.DrawText(caption, &text, DT_SINGLELINE | DT_VCENTER);
    }

    target->BitBlt(item.left, item.top, width, height, &memory, 0, 0, SRCCOPY);
    if (oldFont != NULL)
        ::SelectObject(memory.GetSafeHdc(), oldFont);
    memory.SelectObject(oldBitmap);
}

void CFlatRadioButton::OnMouseMove(UINT nFlags, CPoint point)
{
    m_hover = true;
    if (!m_tracking) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_HOVER | TME_LEAVE, m_hWnd, 10};
        m_tracking = ::TrackMouseEvent(&track) != FALSE;
        Invalidate(FALSE);
    }
    CButton::OnMouseMove(nFlags, point);
}

void CFlatRadioButton::OnMouseLeave()
{
    m_hover = false;
    m_tracking = false;
    Invalidate(FALSE);
    CButton::OnMouseLeave();
}

void CFlatRadioButton::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_pressed = true;
    Invalidate(FALSE);
    CButton::OnLButtonDown(nFlags, point);
}

void CFlatRadioButton::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_pressed = false;
    Invalidate(FALSE);
    CButton::OnLButtonUp(nFlags, point);
}

BOOL CFlatRadioButton::OnEraseBkgnd(CDC*)
{
    return FALSE;
}
