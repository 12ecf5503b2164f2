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

void CVelmoraDlg::ShowPlatformStatus(const CString& text, COLORREF background, int link)
{
    if (m_pTradeDlg != nullptr)
        m_pTradeDlg->ShowPlatformStatus(text, background, link);
}

void CVelmoraDlg::SetTradePanelFloating(bool floating)
{
    if (m_pTradeDlg != nullptr)
        m_pTradeDlg->SetFloating(floating);
}

// The trade dialog and its trading container, not the windows inside them.
bool CVelmoraDlg::IsTradePanelWindow(HWND hWnd) const
{
    return hWnd != NULL && m_pTradeDlg != nullptr
           && (hWnd == m_pTradeDlg->GetSafeHwnd() || hWnd == m_pTradeDlg->GetContainer());
}

BOOL CVelmoraDlg::PreTranslateInTradePanel(MSG* pMsg)
{
    if (m_pTradeDlg == nullptr || pMsg->hwnd == NULL)
        return FALSE;
    const HWND panel = m_pTradeDlg->GetSafeHwnd();
    if (panel == NULL || (pMsg->hwnd != panel && !::IsChild(panel, pMsg->hwnd)))
        return FALSE;
    return m_pTradeDlg->PreTranslateAhead(pMsg);
}

ITradingWindows* CVelmoraDlg::PanelWindows()
{
    return m_pTradeWindows;
}

ITradingWindows& CVelmoraDlg::TradingWindows()
{
    if (m_pTradeWindows != nullptr)
        return *m_pTradeWindows;
    return g_noTradingWindows;
}
