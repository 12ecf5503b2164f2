// The framed edit of the order form and the password page: text and background colours and a
// flat one-colour frame, without a character filter of its own.
#pragma once
#include <afxwin.h>

namespace entry {

class CEditEx : public CEdit
{
public:
    CEditEx();
    ~CEditEx() override;

    // Each returns the old value.
    virtual COLORREF SetTextColor(COLORREF color);
    virtual UINT SetTextAlign(UINT align);
    // These two repaint the frame at once.
    virtual int SetBorderWidth(int width);
    virtual COLORREF SetBorderColor(COLORREF color);
    virtual int SetBkMode(int mode);
    virtual COLORREF SetBkColor(COLORREF color);

protected:
    afx_msg void OnNcPaint();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);

    COLORREF m_textColor = 0;
    COLORREF m_borderColor = 0xB99D7F;
    UINT m_textAlign = 0;
    int m_borderWidth = 1;
    int m_bkMode = TRANSPARENT;
    COLORREF m_bkColor = 0xFFFFFF;
    CBrush m_bkBrush;

    DECLARE_MESSAGE_MAP()
};

}  // namespace entry
