// A dialog base that makes a dialog resizable: a sizing frame, the system's size grip in
// the lower right corner, a minimum size of the size it was created with, and controls that
// move or stretch with the size by a table of control ids and anchor codes.
#pragma once

#include <afxwin.h>

// One control of the table and how it follows the dialog's size: 2, 6 down with the bottom
// edge; 3, 7 taller; 8, 9 right with the right edge; 10 right and down; 11 right and taller;
// 12, 13 wider; 14 down and wider; 15 wider and taller; any other value stays.
struct ResizeControlInfo {
    int id;
    int anchor;
};

class CResizeDialog : public CDialog
{
public:
    explicit CResizeDialog(UINT templateId, CWnd* parent = nullptr);
    ~CResizeDialog() override;

    // The table stays the caller's and must outlive the dialog. False for none or count < 1.
    bool SetControlInfo(const ResizeControlInfo* table, int count);

    CStatic& GetGrip() { return m_grip; }
    CSize GetMinimumSize() const { return CSize(m_minWidth, m_minHeight); }

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSizing(UINT fwSide, LPRECT pRect);

private:
    static void ApplyAnchor(int anchor, int dx, int dy, CRect& rect);

    int m_clientWidth = 0;
    int m_clientHeight = 0;
    int m_minWidth = 0;
    int m_minHeight = 0;
    const ResizeControlInfo* m_table = nullptr;
    int m_count = 0;
    int m_showGrip = 1;
    CStatic m_grip;
    CBitmap m_gripBitmap;
    BITMAP m_gripInfo = {};

    DECLARE_MESSAGE_MAP()
};
