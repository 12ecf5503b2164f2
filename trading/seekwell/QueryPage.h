// What the query pages share: the page font, a status line drawn in its rectangle, the text
// box's style, the request sent up by the buttons and the records the trade dialog sends down
// (text, status and the next-page state), whatever their message number.
#pragma once
#include "QueryTextStyle.h"

#include <afxwin.h>

#include <LayerButton.h>
#include <TradingRecords.h>

#include <map>

class CQueryPage : public CDialog
{
public:
    CQueryPage();
    ~CQueryPage() override;

    const StatusLine& Status() const { return m_status; }
    CRichEditCtrl* TextBox() { return m_textBox; }

protected:
    virtual void CreateControls() {}
    virtual void LayOut(int cx, int cy) { (void)cx, (void)cy; }
    // The dates of the request (the pages with pickers).
    virtual void FillDates(QueryRequest& request) { (void)request; }
    virtual void OnNextPageState(const std::map<int, int>& state) { (void)state; }

    void CreateFlatButton(CLayerButton& button, UINT id, LPCTSTR caption, CFont* font, COLORREF background,
                          COLORREF captionColour);
    void SendRequest(const CString& caption);
    void OnStatusLine(const StatusLine& status);
    // A picker's date as "%Y%m%d": empty without a date, "Invalid DateTime" when it is not one.
    static CString PickerDate(CWnd& picker);

    BOOL OnInitDialog() override;
    void OnCancel() override;
    void OnOK() override {}
    void PostNcDestroy() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);

    CFont m_font;
    CRect m_statusRect;
    StatusLine m_status;
    QueryTextStyle m_style;
    QueryRequest m_request;
    CRichEditCtrl* m_textBox = nullptr;

    DECLARE_MESSAGE_MAP()
};
