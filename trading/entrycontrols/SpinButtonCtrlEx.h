// The up/down control of the order form, drawn from one image per state: 0 normal,
// 1 disabled, 2 upper arrow hovered, 3 lower arrow hovered, 4 upper arrow pressed, 5 lower
// arrow pressed. Without images it paints as the standard control.
#pragma once
#include <afxcmn.h>
#include <gdiplus.h>

#include <map>

namespace entry {

class CSpinButtonCtrlEx : public CSpinButtonCtrl
{
public:
    enum State { kNormal = 0, kDisabled, kUpperHover, kLowerHover, kUpperPressed, kLowerPressed };

    CSpinButtonCtrlEx();
    ~CSpinButtonCtrlEx() override;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // Each replaces the state's image. The file path is converted with the thread's code page.
    virtual void SetStateImageFile(int state, LPCSTR path);
    virtual void SetStateImageBitmap(int state, HBITMAP bitmap);
    // A "PNG" resource of the current resource module.
    virtual void SetStateImagePng(int state, UINT resourceId);
    virtual void SetEnabledLook(BOOL enabled);
    virtual BOOL IsOwnerDraw() const { return m_ownerDraw; }
    virtual void DrawStateImage(const CRect& rect, Gdiplus::Graphics& graphics);
    virtual void ComputeArrowRects();

    int GetState() const { return m_state; }
    const CRect& GetUpperRect() const { return m_upperRect; }
    const CRect& GetLowerRect() const { return m_lowerRect; }

protected:
    void PreSubclassWindow() override;
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnMouseHover(UINT nFlags, CPoint point);

private:
    void SetImage(int state, Gdiplus::Image* image);
    void SetState(int state);

    std::map<int, Gdiplus::Image*> m_images;
    int m_state = kNormal;
    ULONG_PTR m_gdiplusToken = 0;
    BOOL m_tracking = FALSE;
    BOOL m_hover = FALSE;
    BOOL m_ownerDraw = TRUE;
    CRect m_upperRect;
    CRect m_lowerRect;

    DECLARE_MESSAGE_MAP()
};

}  // namespace entry
