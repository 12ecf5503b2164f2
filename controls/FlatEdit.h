// A single-line edit with its own text and background colours and a flat one-colour frame in
// place of the system border. The dialogs' edit adds a character filter on top; the order
// form's edits use it as it is.
#pragma once

#include <afxwin.h>

class CFlatEdit : public CEdit
{
public:
    CFlatEdit();
    ~CFlatEdit() override;

    // Each returns the old value.
    virtual COLORREF SetTextColor(COLORREF color);
    virtual UINT SetTextAlign(UINT align);
    // These two repaint the frame at once when the edit has a window.
    virtual int SetBorderWidth(int width);
    virtual COLORREF SetBorderColor(COLORREF color);
    virtual int SetBkMode(int mode);
    virtual COLORREF SetBkColor(COLORREF color);

protected:
    afx_msg void OnNcPaint();
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);

    COLORREF m_textColor = 0;
    COLORREF m_borderColor = 0xB99D7F;
    UINT m_textAlign = 0;
    int m_borderWidth = 1;
    int m_bkMode = TRANSPARENT;
    COLORREF m_bkColor = 0xFFFFFF;
    CBrush m_bkBrush;

private:
    void RepaintFrame();

    DECLARE_MESSAGE_MAP()
};
