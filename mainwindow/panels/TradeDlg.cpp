#include "TradeDlg.h"

#include "PanelsResource.h"
#include "TradePanelMessages.h"
#include "TradePanelText.h"

#include "ConnectionStates.h"
#include "trading/TradingMessage.h"

#include <Tradedeck.h>

#include <map>

using namespace tradepanel;

namespace {

// There is one trade dialog in the process; the hook finds it here.
CTradeDlg* g_tradeDlg = nullptr;
HHOOK g_dragHook = NULL;

void CreateSongFont(CFont& font, int height, int width, int weight, BOOL underline, BYTE pitchAndFamily)
{
    font.CreateFont(height, width, 0, 0, weight, FALSE, underline, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, pitchAndFamily, "宋体");
}

}  // namespace

CTradeDlg::CTradeDlg() : CDialogEx(IDD_TRADE, NULL), m_summary(new AccountSummary) {}

CTradeDlg::~CTradeDlg()
{
    if (g_tradeDlg == this)
        g_tradeDlg = nullptr;
    RemoveDragHook();
    delete m_summary;
}

BEGIN_MESSAGE_MAP(CTradeDlg, CDialogEx)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_TRADE_SET_INSTRUMENT, &CTradeDlg::OnSetInstrument)
    ON_MESSAGE(WM_PLATFORM_ITEM_SELECTED, &CTradeDlg::OnItemSelected)
    ON_MESSAGE(WM_PLATFORM_HEADER_BUTTON, &CTradeDlg::OnCaptionRequest)
    ON_MESSAGE(WM_PLATFORM_OPTION_CHANGED, &CTradeDlg::OnOptionChanged)
    ON_MESSAGE(WM_ORDER_REQUEST, &CTradeDlg::OnOrderRequest)
    ON_MESSAGE(WM_POSITIONS_COMMAND, &CTradeDlg::OnCaptionRequest)
    ON_MESSAGE(WM_POSITIONS_ROW, &CTradeDlg::OnPositionRow)
    ON_MESSAGE(WM_ORDERS_COMMAND, &CTradeDlg::OnCaptionRequest)
    ON_MESSAGE(WM_ORDERS_ROW, &CTradeDlg::OnOrderRow)
    ON_MESSAGE(WM_FILLS_COMMAND, &CTradeDlg::OnCaptionRequest)
    ON_MESSAGE(WM_QUERY_TAB, &CTradeDlg::OnQueryTab)
    ON_MESSAGE(WM_QUERY_REQUEST, &CTradeDlg::OnQueryRequest)
    ON_MESSAGE(WM_PASSWORD_REQUEST, &CTradeDlg::OnPasswordRequest)
END_MESSAGE_MAP()

BOOL CTradeDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    m_dragging = false;
    g_tradeDlg = this;
    CreateSongFont(m_normalFont, -12, 0, FW_NORMAL, FALSE, DEFAULT_PITCH);
    CreateSongFont(m_boldFont, -12, 0, FW_BOLD, FALSE, DEFAULT_PITCH);
    CreateSongFont(m_linkFont, 0, 8, FW_BOLD, TRUE, 32);
    m_summary->titleFont = &m_normalFont;
    for (auto& figure : m_summary->figures)
        figure.font = &m_boldFont;
    m_summary->link.Empty();
    m_summary->linkColour = 0xFF0000;
    m_summary->linkFont = &m_linkFont;
    m_container = Dll_ShowTradedeckDlg(m_hWnd);
    if (!::IsWindow(m_container))
        m_container = NULL;
    SetNextPageState(0);
    CRect client;
    GetClientRect(&client);
    if (m_container != NULL)
        ::MoveWindow(m_container, 0, 0, client.Width(), client.Height(), TRUE);
    return TRUE;
}

void CTradeDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialogEx::OnSize(nType, cx, cy);
    if (m_container != NULL && ::IsWindow(m_container))
        ::MoveWindow(m_container, 0, 0, cx, cy, TRUE);
}

namespace {

bool IsSameMessage(const MSG& a, const MSG& b)
{
    return a.hwnd == b.hwnd && a.message == b.message && a.wParam == b.wParam && a.lParam == b.lParam &&
           a.time == b.time && a.pt.x == b.pt.x && a.pt.y == b.pt.y;
}

}  // namespace

BOOL CTradeDlg::PreTranslateAhead(MSG* pMsg)
{
    m_aheadMessage = *pMsg;
    m_aheadPending = true;
    return RelayAndGuard(pMsg);
}

BOOL CTradeDlg::PreTranslateMessage(MSG* pMsg)
{
    const bool offeredAhead = m_aheadPending && IsSameMessage(m_aheadMessage, *pMsg);
    m_aheadPending = false;
    if (!offeredAhead && RelayAndGuard(pMsg))
        return TRUE;
    return CDialogEx::PreTranslateMessage(pMsg);
}

BOOL CTradeDlg::RelayAndGuard(MSG* pMsg)
{
    if (m_container != NULL && ::IsWindow(m_container))
        Dll_TradedeckPreTranslateMessage(CWnd::FromHandle(m_container), pMsg);
    // Escape must never close the panel, nor reach a trading window, whose cancel destroys it.
    return pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE;
}

void CTradeDlg::OnDestroy()
{
    CDialogEx::OnDestroy();
    ModifyStyle(WS_POPUP, WS_CHILD);
    CWnd* main = AfxGetMainWnd();
    if (main != nullptr && main != this && ::IsWindow(main->GetSafeHwnd()))
        ::SetParent(m_hWnd, main->GetSafeHwnd());
    m_floating = false;
    m_dragging = false;
    RemoveDragHook();
    m_container = NULL;
    if (g_tradeDlg == this)
        g_tradeDlg = nullptr;
}

// ----------------------------------------------------------------- down to the container

LRESULT CTradeDlg::SendToContainer(UINT message, const void* record, LPARAM lParam)
{
    if (m_container == NULL || !::IsWindow(m_container))
        return 0;
    return ::SendMessage(m_container, message, (WPARAM)record, lParam);
}

void CTradeDlg::SendListCommand(UINT message, int op, int row, const CString& text)
{
    ListCommand command;
    command.op = op;
    command.row = row;
    command.text = text;
    SendToContainer(message, &command);
}

void CTradeDlg::ShowPlatformStatus(const CString& title, COLORREF background, int linkEnabled)
{
    m_summary->background = background;
    m_summary->title = title;
    m_summary->titleColour = 205;
    for (auto& figure : m_summary->figures) {
        figure.label.Empty();
        figure.value.Empty();
        figure.colour = 0;
    }
    m_summary->linkEnabled = linkEnabled;
    SendToContainer(WM_PLATFORM_SUMMARY, m_summary);
}

void CTradeDlg::ShowAccountSummary(const CString& title, const SummaryRecord& summary)
{
    FillSummaryFigures(*m_summary, title, summary);
    SendToContainer(WM_PLATFORM_SUMMARY, m_summary);
}

void CTradeDlg::SetInstrument(const InstrumentInfo& info)
{
    SendToContainer(WM_ORDER_INSTRUMENT, &info);
}

void CTradeDlg::InsertPositionRow(int row) { SendListCommand(WM_POSITIONS_LIST, 0, row); }
void CTradeDlg::DeletePositionRow(int row) { SendListCommand(WM_POSITIONS_LIST, 2, row); }
void CTradeDlg::ClearPositions() { SendListCommand(WM_POSITIONS_LIST, 3, 0); }

void CTradeDlg::SetPositionRow(int row, const CString* texts, bool closing)
{
    if (texts != nullptr)
        SendListCommand(WM_POSITIONS_LIST, 4, row, PositionRowText(texts, closing));
}

void CTradeDlg::ClearOrders()
{
    SendListCommand(WM_ORDERS_LIST, 3, 0);
    m_orderRows = 0;
}

void CTradeDlg::SyncOrderRows(std::vector<OrderEntry> rows, int mode)
{
    if (m_container == NULL)
        return;
    std::vector<CString> texts;
    for (const OrderEntry& order : rows)
        texts.push_back(OrderRowText(order));
    for (const ListCommand& command : PlanOrderRowSync(m_orderRows, texts, mode))
        SendToContainer(WM_ORDERS_LIST, &command);
}

void CTradeDlg::SetOrdersButtonState(const CString& caption, int enable, int highlight)
{
    ButtonState state;
    state.caption = caption;
    state.enable = (BYTE)enable;
    state.highlight = (BYTE)highlight;
    SendToContainer(WM_ORDERS_BUTTON_STATE, &state);
}

void CTradeDlg::ClearFills() { SendListCommand(WM_FILLS_LIST, 3, 0); }

void CTradeDlg::SetFillRow(int row, OrderEntry order)
{
    SendListCommand(WM_FILLS_LIST, 4, row, FillRowText(order));
}

void CTradeDlg::InsertFillRow(int row, OrderEntry order)
{
    SendListCommand(WM_FILLS_LIST, 0, row);
    SetFillRow(row, order);
}

void CTradeDlg::SendQueryText(UINT message, const CString& text, int op, int scrollToEnd)
{
    QueryText record;
    record.op = op;
    record.text = text;
    record.scrollToEnd = scrollToEnd;
    SendToContainer(message, &record);
}

void CTradeDlg::SendQueryStatus(UINT message, const CString& text, COLORREF colour)
{
    StatusLine line;
    line.text = text;
    line.colour = colour;
    SendToContainer(message, &line);
}

void CTradeDlg::SetNextPageState(int flag)
{
    std::map<int, int> state{{0, flag}};
    SendToContainer(WM_QUERY_PAGE_6, &state);
}

void CTradeDlg::SendPasswordStatus(const CString& text, COLORREF colour)
{
    SendQueryStatus(WM_PASSWORD_STATUS, text, colour);
}

void CTradeDlg::SetOption(int checked)
{
    if (m_container != NULL && ::IsWindow(m_container))
        ::SendMessage(m_container, WM_PLATFORM_SET_OPTION, (WPARAM)checked, 0);
}

// ----------------------------------------------------------------- up to the main window

LRESULT CTradeDlg::SendToMainWindow(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The main window, not the parent: a floating panel's parent is the desktop.
    CWnd* main = AfxGetMainWnd();
    if (main != nullptr && main != this && ::IsWindow(main->GetSafeHwnd()))
        main->SendMessage(message, wParam, lParam);
    return 0;
}

LRESULT CTradeDlg::Relay(UINT message, WPARAM wParam, LPARAM lParam, const CString& caption)
{
    UINT target = RelayTarget(message, caption, wParam);
    if (target != 0)
        SendToMainWindow(target, wParam, lParam);
    return 0;
}

LRESULT CTradeDlg::OnSetInstrument(WPARAM wParam, LPARAM lParam)
{
    // The main window's board sends the record in lParam; callers that put it in wParam
    // are served the same.
    const void* info = wParam != 0 ? reinterpret_cast<const void*>(wParam) : reinterpret_cast<const void*>(lParam);
    SendToContainer(WM_ORDER_INSTRUMENT, info);
    return 0;
}

LRESULT CTradeDlg::OnItemSelected(WPARAM wParam, LPARAM)
{
    const CString* text = reinterpret_cast<const CString*>(wParam);
    if (text != nullptr)
        m_selectedItem = *text;
    return 0;
}

LRESULT CTradeDlg::OnCaptionRequest(WPARAM wParam, LPARAM lParam)
{
    // Every such record starts with its caption: the header's CString itself, or the
    // command of a ListRequest.
    const CString* caption = reinterpret_cast<const CString*>(wParam);
    if (caption == nullptr)
        return 0;
    const MSG* current = GetCurrentMessage();
    return Relay(current->message, wParam, lParam, *caption);
}

LRESULT CTradeDlg::OnOptionChanged(WPARAM wParam, LPARAM lParam)
{
    return SendToMainWindow(WM_SHOW_ORDER_DETAIL_OPTION, wParam, lParam);
}

LRESULT CTradeDlg::OnOrderRequest(WPARAM wParam, LPARAM lParam)
{
    return SendToMainWindow(WM_PLACE_ORDER, wParam, lParam);
}

LRESULT CTradeDlg::OnPositionRow(WPARAM wParam, LPARAM lParam)
{
    return SendToMainWindow(WM_POSITION_ROW_SELECTED, wParam, lParam);
}

LRESULT CTradeDlg::OnOrderRow(WPARAM wParam, LPARAM lParam)
{
    const CString* row = reinterpret_cast<const CString*>(wParam);
    OrderEntry* order = new OrderEntry(row != nullptr ? OrderFromRow(*row) : OrderEntry());
    SendToMainWindow(WM_ORDER_ROW_SELECTED, (WPARAM)order, lParam);
    delete order;
    return 0;
}

LRESULT CTradeDlg::OnQueryTab(WPARAM wParam, LPARAM lParam)
{
    const CString* caption = reinterpret_cast<const CString*>(wParam);
    if (caption == nullptr)
        return 0;
    return Relay(WM_QUERY_TAB, wParam, lParam, *caption);
}

LRESULT CTradeDlg::OnQueryRequest(WPARAM wParam, LPARAM lParam)
{
    const QueryRequest* request = reinterpret_cast<const QueryRequest*>(wParam);
    if (request == nullptr)
        return 0;
    if (QueryConnectionState != 1) {
        ShowTradingMessage(m_hWnd, "查询服务器已断开！不能进行查询操作！");
        return 0;
    }
    return Relay(WM_QUERY_REQUEST, wParam, lParam, request->command);
}

LRESULT CTradeDlg::OnPasswordRequest(WPARAM wParam, LPARAM lParam)
{
    return SendToMainWindow(WM_CHANGE_PASSWORD, wParam, lParam);
}

// ----------------------------------------------------------------- floating and dragging

bool CTradeDlg::HasDragHook() const
{
    return g_dragHook != NULL;
}

void CTradeDlg::RemoveDragHook()
{
    if (g_dragHook != NULL) {
        ::UnhookWindowsHookEx(g_dragHook);
        g_dragHook = NULL;
    }
}

void CTradeDlg::SetFloating(bool on)
{
    m_floating = on;
    m_dragging = false;
    RemoveDragHook();
    if (on)
        g_dragHook = ::SetWindowsHookExA(WH_MOUSE_LL, &CTradeDlg::DragHook, AfxGetInstanceHandle(), 0);
}

void CTradeDlg::OnHookButton(UINT message, POINT screen)
{
    POINT point = screen;
    ::ScreenToClient(m_hWnd, &point);
    if (message == WM_LBUTTONDOWN) {
        CRect strip;
        GetClientRect(&strip);
        strip.right -= 80;
        strip.bottom = strip.top + 30;
        if (strip.PtInRect(point)) {
            m_dragging = true;
            m_pressPoint = point;
            POINT origin{0, 0};
            ::ClientToScreen(m_hWnd, &origin);
            m_pressOrigin = origin;
        }
    } else if (message == WM_LBUTTONUP && m_dragging) {
        // The panel jumps on release by the distance the pointer moved.
        CRect window;
        GetWindowRect(&window);
        int dx = point.x - m_pressPoint.x, dy = point.y - m_pressPoint.y;
        MoveWindow(m_pressOrigin.x + dx, m_pressOrigin.y + dy, window.Width(), window.Height(), TRUE);
        m_dragging = false;
    }
}

LRESULT CALLBACK CTradeDlg::DragHook(int code, WPARAM wParam, LPARAM lParam)
{
    // A hidden panel keeps its floating mode (the next toggle docks it); presses on the windows
    // under where it stood are not a drag of it.
    if (code == HC_ACTION && g_tradeDlg != nullptr && ::IsWindowVisible(g_tradeDlg->GetSafeHwnd()) &&
        g_tradeDlg->m_floating) {
        const MSLLHOOKSTRUCT* event = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        if (wParam == WM_LBUTTONDOWN || wParam == WM_LBUTTONUP)
            g_tradeDlg->OnHookButton((UINT)wParam, event->pt);
    }
    return ::CallNextHookEx(NULL, code, wParam, lParam);
}
