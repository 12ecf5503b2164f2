// A picture whose pixels of one colour let the background show through.
#pragma once
#include <afxwin.h>

namespace entry {

class TranPic : public CStatic
{
public:
    TranPic();
    ~TranPic() override;

    // Loads the bitmap resource (of the current resource module) and the colour that is
    // drawn see-through; the mask is rebuilt on the next paint.
    void SetBitmap(UINT resourceId, COLORREF transparent);
    UINT GetBitmapId() const { return m_bitmapId; }

    BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xffff);

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();

private:
    UINT m_bitmapId = 0;
    COLORREF m_transparent = 0;
    CBitmap m_bitmap;
    CBitmap m_mask;

    DECLARE_MESSAGE_MAP()
};

}  // namespace entry
