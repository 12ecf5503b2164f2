// The frame of a chart window that paints its whole client area itself: no background erase,
// a right click takes the focus, Escape leaves the window to its host, and the window deletes
// itself once destroyed. It keeps the number of decimals prices are shown with.
#pragma once

#include <afxdialogex.h>

class CChartDialog : public CDialogEx
{
public:
    explicit CChartDialog(UINT templateId);
    ~CChartDialog() override;

    // Paints the whole client area on `pDC`.
    virtual void PaintAll(CDC* pDC) = 0;

protected:
    void PostNcDestroy() override;
    void OnCancel() override;

    // The decimals in wParam; the next picture uses them.
    afx_msg LRESULT OnPrecision(WPARAM, LPARAM);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg HCURSOR OnQueryDragIcon();
    DECLARE_MESSAGE_MAP()

    // `price` cut or padded to the window's decimals.
    CString Cut(const CString& price) const;

    int m_decimals = 5;
    HICON m_hIcon = NULL;
};
