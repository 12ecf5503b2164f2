// An off-screen picture that stands in for a target DC during one paint: the caller draws
// in the target's coordinates and the picture is copied to the target on destruction, so a
// control repaints without flicker.
#pragma once

#include <afxwin.h>

class CMemDC1 : public CDC
{
public:
    explicit CMemDC1(CDC* pDC);
    ~CMemDC1() override;
    CMemDC1(const CMemDC1&) = delete;
    CMemDC1& operator=(const CMemDC1&) = delete;

    // The target's clip box: the area the picture covers.
    const CRect& GetRect() const { return m_rect; }
    // False when drawing goes straight into a printer DC.
    BOOL IsMemoryDC() const { return m_bMemDC; }

    BOOL PtVisible(int x, int y) const { return ::PtVisible(m_hDC, x, y); }
    BOOL RectVisible(LPCRECT lpRect) const { return ::RectVisible(m_hDC, lpRect); }

private:
    static BOOL IsPrinterDC(CDC* pDC);

    CBitmap m_bitmap;
    CBitmap* m_oldBitmap = nullptr;
    CDC* m_pDC = nullptr;
    CRect m_rect;
    BOOL m_bMemDC = FALSE;
};
