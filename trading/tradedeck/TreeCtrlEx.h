// The container's function tree with a flat one-colour frame in place of the system border.
#pragma once
#include <afxcmn.h>

class CTreeCtrlEx : public CTreeCtrl
{
public:
    void SetBorderWidth(int width) { m_borderWidth = width; }
    void SetBorderColor(COLORREF color) { m_borderColor = color; }

protected:
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    DECLARE_MESSAGE_MAP()

private:
    int m_borderWidth = 1;
    COLORREF m_borderColor = 0;
};
