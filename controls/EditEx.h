// The single-line edit of every dialog: its own text and background colours, a flat
// one-colour frame and an optional filter of allowed characters.
#pragma once

#include <afxwin.h>

class CEditEx : public CEdit
{
public:
    CEditEx();
    ~CEditEx() override;

    virtual COLORREF SetTextColor(COLORREF color);
    virtual UINT SetTextAlign(UINT align);
    // Repaints the frame at once when the edit has a window.
    virtual int SetBorderWidth(int width);
    virtual COLORREF SetBorderColor(COLORREF color);
    virtual int SetBkMode(int mode);
    virtual COLORREF SetBkColor(COLORREF color);
    // Allowed characters (GBK characters count whole); empty allows everything.
    virtual void SetValidChars(const CString& chars);

protected:
    afx_msg void OnNcPaint();
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnEnChange();

    COLORREF m_textColor = 0;
    COLORREF m_borderColor = 0xB99D7F;
    UINT m_textAlign = 0;
    int m_borderWidth = 1;
    int m_bkMode = TRANSPARENT;
    COLORREF m_bkColor = 0xFFFFFF;
    CString m_validChars;
    CBrush m_bkBrush;

    DECLARE_MESSAGE_MAP()

    friend class CEditCustom;
};
