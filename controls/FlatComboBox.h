// A drop-down combo box with a flat two-colour frame and a drop-down button drawn over the
// standard control: fill and PNG image by the button's state (normal, hover, pressed or
// dropped down, disabled). Enter in the combo is a command of the parent.
#pragma once

#include <afxwin.h>

#include <gdiplus.h>

class CFlatComboBox : public CComboBox
{
public:
    enum State { kNormal = 0, kHover = 1, kPressed = 2, kDisabled = 3 };

    CFlatComboBox();
    ~CFlatComboBox() override;

    void SetColors(COLORREF normal, COLORREF hover, COLORREF pressed, COLORREF disabled);
    // "PNG" resources of the calling module for the four looks; a missing one stays empty.
    void SetImages(UINT normal, UINT hover, UINT pressed, UINT disabled);
    // An owned image decoded from the "PNG" resource `id` (it does not depend on the
    // resource stream afterwards); null when the resource is missing or not an image.
    static Gdiplus::Image* LoadPngResource(UINT id);
    // A font from the default GUI font with these values; a face name of 32 bytes or more
    // is ignored and the stock face kept.
    void SetFont(int height, int width, int weight, LPCTSTR faceName);
    void SetTextColor(COLORREF color) { m_textColor = color; }

    int GetButtonState() const { return m_state; }
    const CRect& GetButtonRect() const { return m_buttonRect; }
    Gdiplus::Image* GetImage(int state) const { return m_images[state]; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PreSubclassWindow() override;
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseHover(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnDropDown();
    afx_msg void OnCloseUp();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnPaint();

private:
    void DrawButton(CDC& dc);
    void InvalidateButton();
    bool CursorOverClient() const;

    Gdiplus::Image* m_images[4] = {};
    COLORREF m_fills[4] = { 0xFBCFB7, 0xFDEFDD, 0xF4A58A, 0xC0C0C0 };
    COLORREF m_innerFrame = 0xB99D7F;
    COLORREF m_outerFrame = 0xFFFFFF;
    CFont m_font;
    COLORREF m_textColor = 0;
    int m_tracking = 0;
    ULONG_PTR m_gdiplusToken = 0;
    int m_state = kNormal;
    int m_buttonWidth = 0;
    int m_dropped = 0;
    CRect m_buttonRect;

    DECLARE_MESSAGE_MAP()
};
