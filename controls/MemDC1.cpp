#include "MemDC1.h"

BOOL CMemDC1::IsPrinterDC(CDC* pDC)
{
    return pDC->IsPrinting() || pDC->GetDeviceCaps(TECHNOLOGY) == DT_RASPRINTER;
}

CMemDC1::CMemDC1(CDC* pDC) : m_pDC(pDC)
{
    m_bMemDC = !IsPrinterDC(pDC);
    if (m_bMemDC) {
        pDC->GetClipBox(&m_rect);
        CreateCompatibleDC(pDC);
        m_bitmap.CreateCompatibleBitmap(pDC, m_rect.Width(), m_rect.Height());
        m_oldBitmap = SelectObject(&m_bitmap);
        SetWindowOrg(m_rect.left, m_rect.top);
    } else {
        // Printing draws straight through; the handles stay the printer's.
        m_hDC = pDC->m_hDC;
        m_hAttribDC = pDC->m_hAttribDC;
    }
}

CMemDC1::~CMemDC1()
{
    if (m_bMemDC) {
        m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this,
                      m_rect.left, m_rect.top, SRCCOPY);
        SelectObject(m_oldBitmap);
    } else {
        m_hDC = m_hAttribDC = NULL;
    }
}
