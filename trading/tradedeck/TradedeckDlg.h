// The trading container: a header strip with the account figures, a function tree and the
// trading windows. It lays them out by the chosen entry, forwards the trade dialog's
// messages to the window that owns each number and turns its own clicks into requests.
#pragma once
#include <afxcmn.h>
#include <afxdialogex.h>
#include <afxtempl.h>

#include <LayerButton.h>
#include <TradingRecords.h>

#include "DeckLayout.h"
#include "TreeCtrlEx.h"

class CSetParameterDlg;

struct _SysInfoTreeStruct
{
    int id = 0;
    CString name;
    HICON icon = NULL;
    HTREEITEM item = NULL;
};

class CTradedeckDlg : public CDialogEx
{
public:
    CTradedeckDlg();
    ~CTradedeckDlg() override;

    int GetCurrentId() const { return m_currentId; }
    HWND GetChild(tradedeck::Window which) const { return m_children[which]; }
    const AccountSummary& GetSummary() const { return m_summary; }
    CRect GetHideIconRect() const { return m_hideRect; }
    CRect GetFloatIconRect() const { return m_floatRect; }
    CRect GetLiquidityIconRect() const { return m_liquidityRect; }
    CRect GetLinkRect() const { return m_linkRect; }
    void SelectFunctionItem(int index);

protected:
    BOOL OnInitDialog() override;
    void PostNcDestroy() override;
    void OnOK() override {}
    void OnCancel() override;

    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point) { OnHeaderClick(nFlags, point); }
    afx_msg void OnMouseMove(UINT nFlags, CPoint point) { OnHeaderMouseMove(nFlags, point); }
    void OnHeaderClick(UINT nFlags, CPoint point);
    void OnHeaderMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnDestroy();
    afx_msg void OnRefreshButton();
    afx_msg void OnLockButton();
    afx_msg void OnTreeClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnPlatformSummary(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPreTranslate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnOrderCollapse(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetOption(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnOrderInstrument(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPositionsList(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPositionsButtonState(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnOrdersList(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnOrdersButtonState(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFillsList(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnQueryPage0(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnQueryPage1(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnQueryPage2(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnQueryPage3(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnQueryPage4(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnQueryPage5(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnQueryPage6(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPasswordStatus(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void CreateFonts();
    void CreateToolTip();
    void CreateHeaderButtons();
    void LoadHeaderBitmaps();
    void CreateTree();
    void CreateChildren();
    void LayoutChildren();
    // Sends the message on to a window unchanged; a window that is not there gets nothing.
    LRESULT Forward(tradedeck::Window which, UINT message, WPARAM wParam, LPARAM lParam);
    void SendToHost(UINT message, const CString& text);
    void CopyAccountSummary(const AccountSummary& from);
    void CopyFont(CFont& own, const CFont* from, const CFont& fallback);
    void PaintHeader(CDC& dc);
    CString TipAt(const CPoint& point) const;

    struct HeaderBitmap
    {
        CBitmap bitmap;
        CDC dc;
        CBitmap* old = nullptr;
        int width = 0;
        int height = 0;
    };

    CToolTipCtrl m_toolTip;
    CString m_tipText;
    CFont m_pointFont, m_normalFont, m_boldFont, m_linkFontDefault;
    // The header paints with its own copies of the sender's fonts, so no font of the sender
    // has to outlive a summary.
    CFont m_titleFont, m_figureFonts[AccountSummary::kFigures], m_linkFont;
    AccountSummary m_summary;
    CLayerButton m_refresh, m_lock;
    HeaderBitmap m_hideBitmap, m_floatBitmap, m_liquidityBitmap;
    CRect m_hideRect, m_floatRect, m_liquidityRect, m_linkRect;
    CRect m_headerRect;
    CTreeCtrlEx m_tree;
    CImageList m_images;
    CArray<_SysInfoTreeStruct> m_entries;
    HWND m_children[tradedeck::kWindows] = {};
    CSetParameterDlg* m_settings = nullptr;
    int m_collapsed = 0;
    int m_currentId = 1;
    CString m_upText;
};
