// The trade panel between a recording main window and the real trading container: what it
// relays up by caption, what reaches the order form, Escape, and dragging the floating panel
// by its top strip with the low-level mouse hook.
#include "TradeDlg.h"
#include "TradeWindows.h"
#include "TradePanelMessages.h"

#include "ConnectionStates.h"
#include "PanelsResource.h"

#include <TradingTestHost.h>

#include <testsupport/MessageBoxScript.h>
#include <testsupport/Pump.h>
#include <testsupport/TestApp.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

using tolvan::test::MessageBoxScript;
using tolvan::test::PumpUntil;
using namespace tradepanel;

namespace {

tolvan::test::TestApp theApp("TradePanelTest");
int g_releases = 0;

enum { kContract = 3007, kBuy = 3028, kOrderTab = 3006 };

CString TextOf(HWND control)
{
    char text[256] = {};
    ::GetWindowTextA(control, text, sizeof(text));
    return text;
}

class TradePanel : public ::testing::Test
{
protected:
    void SetUp() override
    {
        main = std::make_unique<TradingHost>(CRect(0, 0, 1300, 560));
        main->onMessage = [](HostMessage& m) {
            if (m.message == WM_PLACE_ORDER)
                m.ticket = *reinterpret_cast<const OrderTicket*>(m.wParam);
            if (m.message == WM_ORDER_ROW_SELECTED)
                m.text = reinterpret_cast<const OrderEntry*>(m.wParam)->RowText();
        };
        theApp.m_pMainWnd = main.get();
        panel = std::make_unique<CTradeDlg>();
        ASSERT_TRUE(panel->Create(IDD_TRADE, main.get()));
        panel->ModifyStyle(WS_POPUP, WS_CHILD);
        panel->SetParent(main.get());
        panel->MoveWindow(10, 100, 1200, 430);
        panel->ShowWindow(SW_SHOW);
        ASSERT_TRUE(::IsWindow(panel->GetContainer()));
        tolvan::test::PumpPending();
    }

    void TearDown() override
    {
        if (::IsWindow(panel->GetSafeHwnd()))
            panel->DestroyWindow();
        panel.reset();
        theApp.m_pMainWnd = nullptr;
        main.reset();
        QueryConnectionState = 0;
        if (m_counter != NULL)
            ::UnhookWindowsHookEx(m_counter);
    }

    HWND Order() const { return ::GetParent(FindDescendant(panel->GetContainer(), kOrderTab)); }

    void Float()
    {
        panel->ShowWindow(SW_HIDE);
        panel->SetParent(nullptr);
        panel->ModifyStyle(WS_CHILD, WS_POPUP);
        ::SetWindowPos(panel->GetSafeHwnd(), HWND_TOPMOST, 100, 200, 1200, 430, SWP_SHOWWINDOW);
        panel->SetFloating(true);
        tolvan::test::PumpPending();
    }

    // Counts the releases that the low-level hooks have seen, so a drag is known to be over.
    static LRESULT CALLBACK CountReleases(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HC_ACTION && wParam == WM_LBUTTONUP)
            ++g_releases;
        return ::CallNextHookEx(NULL, code, wParam, lParam);
    }

    void Drag(POINT from, POINT to)
    {
        if (m_counter == NULL)
            m_counter = ::SetWindowsHookExA(WH_MOUSE_LL, &CountReleases, ::GetModuleHandleA(NULL), 0);
        ::SetCursorPos(from.x, from.y);
        INPUT input[3] = {};
        input[0].type = input[1].type = input[2].type = INPUT_MOUSE;
        input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        input[1].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        input[1].mi.dx = to.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
        input[1].mi.dy = to.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
        input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        ::SendInput(3, input, sizeof(INPUT));
    }

    std::unique_ptr<TradingHost> main;
    std::unique_ptr<CTradeDlg> panel;
    HHOOK m_counter = NULL;
};

TEST_F(TradePanel, TheOrderFormShowsTheInstrumentAndBuyReachesTheMainWindow)
{
    InstrumentInfo info;
    info.strCode = "600000";
    info.strName = "浦发银行";
    info.strDefaultQuantity = "100";
    info.bSetQuantity = 1;
    info.strPrice = "10.20";
    info.bHasPrice = 1;
    info.nPriceDecimals = 2;
    info.strPriceStep = "0.01";
    ::SendMessage(panel->GetSafeHwnd(), WM_TRADE_SET_INSTRUMENT, (WPARAM)&info, 0);
    EXPECT_STREQ("浦发银行", TextOf(FindDescendant(Order(), kContract)));

    ClickAt(CentreOf(FindDescendant(Order(), kBuy)));
    ASSERT_TRUE(PumpUntil([&] { return main->Count(WM_PLACE_ORDER) == 1; }, 10000));
    OrderTicket ticket = main->Last(WM_PLACE_ORDER).ticket;
    EXPECT_STREQ("买入", ticket.direction);
    EXPECT_STREQ("市价", ticket.priceType);
    EXPECT_STREQ("100", ticket.quantity);
    EXPECT_STREQ("600000", ticket.code);
    EXPECT_STREQ("0.01", ticket.priceStep);
    CaptureAndSave(main->GetSafeHwnd(), "trading_panel_docked.png");
}

TEST_F(TradePanel, RelaysRequestsByCaptionWithTheirParametersUnchanged)
{
    HWND hPanel = panel->GetSafeHwnd();
    CString hide = "隐藏", refresh = "刷新";
    ::SendMessage(hPanel, WM_PLATFORM_HEADER_BUTTON, (WPARAM)&hide, 42);
    ::SendMessage(hPanel, WM_PLATFORM_HEADER_BUTTON, (WPARAM)&refresh, 42);
    ASSERT_EQ(1u, main->Count(WM_PANEL_HIDE));
    EXPECT_EQ((WPARAM)&hide, main->Last(WM_PANEL_HIDE).wParam);
    EXPECT_EQ(42, main->Last(WM_PANEL_HIDE).lParam);
    EXPECT_EQ(1u, main->Messages().size());

    ListRequest request;
    request.command = "撤单";
    EXPECT_EQ(0, ::SendMessage(hPanel, WM_ORDERS_COMMAND, (WPARAM)&request, 0));
    EXPECT_EQ((WPARAM)&request, main->Last(WM_CANCEL_ORDER).wParam);

    CString tab = "交易历史", other = "持仓明细";
    ::SendMessage(hPanel, WM_QUERY_TAB, (WPARAM)&tab, 5);
    ::SendMessage(hPanel, WM_QUERY_TAB, (WPARAM)&other, 5);
    ASSERT_EQ(1u, main->Count(WM_QUERY_TAB_CHANGED));
    EXPECT_EQ(3u, main->Last(WM_QUERY_TAB_CHANGED).wParam);

    CString shortRow = "a|b|c|d|e|f|g|h|i|j|k";
    ::SendMessage(hPanel, WM_ORDERS_ROW, (WPARAM)&shortRow, 0);
    ASSERT_EQ(1u, main->Count(WM_ORDER_ROW_SELECTED));
    EXPECT_STREQ("|||||||||||||", main->Last(WM_ORDER_ROW_SELECTED).text);

    PasswordRequest password;
    ::SendMessage(hPanel, WM_PASSWORD_REQUEST, (WPARAM)&password, 0);
    EXPECT_EQ((WPARAM)&password, main->Last(WM_CHANGE_PASSWORD).wParam);
}

TEST_F(TradePanel, AQueryWithoutTheQueryConnectionIsRefusedWithAMessage)
{
    MessageBoxScript boxes;
    QueryRequest request;
    request.command = "查询";
    QueryConnectionState = -1;
    ::SendMessage(panel->GetSafeHwnd(), WM_QUERY_REQUEST, (WPARAM)&request, 0);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("查询服务器已断开！不能进行查询操作！", boxes.Last().text);
    EXPECT_EQ("Tolvan证券", boxes.Last().caption);
    EXPECT_EQ(0u, main->Count(WM_QUERY_HISTORY));

    QueryConnectionState = 1;
    ::SendMessage(panel->GetSafeHwnd(), WM_QUERY_REQUEST, (WPARAM)&request, 0);
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_EQ((WPARAM)&request, main->Last(WM_QUERY_HISTORY).wParam);
}

TEST_F(TradePanel, EscapeNeverClosesThePanelAndTheContainerSeesKeysFirst)
{
    // Escape in a field of the order form, as the program's message loop pre-translates it.
    MSG escape = {FindDescendant(Order(), 3018), WM_KEYDOWN, VK_ESCAPE, 0};
    EXPECT_TRUE(panel->PreTranslateMessage(&escape));
    ::SendMessage(panel->GetSafeHwnd(), WM_COMMAND, IDCANCEL, 0);
    tolvan::test::PumpPending();
    EXPECT_TRUE(::IsWindowVisible(panel->GetSafeHwnd()));
    EXPECT_TRUE(::IsWindow(panel->GetContainer()));
    EXPECT_TRUE(::IsWindow(Order()));

    ASSERT_TRUE(::IsWindowVisible(Order()));
    MSG f5 = {panel->GetSafeHwnd(), WM_KEYDOWN, VK_F5, 0};
    panel->PreTranslateMessage(&f5);
    EXPECT_FALSE(::IsWindowVisible(Order()));
}

// Counts what the container is given to pre-translate.
struct PreTranslateTap
{
    static int seen;
    static WNDPROC original;
    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_USER + 1000)
            ++seen;
        return ::CallWindowProcA(original, hWnd, message, wParam, lParam);
    }
};
int PreTranslateTap::seen = 0;
WNDPROC PreTranslateTap::original = nullptr;

TEST_F(TradePanel, AMessageOfferedAheadReachesTheContainerOnceAndEscapeStopsThere)
{
    HWND container = panel->GetContainer();
    PreTranslateTap::original = (WNDPROC)::SetWindowLongPtrA(container, GWLP_WNDPROC, (LONG_PTR)&PreTranslateTap::Proc);
    HWND field = FindDescendant(Order(), 3018);
    // Offered ahead by the program's filter, then walked up from the field by its loop.
    MSG f5 = {field, WM_KEYDOWN, VK_F5, 0, 1000, {5, 5}};
    EXPECT_FALSE(panel->PreTranslateAhead(&f5));
    panel->PreTranslateMessage(&f5);
    EXPECT_EQ(1, PreTranslateTap::seen);
    EXPECT_FALSE(::IsWindowVisible(Order())) << "F5 shows the queries";
    // A message that was not offered ahead is still relayed by the walk.
    MSG f1 = {field, WM_KEYDOWN, VK_F1, 0, 1001, {5, 5}};
    panel->PreTranslateMessage(&f1);
    EXPECT_EQ(2, PreTranslateTap::seen);
    EXPECT_TRUE(::IsWindowVisible(Order()));
    MSG escape = {field, WM_KEYDOWN, VK_ESCAPE, 0, 1002, {5, 5}};
    EXPECT_TRUE(panel->PreTranslateAhead(&escape)) << "Escape never reaches a trading window";
    ::SetWindowLongPtrA(container, GWLP_WNDPROC, (LONG_PTR)PreTranslateTap::original);
}

TEST_F(TradePanel, AFloatingPanelIsDraggedByItsTopStripAndDockingRemovesTheHook)
{
    Float();
    ASSERT_TRUE(panel->HasDragHook());
    CaptureAndSave(panel->GetSafeHwnd(), "trading_panel_floating.png");
    CRect before;
    panel->GetWindowRect(&before);

    // A press in the rightmost 80 pixels of the strip moves nothing.
    Drag({before.right - 40, before.top + 10}, {before.right - 40, before.top + 110});
    ASSERT_TRUE(PumpUntil([] { return g_releases == 1; }, 10000));
    CRect still;
    panel->GetWindowRect(&still);
    EXPECT_EQ(before.top, still.top);

    Drag({before.left + 300, before.top + 10}, {before.left + 300, before.top + 110});
    ASSERT_TRUE(PumpUntil([] { return g_releases == 2; }, 10000));
    CRect after;
    panel->GetWindowRect(&after);
    EXPECT_EQ(before.top + 100, after.top);
    EXPECT_EQ(before.left, after.left);
    EXPECT_EQ(before.Width(), after.Width());

    panel->SetFloating(false);
    EXPECT_FALSE(panel->HasDragHook());
}

TEST_F(TradePanel, DestroyingAFloatingPanelRemovesItsHook)
{
    Float();
    ASSERT_TRUE(panel->HasDragHook());
    panel->DestroyWindow();
    EXPECT_FALSE(panel->HasDragHook());
    EXPECT_FALSE(panel->IsFloating());
}

// What reaches the container, recorded on its way in (the list windows are not built here).
struct ContainerTap
{
    struct Seen { UINT message; ListCommand command; CString text; COLORREF colour; int flag; };
    static std::vector<Seen> seen;
    static WNDPROC original;

    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        Seen s{message, ListCommand(), CString(), 0, -1};
        if (message == WM_POSITIONS_LIST || message == WM_ORDERS_LIST || message == WM_FILLS_LIST)
            s.command = *reinterpret_cast<const ListCommand*>(wParam);
        else if (message == WM_QUERY_PAGE_0 || message == WM_QUERY_PAGE_4)
            s.text = reinterpret_cast<const QueryText*>(wParam)->text;
        else if (message == WM_QUERY_PAGE_1 || message == WM_QUERY_PAGE_5 || message == WM_PASSWORD_STATUS) {
            s.text = reinterpret_cast<const StatusLine*>(wParam)->text;
            s.colour = reinterpret_cast<const StatusLine*>(wParam)->colour;
        } else if (message == WM_QUERY_PAGE_6)
            s.flag = reinterpret_cast<const std::map<int, int>*>(wParam)->at(0);
        else if (message == WM_ORDERS_BUTTON_STATE) {
            s.text = reinterpret_cast<const ButtonState*>(wParam)->caption;
            s.flag = reinterpret_cast<const ButtonState*>(wParam)->highlight;
        }
        if (message >= WM_USER + 300 && message < WM_USER + 800)
            seen.push_back(s);
        return ::CallWindowProcA(original, hWnd, message, wParam, lParam);
    }

    static CString Describe()
    {
        CString all;
        for (const Seen& s : seen) {
            CString one;
            one.Format("%d:%d@%d ", s.message - WM_USER, s.command.op, s.command.row);
            all += one;
        }
        return all.Trim();
    }
};
std::vector<ContainerTap::Seen> ContainerTap::seen;
WNDPROC ContainerTap::original = nullptr;

TEST_F(TradePanel, ServesTheTradingRulesThroughTheContainer)
{
    HWND container = panel->GetContainer();
    ContainerTap::seen.clear();
    ContainerTap::original = (WNDPROC)::SetWindowLongPtrA(container, GWLP_WNDPROC, (LONG_PTR)&ContainerTap::Proc);
    CTradeWindows windows(panel.get());
    ASSERT_TRUE(windows.HasTradeDialog());

    const CString position[8] = {"原油", "CL", "0", "1", "70", "5", "1000", "USD"};
    windows.InsertPositionRow();
    windows.SetPositionRow(0, position);
    windows.SetPositionRow(0, position, true);
    windows.InsertPositionRow();
    windows.DeletePositionRow(0);
    windows.ClearPositions();
    EXPECT_STREQ("300:0@0 300:4@0 300:4@0 300:0@1 300:2@0 300:3@0", ContainerTap::Describe());
    EXPECT_EQ(0, ContainerTap::seen[1].command.text.Find("原油|CL|买|"));
    EXPECT_EQ(0, ContainerTap::seen[2].command.text.Find("原油(平仓中)|CL|")) << "a close under way shows";

    ContainerTap::seen.clear();
    std::vector<OrderEntry> orders(3);
    windows.SyncOrderRows(orders, 2);
    orders.resize(1);
    windows.SyncOrderRows(orders, 1);
    EXPECT_STREQ("400:0@0 400:0@1 400:0@2 400:5@0 400:2@0 400:2@0 400:5@0", ContainerTap::Describe());

    ContainerTap::seen.clear();
    windows.ClearFills();
    windows.AppendFillRow(OrderEntry());
    windows.AppendFillRow(OrderEntry());
    EXPECT_STREQ("500:3@0 500:0@0 500:4@0 500:0@1 500:4@1", ContainerTap::Describe());

    ContainerTap::seen.clear();
    windows.SendQueryText(ITradingWindows::HISTORY_PAGE, "line", ITradingWindows::QUERY_TEXT_APPEND);
    windows.SendQueryStatus(ITradingWindows::FUNDS_PAGE, "busy", RGB(1, 2, 3));
    windows.SetNextPageState(true);
    windows.SendPasswordStatus("密码修改成功！", RGB(0, 0, 255));
    windows.SetOrdersButtonState("可撤", true, false);
    ASSERT_EQ(5u, ContainerTap::seen.size());
    EXPECT_EQ(WM_QUERY_PAGE_4, ContainerTap::seen[0].message);
    EXPECT_STREQ("line", ContainerTap::seen[0].text);
    EXPECT_EQ(WM_QUERY_PAGE_1, ContainerTap::seen[1].message);
    EXPECT_EQ(RGB(1, 2, 3), ContainerTap::seen[1].colour);
    EXPECT_EQ(1, ContainerTap::seen[2].flag);
    EXPECT_EQ(WM_PASSWORD_STATUS, ContainerTap::seen[3].message);
    EXPECT_STREQ("可撤", ContainerTap::seen[4].text);
    EXPECT_EQ(0, ContainerTap::seen[4].flag);
    ::SetWindowLongPtrA(container, GWLP_WNDPROC, (LONG_PTR)ContainerTap::original);
}

}  // namespace
