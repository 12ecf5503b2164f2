#include "RibbonButton.h"

BEGIN_MESSAGE_MAP(CRibbonButton, CLayerButton)
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

void CRibbonButton::SetChecked(bool checked)
{
    if (m_checked == checked)
        return;
    m_checked = checked;
    if (m_hWnd != NULL)
        Invalidate();
}

// An owner-drawn button takes the second press of a quick pair as a double click and only
// notifies it, so the pair would act once. A tool button acts on every click: the second press
// goes on as a press of its own, and its release clicks as the first one did.
void CRibbonButton::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    DefWindowProc(WM_LBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
}

CRibbonButton::ImageState CRibbonButton::CurrentImageState(bool disabled) const
{
    if (disabled)
        return IMAGE_DISABLED;
    return m_checked ? IMAGE_CHECKED : IMAGE_NORMAL;
}

void CRibbonButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CRect item(lpDrawItemStruct->rcItem);
    CDC* target = CDC::FromHandle(lpDrawItemStruct->hDC);
    CDC dc;
    dc.CreateCompatibleDC(target);
    CBitmap picture;
    picture.CreateCompatibleBitmap(target, item.Width(), item.Height());
    CBitmap* oldPicture = dc.SelectObject(&picture);

    const bool disabled = (lpDrawItemStruct->itemState & ODS_DISABLED) != 0;
    const bool pressed = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    COLORREF fill = kBarColor;
    COLORREF text = 0;
    if (m_checked && !disabled) {
        fill = kCheckedColor;
        text = 0xFFFFFF;
    } else if (disabled) {
        text = kDisabledTextColor;
    } else if (IsHover() || pressed) {
        fill = kHoverColor;
    }
    dc.FillSolidRect(0, 0, item.Width(), item.Height(), fill);

    const int imageTop = (item.Height() - IMAGE_SIZE) / 2;
    const int offset = pressed ? 1 : 0;
    if (m_stateImages != nullptr && m_stateImages->GetSafeHandle() != NULL) {
        CDC images;
        images.CreateCompatibleDC(target);
        CBitmap* oldImages = images.SelectObject(m_stateImages);
        dc.BitBlt(3 + offset, imageTop + offset, IMAGE_SIZE, IMAGE_SIZE, &images,
                  CurrentImageState(disabled) * IMAGE_SIZE, 0, SRCCOPY);
        images.SelectObject(oldImages);
    }

    CString caption;
    GetWindowText(caption);
    CFont* font = GetCaptionFont();
    CFont* oldFont = font != nullptr ? dc.SelectObject(font)
                                     : dc.SelectObject(GetParent()->GetFont());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(text);
    CRect textRect(IMAGE_SIZE + 5 + offset, offset, item.Width() - 1 + offset,
                   item.Height() + offset);
    dc.DrawText(caption, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (oldFont != nullptr)
        dc.SelectObject(oldFont);

    target->BitBlt(item.left, item.top, item.Width(), item.Height(), &dc, 0, 0, SRCCOPY);
    dc.SelectObject(oldPicture);
}
