// The main dialog's panels: the trade dialog, made once at start-up as a child of the main
// window, and the trading windows it serves to the trading rules.
#include "VelmoraDlg.h"

#include "TradeDlg.h"
#include "TradeWindows.h"

#include "PanelsResource.h"
#include "QuoteStore.h"
#include "SymbolRules.h"
#include "TradePanelMessages.h"

namespace {

// Until the trade panel exists the rules' calls go nowhere.
ITradingWindows g_noTradingWindows;

}  // namespace

void CVelmoraDlg::CreateTradePanel()
{
    if (m_pTradeDlg != nullptr)
        return;
    m_pTradeDlg = new CTradeDlg;
    if (!m_pTradeDlg->Create(IDD_TRADE, this)) {
        delete m_pTradeDlg;
        m_pTradeDlg = nullptr;
        return;
    }
    m_pTradeDlg->ModifyStyle(WS_POPUP, WS_CHILD);
    m_pTradeDlg->SetParent(this);
    m_pTradeDlg->ShowWindow(SW_SHOW);
    m_pTradeWindows = new CTradeWindows(m_pTradeDlg);
}

void CVelmoraDlg::DestroyTradePanel()
{
    delete m_pTradeWindows;
    m_pTradeWindows = nullptr;
    if (m_pTradeDlg != nullptr) {
        if (::IsWindow(m_pTradeDlg->GetSafeHwnd()))
            m_pTradeDlg->DestroyWindow();
        delete m_pTradeDlg;
        m_pTradeDlg = nullptr;
    }
}

ITradingWindows& CVelmoraDlg::TradingWindows()
{
    if (m_pTradeWindows != nullptr)
        return *m_pTradeWindows;
    return g_noTradingWindows;
}

LRESULT CVelmoraDlg::OnSectorChanged(WPARAM, LPARAM lParam)
{
    const SectorNotice* notice = reinterpret_cast<const SectorNotice*>(lParam);
    // Only the page on show speaks for the board.
    if (notice == nullptr || notice->strSector != GetCurrentPageKey())
        return 0;
    InstrumentInfo info;
    SectorRecord sector;
    CString code;
    if (notice->nRow != -1 && GetQuoteStore().GetSector(notice->strSector, sector) && notice->nRow >= 0
        && notice->nRow < static_cast<int>(sector.vecRows.size()))
        code = sector.vecRows[notice->nRow].strCode;
    FillInstrumentInfo(code, m_orderFormCode, info);
    if (m_pTradeDlg != nullptr && ::IsWindow(m_pTradeDlg->GetSafeHwnd())) {
        m_orderFormCode = info.strCode;
        m_pTradeDlg->SendMessage(tradepanel::WM_TRADE_SET_INSTRUMENT, 0, reinterpret_cast<LPARAM>(&info));
    }
    return 0;
}
