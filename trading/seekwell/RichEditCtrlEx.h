// A rich text box with a frame of its own width and colour in place of the system border.
#pragma once
#include <afxcmn.h>

class CRichEditCtrlEx : public CRichEditCtrl
{
public:
    void SetFrame(int width, COLORREF colour)
    {
        m_frameWidth = width;
        m_frameColour = colour;
    }

protected:
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();

private:
    int m_frameWidth = 1;
    COLORREF m_frameColour = 0x000000;

    DECLARE_MESSAGE_MAP()
};
