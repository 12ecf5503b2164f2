#include "TradeWindows.h"

#include "TradeDlg.h"

bool CTradeWindows::HasTradeDialog()
{
    return m_tradeDlg != nullptr && ::IsWindow(m_tradeDlg->GetSafeHwnd()) && m_tradeDlg->GetContainer() != NULL;
}

void CTradeWindows::SetOrdersButtonState(const CString& caption, bool enabled, bool highlighted)
{
    if (HasTradeDialog())
        m_tradeDlg->SetOrdersButtonState(caption, enabled, highlighted);
}

void CTradeWindows::SyncOrderRows(const std::vector<OrderEntry>& rows, int mode)
{
    if (HasTradeDialog())
        m_tradeDlg->SyncOrderRows(rows, mode);
}

void CTradeWindows::InsertPositionRow()
{
    // The rules add a position at the end of the list and then set that row.
    if (HasTradeDialog())
        m_tradeDlg->InsertPositionRow(m_positionRows++);
}

void CTradeWindows::SetPositionRow(int row, const CString* eightTexts)
{
    SetPositionRow(row, eightTexts, false);
}

void CTradeWindows::SetPositionRow(int row, const CString* eightTexts, bool closing)
{
    if (HasTradeDialog())
        m_tradeDlg->SetPositionRow(row, eightTexts, closing);
}

void CTradeWindows::DeletePositionRow(int row)
{
    if (!HasTradeDialog())
        return;
    m_tradeDlg->DeletePositionRow(row);
    if (m_positionRows > 0)
        --m_positionRows;
}

void CTradeWindows::ClearPositions()
{
    m_positionRows = 0;
    if (HasTradeDialog())
        m_tradeDlg->ClearPositions();
}

void CTradeWindows::ClearFills()
{
    m_fillRows = 0;
    if (HasTradeDialog())
        m_tradeDlg->ClearFills();
}

void CTradeWindows::AppendFillRow(const OrderEntry& entry)
{
    if (HasTradeDialog())
        m_tradeDlg->InsertFillRow(m_fillRows++, entry);
}

void CTradeWindows::ShowAccountSummary(const CString& title, const SummaryRecord& funds)
{
    if (HasTradeDialog())
        m_tradeDlg->ShowAccountSummary(title, funds);
}

namespace {

// The funds page takes WM_USER+600/601, the history page WM_USER+604/605.
UINT PageMessage(ITradingWindows::QueryPage page, bool status)
{
    UINT first = page == ITradingWindows::HISTORY_PAGE ? WM_QUERY_PAGE_4 : WM_QUERY_PAGE_0;
    return first + (status ? 1 : 0);
}

}  // namespace

void CTradeWindows::SendQueryText(QueryPage page, const CString& text, QueryTextOperation operation)
{
    if (HasTradeDialog())
        m_tradeDlg->SendQueryText(PageMessage(page, false), text, operation, 1);
}

void CTradeWindows::SendQueryStatus(QueryPage page, const CString& text, COLORREF colour)
{
    if (HasTradeDialog())
        m_tradeDlg->SendQueryStatus(PageMessage(page, true), text, colour);
}

void CTradeWindows::SetNextPageState(bool enabled)
{
    if (HasTradeDialog())
        m_tradeDlg->SetNextPageState(enabled ? 1 : 0);
}

void CTradeWindows::SendPasswordStatus(const CString& text, COLORREF colour)
{
    if (HasTradeDialog())
        m_tradeDlg->SendPasswordStatus(text, colour);
}
