// The frame of the trading windows that are one tab strip over pages (the account queries,
// the conditional orders): the strip in the trading windows' look, the pages' place inside
// it, a white background, and a window that deletes itself once destroyed. Each window adds
// its pages, what a tab change does and anything it places beside the strip.
#pragma once
#include <afxwin.h>

#include <TabCtrlEx.h>

#include <initializer_list>

class CTabPagesDlg : public CDialog
{
public:
    explicit CTabPagesDlg(UINT templateId);
    ~CTabPagesDlg() override;

protected:
    void OnCancel() override;
    void OnOK() override {}
    void PostNcDestroy() override;
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);

    // Creates the strip over the whole client area with one tab per text.
    void CreateTabs(UINT id, std::initializer_list<const char*> texts);
    // Stretches the strip over cx by cy; false while there is no strip yet.
    bool PlaceTabs(int cx, int cy);
    // Fits a page (if there is one with a window) into the strip below its tabs.
    void PlacePage(CWnd* page);
    // Not OnSize: a handler called outside its message would pass the current message on.
    // This one places the strip alone; a window with pages places them as well.
    virtual void LayOut(int cx, int cy);

    CFont m_font;
    CTabCtrlEx m_tabs;

    DECLARE_MESSAGE_MAP()
};
