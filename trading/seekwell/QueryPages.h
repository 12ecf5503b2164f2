// The query window's pages: funds on a date, trade history between two dates, and the
// position detail, settlement and access pages, which are built but never shown.
#pragma once
#include "QueryPage.h"
#include "RichEditCtrlEx.h"

#include <FlatDateTimeCtrl.h>

class CPageFinancialSituationDlg : public CQueryPage
{
protected:
    void CreateControls() override;
    void LayOut(int cx, int cy) override;
    void FillDates(QueryRequest& request) override;

private:
    CStatic m_label;
    CFlatDateTimeCtrl m_date;
    CLayerButton m_search;
    CLayerButton m_print;
    CRichEditCtrlEx m_box;
};

class CPageHistoryTransactionDlg : public CQueryPage
{
protected:
    void CreateControls() override;
    void LayOut(int cx, int cy) override;
    void FillDates(QueryRequest& request) override;
    void OnNextPageState(const std::map<int, int>& state) override;

private:
    CStatic m_startLabel;
    CStatic m_endLabel;
    CFlatDateTimeCtrl m_start;
    CFlatDateTimeCtrl m_end;
    CLayerButton m_search;
    CLayerButton m_print;
    CLayerButton m_nextPage;
    CRichEditCtrlEx m_box;
};

class CPagePositionDetailDlg : public CQueryPage
{
protected:
    void CreateControls() override;
    void LayOut(int cx, int cy) override;

private:
    CFont m_smallFont;
    CLayerButton m_search;
    CLayerButton m_print;
    CRichEditCtrl m_box;
};

class CPageSettleSheetDlg : public CQueryPage
{
};

class CPageAccessGoldDlg : public CQueryPage
{
};
