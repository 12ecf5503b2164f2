// CDialogEx: a dialog with a background colour or picture.
#pragma once

#include "afxwin.h"

class AFX_API CDialogEx : public CDialog
{
    DECLARE_DYNAMIC(CDialogEx)
public:
    enum BackgroundLocation
    {
        BACKGR_TILE,
        BACKGR_TOPLEFT,
        BACKGR_TOPRIGHT,
        BACKGR_BOTTOMLEFT,
        BACKGR_BOTTOMRIGHT,
    };

    CDialogEx();
    explicit CDialogEx(UINT nIDTemplate, CWnd* pParent = NULL);
    explicit CDialogEx(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    virtual ~CDialogEx();

    // The dialog and its static texts (and check boxes, radio buttons) are painted on
    // this colour.
    void SetBackgroundColor(COLORREF color, BOOL bRepaint = TRUE);
    // The dialog is painted with the bitmap (owned by the dialog when bAutoDestroy).
    void SetBackgroundImage(HBITMAP hBitmap, BackgroundLocation location = BACKGR_TILE,
                            BOOL bAutoDestroy = TRUE, BOOL bRepaint = TRUE);
    BOOL SetBackgroundImage(UINT uiBmpResId, BackgroundLocation location = BACKGR_TILE,
                            BOOL bRepaint = TRUE);

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnDestroy();

protected:
    CBrush m_brBkgr;
    HBITMAP m_hBkgrBitmap;
    CSize m_sizeBkgrBitmap;
    BackgroundLocation m_BkgrLocation;
    BOOL m_bAutoDestroyBmp;

    DECLARE_MESSAGE_MAP()
};
