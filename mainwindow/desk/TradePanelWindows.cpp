#include "TradePanelWindows.h"

#include "FollowOrderStore.h"
#include <algorithm>
#include <mmsystem.h>
#include <TradingMessages.h>
#include "TradePanelText.h"

namespace {
// The operations of a ListCommand.
enum ListOp
{
    INSERT_ROW = 0,
    DELETE_ROW = 2,
    DELETE_ALL = 3,
    SET_ROW = 4,
    SET_ROWS = 5,
};

// The main window's message that rewrites the visible quote rows.
const UINT kRedisplayQuotes = 11123;
// Sent to the risk settings window with the funds record (first text the total assets).
const UINT kRiskAssets = 11129;

void PlayWithSystem(LPCSTR path)
{
    if (path == NULL)
        ::PlaySoundA(NULL, NULL, 0);
    else
        ::sndPlaySoundA(path, SND_ASYNC | SND_NODEFAULT);
}
}  // namespace

CTradePanelWindows::CTradePanelWindows(HWND timerOwner, ITradePanelOwner& owner, const CString& dataDir,
                                       CFollowOrderStore* followOrders)
    : m_timerOwner(timerOwner), m_dataDir(dataDir), m_panel(NULL), m_owner(owner), m_riskWindow(NULL), m_player(PlayWithSystem),
      m_followOrders(followOrders), m_soundStops(0), m_consoleStops(0)
{
}

void CTradePanelWindows::ApplyListCommand(std::vector<CString>& rows, const ListCommand& command)
{
    const int count = (int)rows.size();
    switch (command.op)
    {
    case INSERT_ROW:
        rows.insert(rows.begin() + std::max(0, std::min(command.row, count)), CString());
        break;
    case DELETE_ROW:
        if (command.row >= 0 && command.row < count)
            rows.erase(rows.begin() + command.row);
        break;
    case DELETE_ALL:
        rows.clear();
        break;
    case SET_ROW:
        if (command.row >= 0 && command.row < count)
            rows[command.row] = command.text;
        break;
    case SET_ROWS:
    {
        int row = command.row;
        int start = 0;
        const CString& text = command.text;
        while (row >= 0 && row < count && start <= text.GetLength())
        {
            int end = text.Find('\n', start);
            if (end < 0)
                end = text.GetLength();
            rows[row++] = text.Mid(start, end - start);
            start = end + 1;
        }
        break;
    }
    default:
        break;
    }
}

void CTradePanelWindows::SendDown(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_owner.PanelWindows() == nullptr && m_panel != NULL && ::IsWindow(m_panel))
        ::SendMessage(m_panel, message, wParam, lParam);
}

void CTradePanelWindows::SendList(UINT message, std::vector<CString>& mirror, const ListCommand& command)
{
    ApplyListCommand(mirror, command);
    SendDown(message, (WPARAM)&command);
}

void CTradePanelWindows::SetOrdersButtonState(const CString& caption, bool enabled, bool highlighted)
{
    if (ITradingWindows* forward = m_owner.PanelWindows())
        forward->SetOrdersButtonState(caption, enabled, highlighted);
    ButtonState state;
    state.caption = caption;
    state.enable = enabled ? 1 : 0;
    state.highlight = highlighted ? 1 : 0;
    SendDown(WM_ORDERS_BUTTON_STATE, (WPARAM)&state);
}

// The orders window is brought to the list as the trade panel does it.
void CTradePanelWindows::SyncOrderRows(const std::vector<OrderEntry>& rows, int mode)
{
    if (ITradingWindows* forward = m_owner.PanelWindows())
        forward->SyncOrderRows(rows, mode);
    std::vector<CString> texts;
    for (const OrderEntry& entry : rows)
        texts.push_back(tradepanel::OrderRowText(entry));
    int kept = (int)m_orderRows.size();
    for (const ListCommand& command : tradepanel::PlanOrderRowSync(kept, texts, mode))
        SendList(WM_ORDERS_LIST, m_orderRows, command);
}

void CTradePanelWindows::InsertPositionRow()
{
    if (ITradingWindows* forward = m_owner.PanelWindows())
        forward->InsertPositionRow();
    ListCommand command;
    command.op = INSERT_ROW;
    command.row = (int)m_positionRows.size();
    SendList(WM_POSITIONS_LIST, m_positionRows, command);
}

void CTradePanelWindows::SetPositionRow(int row, const CString* eightTexts, bool closing)
{
    if (ITradingWindows* forward = m_owner.PanelWindows())
        forward->SetPositionRow(row, eightTexts, closing);
    ListCommand command;
    command.op = SET_ROW;
    command.row = row;
    command.text = tradepanel::PositionRowText(eightTexts, closing);
    SendList(WM_POSITIONS_LIST, m_positionRows, command);
}

void CTradePanelWindows::DeletePositionRow(int row)
{
    if (ITradingWindows* forward = m_owner.PanelWindows())
        forward->DeletePositionRow(row);
    ListCommand command;
    command.op = DELETE_ROW;
    command.row = row;
    SendList(WM_POSITIONS_LIST, m_positionRows, command);
}

void CTradePanelWindows::ClearPositions()
{
    if (ITradingWindows* forward = m_owner.PanelWindows())
        forward->ClearPositions();
    ListCommand command;
    command.op = DELETE_ALL;
    SendList(WM_POSITIONS_LIST, m_positionRows, command);
}

void CTradePanelWindows::ClearFills()
{
    if (ITradingWindows* forward = m_owner.PanelWindows())
        forward->ClearFills();
    ListCommand command;
    command.op = DELETE_ALL;
    SendList(WM_FILLS_LIST, m_fillRows, command);
}

void CTradePanelWindows::AppendFillRow(const OrderEntry& entry)
{
    if (ITradingWindows* forward = m_owner.PanelWindows())
        forward->AppendFillRow(entry);
    ListCommand command;
    command.op = INSERT_ROW;
    command.row = (int)m_fillRows.size();
    SendList(WM_FILLS_LIST, m_fillRows, command);
    command.op = SET_ROW;
    command.text = tradepanel::FillRowText(entry);
    SendList(WM_FILLS_LIST, m_fillRows, command);
}

void CTradePanelWindows::ShowAccountSummary(const CString& title, const SummaryRecord& funds)
{
    if (ITradingWindows* forward = m_owner.PanelWindows())
        forward->ShowAccountSummary(title, funds);
    // The header record carries the panel's own fonts: only the panel's windows can build it.
    m_headerFunds = funds;
}

void CTradePanelWindows::SendQueryText(QueryPage page, const CString& text, QueryTextOperation operation)
{
    if (ITradingWindows* forward = m_owner.PanelWindows())
        forward->SendQueryText(page, text, operation);
    QueryText record;
    record.op = operation;
    record.text = text;
    CString& mirror = page == HISTORY_PAGE ? m_historyPage : m_fundsPage;
    if (operation == QUERY_TEXT_CLEAR)
        mirror.Empty();
    else
        mirror += text;
    SendDown(page == HISTORY_PAGE ? WM_QUERY_PAGE_4 : WM_QUERY_PAGE_0, (WPARAM)&record);
}

void CTradePanelWindows::SendQueryStatus(QueryPage page, const CString& text, COLORREF colour)
{
    if (ITradingWindows* forward = m_owner.PanelWindows())
        forward->SendQueryStatus(page, text, colour);
    StatusLine line;
    line.text = text;
    line.colour = colour;
    if (page == HISTORY_PAGE)
        m_historyStatus = text;
    SendDown(page == HISTORY_PAGE ? WM_QUERY_PAGE_5 : WM_QUERY_PAGE_1, (WPARAM)&line);
}

void CTradePanelWindows::SetNextPageState(bool enabled)
{
    if (ITradingWindows* forward = m_owner.PanelWindows())
        forward->SetNextPageState(enabled);
    std::map<int, int> state;
    state[0] = enabled ? 1 : 0;
    SendDown(WM_QUERY_PAGE_6, (WPARAM)&state);
}

void CTradePanelWindows::SendPasswordStatus(const CString& text, COLORREF colour)
{
    if (ITradingWindows* forward = m_owner.PanelWindows())
        forward->SendPasswordStatus(text, colour);
    StatusLine line;
    line.text = text;
    line.colour = colour;
    m_passwordStatus = text;
    SendDown(WM_PASSWORD_STATUS, (WPARAM)&line);
}

void CTradePanelWindows::RefreshQuoteRows()
{
    if (m_timerOwner != NULL)
        ::SendMessage(m_timerOwner, kRedisplayQuotes, 0, 0);
}

void CTradePanelWindows::ShowRiskAssets(const SummaryRecord& funds)
{
    if (m_riskWindow != NULL && ::IsWindow(m_riskWindow))
        ::SendMessage(m_riskWindow, kRiskAssets, (WPARAM)&funds, 0);
}

bool CTradePanelWindows::ConfirmOrder(const OrderRequest& request, const SummaryRecord& funds)
{
    return m_owner.ConfirmOrderInDetail(request, funds);
}

void CTradePanelWindows::PlaySoundFile(LPCSTR fileName)
{
    ++m_soundPlays[fileName];
    if (m_player)
        m_player(m_dataDir + fileName);
}

int CTradePanelWindows::PlayCount(const CString& fileName) const
{
    const auto found = m_soundPlays.find(fileName);
    return found != m_soundPlays.end() ? found->second : 0;
}

void CTradePanelWindows::StopAllSounds()
{
    ++m_soundStops;
    if (m_player)
        m_player(NULL);
}

void CTradePanelWindows::SetTimer(UINT id, UINT periodMs)
{
    if (m_timerOwner != NULL)
        ::SetTimer(m_timerOwner, id, periodMs, NULL);
}

void CTradePanelWindows::KillTimer(UINT id)
{
    if (m_timerOwner != NULL)
        ::KillTimer(m_timerOwner, id);
}

void CTradePanelWindows::StopConsole()
{
    // Counted and traced so the stop can be seen also while no console was opened.
    ++m_consoleStops;
    ::OutputDebugStringA("Tolvan: risk line reached, the order-supplement console is told to stop\n");
    m_owner.StopConsoleRunning();
}

void CTradePanelWindows::StoreFinishedFollowOrder(const OrderEntry& entry)
{
    if (m_followOrders != nullptr && !m_followOrders->Store(entry))
        ::OutputDebugStringA("Tolvan: a finished follow order could not be stored in the proxy-order table\n");
}
