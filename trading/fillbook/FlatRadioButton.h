// An owner-drawn radio button painted from six state images (checked or not; normal, under
// the mouse, pressed) with its caption beside. The owner keeps the checked flag; the button's
// own check state is not used.
#pragma once
#include <winsock2.h>
#include <afxwin.h>

#include <gdiplus.h>

class CFlatRadioButton : public CButton
{
public:
    CFlatRadioButton();
    ~CFlatRadioButton() override;

    // The six images, resource ids of "PNG" resources of the current resource module.
    void LoadImages(UINT checkedNormal, UINT checkedHover, UINT checkedPressed, UINT uncheckedNormal,
                    UINT uncheckedHover, UINT uncheckedPressed);
    void SetChecked(bool checked) { m_checked = checked; }
    bool IsChecked() const { return m_checked; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    void PreSubclassWindow() override;
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);

private:
    enum { kCheckedNormal, kCheckedHover, kCheckedPressed, kUncheckedNormal, kUncheckedHover, kUncheckedPressed, kImages };
    Gdiplus::Image* CurrentImage() const;

    bool m_checked = false;
    bool m_pressed = false;
    bool m_hover = false;
    bool m_tracking = false;
    Gdiplus::Image* m_images[kImages] = {};
    COLORREF m_background = 0xFFFFFF;
    ULONG_PTR m_gdiplusToken = 0;

    DECLARE_MESSAGE_MAP()
};
