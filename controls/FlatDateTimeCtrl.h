// A date-time picker with a flat one-colour border.
#pragma once

#include <afxcmn.h>

class CFlatDateTimeCtrl : public CDateTimeCtrl
{
public:
    CFlatDateTimeCtrl();
    ~CFlatDateTimeCtrl() override;

    void SetBorderColor(COLORREF color) { m_borderColor = color; }

protected:
    afx_msg void OnNcPaint();
    afx_msg void OnPaint();

private:
    int m_borderWidth = 1;
    COLORREF m_borderColor = 0;

    DECLARE_MESSAGE_MAP()
};
