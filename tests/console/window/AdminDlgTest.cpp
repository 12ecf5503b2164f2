// The console window: its client list with check boxes and strategies, assignments stored as
// they change, the order list of the followed accounts while running, the running switch, and
// the history-order window over the stored orders. Screenshots console.png and
// history_orders.png are kept in <build>\test-artifacts.
#include "AdminDlg.h"

#include "AccountRows.h"
#include "DBOrder.h"
#include "DBProxyOrder.h"
#include "DBStrategy.h"
#include "DBUser.h"
#include "EditStrategy.h"
#include "FakeFollowServices.h"
#include "ModalScript.h"
#include "Md5.h"
#include "OrderListText.h"
#include "QuoteStore.h"

#include <testsupport/MessageBoxScript.h>
#include <testsupport/Pump.h>
#include <testsupport/RecordingWindow.h>
#include <testsupport/Screenshot.h>

#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>

using tolvan::test::MessageBoxScript;
using tolvan::test::RecordingWindow;

namespace {

const char* const kKey = "90001";

CString ArtifactPath(const char* name)
{
    char path[MAX_PATH] = {0};
    ::GetModuleFileNameA(NULL, path, MAX_PATH);
    CString folder = path;
    folder = folder.Left(folder.ReverseFind('\\'));       // <build>\bin
    folder = folder.Left(folder.ReverseFind('\\') + 1);   // the build folder
    ::CreateDirectoryA(folder + "test-artifacts", NULL);
    return folder + "test-artifacts\\" + name;
}

OrderRow Order(const char* account, const char* oid, const char* state, const char* time)
{
    OrderRow row;
    row.clientName = account;
    row.cid = CString("c") + oid;
    row.oid = oid;
    row.cn = "CL";
    row.st = state;
    row.ty = "MKT";
    row.an = "BUY";
    row.ot = time;
    row.qy = "2";
    row.op = "77.8";
    row.fnum = CString(state) == "Filled" ? "2" : "0";
    row.ps = CString(state) == "Filled" ? "155.6" : "0";
    row.mg = "3.5";
    return row;
}

// Runs SQL on a table file with SQLite itself (to make a file the tables cannot read).
void RunRaw(const CString& path, const CString& key, const char* sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(CDBBase::AnsiToUtf8(path).c_str(), &db));
    ASSERT_EQ(SQLITE_OK, sqlite3_key(db, (const char*)key, key.GetLength()));
    EXPECT_EQ(SQLITE_OK, sqlite3_exec(db, sql, nullptr, nullptr, nullptr));
    sqlite3_close(db);
}

std::vector<UserStrategy> StoredAssignments(const CString& path, const CString& key)
{
    CDBUser stored(path, key);
    std::vector<UserStrategy> users;
    EXPECT_TRUE(stored.LoadAll(users, "userId", true, -1, 0));
    return users;
}

void Click(CWnd& dialog, int id)
{
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)dialog.GetDlgItem(id)->GetSafeHwnd());
}

CString Text(CWnd& dialog, int id)
{
    CString text;
    dialog.GetDlgItem(id)->GetWindowText(text);
    return text;
}

void KeepPicture(HWND window, const char* name)
{
    ::RedrawWindow(window, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    tolvan::test::Screenshot shot;
    tolvan::test::PumpUntil([&] {
        shot = tolvan::test::Screenshot::CaptureClient(window);
        return !shot.IsEmpty();
    }, 10000);
    EXPECT_TRUE(shot.SavePng(std::string(ArtifactPath(name))));
}

class AdminDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char temp[MAX_PATH] = {0};
        ::GetTempPathA(MAX_PATH, temp);
        m_folder.Format("%s补单-%lu\\", temp, ::GetCurrentProcessId());
        RemoveFolder();
        ::CreateDirectoryA(m_folder, NULL);
        m_ownerWnd.Attach(m_owner);
    }
    void TearDown() override
    {
        m_ownerWnd.Detach();
        RemoveFolder();
    }
    void RemoveFolder()
    {
        WIN32_FIND_DATAA found;
        HANDLE search = ::FindFirstFileA(m_folder + "*", &found);
        if (search != INVALID_HANDLE_VALUE) {
            do
                ::DeleteFileA(m_folder + found.cFileName);
            while (::FindNextFileA(search, &found));
            ::FindClose(search);
        }
        ::RemoveDirectoryA(m_folder);
    }
    CString Key() const { return Md5Hex(kKey); }

    std::unique_ptr<CAdminDlg> OpenConsole(std::shared_ptr<IFollowServices> services = nullptr)
    {
        std::unique_ptr<CAdminDlg> console(new CAdminDlg(&m_ownerWnd, m_folder, Key(), services));
        EXPECT_TRUE(console->Create(CAdminDlg::IDD, &m_ownerWnd));
        return console;
    }

    CString m_folder;
    RecordingWindow m_owner{RecordingWindow::Kind::TopLevel};
    CWnd m_ownerWnd;
};

TEST_F(AdminDlgTest, AssignsStrategiesListsFollowedOrdersAndStoresWhatChanges)
{
    {
        CDBStrategy strategies(m_folder + "DS", Key());
        ASSERT_TRUE(strategies.ReplaceAll({Strategy(1, "稳健"), Strategy(2, "激进")}));
        CDBUser users(m_folder + "DU", Key());
        ASSERT_TRUE(users.ReplaceAll({Assignment("80002", "李娜", "1", "稳健")}));
    }
    std::unique_ptr<CAdminDlg> console = OpenConsole();
    CAdminDlg& dlg = *console;
    CString title;
    dlg.GetWindowText(title);
    EXPECT_EQ(CString("Tolvan证券补单系统"), title);
    EXPECT_EQ(CString("未运行"), Text(dlg, IDC_ADMIN_STATUS));
    CComboBox* combo = (CComboBox*)dlg.GetDlgItem(IDC_ADMIN_STRATEGY_COMBO);
    ASSERT_EQ(3, combo->GetCount()) << "无策略 and the two stored strategies";
    EXPECT_FALSE(dlg.GetDlgItem(IDC_ADMIN_IMPORT)->IsWindowVisible());

    // The client list: the stored account keeps its strategy, the new ones have none.
    dlg.OnClientList("[80002#李娜][80003#王芳][80004#刘洋]");
    CGridListCtrl& clients = dlg.ClientList();
    ASSERT_EQ(3, clients.GetItemCount());
    EXPECT_EQ(CString("稳健"), clients.GetItemText(0, 2));
    EXPECT_EQ(1, (int)clients.GetItemData(0));
    EXPECT_EQ(CString("无策略"), clients.GetItemText(1, 2));
    EXPECT_EQ(-1, (int)clients.GetItemData(1));
    EXPECT_EQ(0, clients.GetCheckbox(1, 0));

    {
        MessageBoxScript boxes;
        Click(dlg, IDC_ADMIN_APPLY);
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_EQ("请选择用户！", boxes.Last().text);
        EXPECT_EQ("Tolvan证券", boxes.Last().caption);
    }

    // Tick 王芳, apply "激进": the row shows it and the table holds it at once.
    clients.SetCheckbox(1, 0, 1);
    combo->SetCurSel(2);
    Click(dlg, IDC_ADMIN_APPLY);
    EXPECT_EQ(CString("激进"), clients.GetItemText(1, 2));
    EXPECT_EQ(2, (int)clients.GetItemData(1));
    {
        CDBUser stored(m_folder + "DU", Key());
        std::vector<UserStrategy> users;
        ASSERT_TRUE(stored.LoadAll(users, "userId", true, -1, 0));
        ASSERT_EQ(3u, users.size());
        EXPECT_EQ(CString("80003"), users[1].userId);
        EXPECT_EQ(CString("2"), users[1].strategyId);
        EXPECT_EQ(CString("激进"), users[1].strategyName);
    }

    // Running: import, editing, applying and clearing are off; refresh and history stay.
    Click(dlg, IDC_ADMIN_START_STOP);
    EXPECT_TRUE(dlg.IsRunning());
    EXPECT_EQ(CString("正在运行"), Text(dlg, IDC_ADMIN_STATUS));
    EXPECT_EQ(CString("停止运行"), Text(dlg, IDC_ADMIN_START_STOP));
    for (int id : {IDC_ADMIN_APPLY, IDC_ADMIN_MANAGE, IDC_ADMIN_CLEAR, IDC_ADMIN_IMPORT})
        EXPECT_FALSE(dlg.GetDlgItem(id)->IsWindowEnabled()) << id;
    for (int id : {IDC_ADMIN_REFRESH_CLIENTS, IDC_ADMIN_HISTORY, IDC_ADMIN_START_STOP})
        EXPECT_TRUE(dlg.GetDlgItem(id)->IsWindowEnabled()) << id;

    // Order events: followed accounts are listed newest first, 刘洋 (no strategy) is not.
    OrderRow events[] = {Order("80003", "501", "Filled", "2026-12-11 09:30:01"),
                         Order("80002", "502", "Submitted", "2026-12-11 10:00:00"),
                         Order("80004", "503", "Filled", "2026-12-11 10:05:00")};
    for (OrderRow& event : events)
        dlg.SendMessage(WM_PROXY_ORDER_EVENT, (WPARAM)&event, 0);
    CListCtrlEx& orders = dlg.OrderList();
    ASSERT_EQ(2, orders.GetItemCount());
    const struct
    {
        int row;
        const char* cells[14];
    } expected[] = {
        {0, {"2026-12-11 10:00:00", "80002", "李娜", "CL", "市价", "买", "77.80", "2", "0", "已提交", "3.50", "---",
             "502", "c502"}},
        {1, {"2026-12-11 09:30:01", "80003", "王芳", "CL", "市价", "买", "77.80", "2", "2", "已成交", "3.50", "77.80",
             "501", "c501"}},
    };
    for (const auto& e : expected)
        for (int column = 0; column < 14; ++column)
            EXPECT_EQ(CString(e.cells[column]), orders.GetItemText(e.row, column)) << e.row << "," << column;
    EXPECT_EQ(RGB(255, 0, 0), orders.GetRowColors(1)[9]) << "filled in red";
    EXPECT_EQ(RGB(0, 128, 0), orders.GetRowColors(0)[9]) << "submitted in green";
    EXPECT_EQ(1u, dlg.GetWorkerCount()) << "the fill went to a follow-order worker";
    {
        CDBOrder stored(m_folder + "DO", Key());
        std::vector<OrderRow> rows;
        ASSERT_TRUE(stored.QueryOrders(rows, "2026-12-11 00:00:00", "2026-12-11 23:59:59", "ot", true, -1, 0));
        ASSERT_EQ(1u, rows.size()) << "only the finished order is stored while running";
        EXPECT_EQ(CString("501"), rows[0].oid);
    }

    dlg.ShowWindow(SW_SHOW);
    KeepPicture(dlg.GetSafeHwnd(), "console.png");

    // The risk monitor's stop: the buttons come back and the switch reads "开始运行".
    dlg.StopRunning();
    EXPECT_FALSE(dlg.IsRunning());
    EXPECT_EQ(0u, dlg.GetWorkerCount()) << "the workers are stopped with the running state";
    EXPECT_EQ(CString("未运行"), Text(dlg, IDC_ADMIN_STATUS));
    EXPECT_EQ(CString("开始运行"), Text(dlg, IDC_ADMIN_START_STOP));
    EXPECT_TRUE(dlg.GetDlgItem(IDC_ADMIN_APPLY)->IsWindowEnabled());

    // "策略管理" opens the editor on the console's strategies; a rename made there reaches the
    // combo and the table as soon as the editor closes with OK.
    {
        const auto editor = [] { return ::FindWindowA(NULL, CEditStrategy::kCaption); };
        const auto item = [editor](int id) { return ::GetDlgItem(editor(), id); };
        const auto cell = [item](int row) {
            char text[64] = "";
            ListView_GetItemText(item(IDC_STRATEGY_LIST), row, 0, text, sizeof(text));
            return CString(text);
        };
        ModalScript script;
        script.Then("the editor lists the console's strategies",
                    [&] { return editor() != NULL && ListView_GetItemCount(item(IDC_STRATEGY_LIST)) == 2; },
                    [&] {
                        ListView_SetItemState(item(IDC_STRATEGY_LIST), 0, LVIS_SELECTED | LVIS_FOCUSED,
                                              LVIS_SELECTED | LVIS_FOCUSED);
                    });
        script.Then("the first strategy is shown", [&] {
            char name[64] = "";
            ::GetWindowTextA(item(IDC_STRATEGY_NAME), name, sizeof(name));
            return CString(name) == "稳健";
        }, [&] {
            ::SetFocus(item(IDC_STRATEGY_NAME));
            ::SetWindowTextA(item(IDC_STRATEGY_NAME), "保守");
            ::SetFocus(item(IDC_STRATEGY_LIST));  // leaving the name ends its edit
        });
        script.Then("the rename is listed", [&] { return cell(0) == "保守"; }, [&] {
            ::PostMessageA(editor(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)item(IDOK));
        });
        script.Start();
        Click(dlg, IDC_ADMIN_MANAGE);
        ASSERT_TRUE(script.Finished()) << "stalled at: " << script.Stalled();
        ASSERT_EQ(3, combo->GetCount());
        CString first;
        combo->GetLBText(1, first);
        EXPECT_EQ(CString("保守"), first);
        CDBStrategy table(m_folder + "DS", Key());
        std::vector<StrategyInfo> stored;
        ASSERT_TRUE(table.LoadAll(stored, "nStragegyId", true, -1, 0));
        ASSERT_EQ(2u, stored.size());
        EXPECT_EQ(CString("保守"), stored[0].strStrategyName);
    }

    // Closing hides; the lists stay.
    dlg.SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(dlg.GetSafeHwnd()));
    EXPECT_FALSE(dlg.IsWindowVisible());
    EXPECT_EQ(2, orders.GetItemCount());

    // A console opened later on the same tables knows the assignment.
    dlg.DestroyWindow();
    console.reset();
    std::unique_ptr<CAdminDlg> again = OpenConsole();
    again->OnClientList("[80003#王芳]");
    EXPECT_EQ(CString("激进"), again->ClientList().GetItemText(0, 2));
    again->DestroyWindow();
}

TEST_F(AdminDlgTest, HistoryWindowListsStoredOrdersBetweenTwoDates)
{
    {
        CDBOrder stored(m_folder + "DO", Key());
        OrderRow forced = Order("80002", "603", "已成交", "2026-03-02 23:59:59");
        forced.cid = "-7";
        for (const OrderRow& row : {Order("80002", "601", "已成交", "2026-03-01 23:59:59"),
                                    Order("80003", "602", "已取消", "2026-03-02 00:00:00"), forced,
                                    Order("80002", "604", "已成交", "2026-03-03 00:00:00")})
            ASSERT_TRUE(stored.Insert(row));
    }
    // A follow order of the console, as the main window stores it in its proxy-order table.
    CDBProxyOrder followOrders(m_folder + "DP", Key());
    ProxyOrderRecord follow;
    follow.DateTime = "20260302 10:00:00";
    follow.Contract = "CL";
    follow.OrderType = "0";
    follow.Bid = "1";
    follow.OrderPrice = "0.00";
    follow.OrderCount = "2";
    follow.TradedCount = "2";
    follow.Status = "已成交";
    follow.mg = "---";
    follow.OrderNo = "701";
    follow.ps = "155.6";
    follow.cid = "f701";
    follow.bSaveMark = 1;
    ASSERT_TRUE(followOrders.UpsertProxyOrder(follow));
    std::unique_ptr<CAdminDlg> console(new CAdminDlg(&m_ownerWnd, m_folder, Key()));
    console->SetFollowOrderTable(&followOrders, "90001");
    ASSERT_TRUE(console->Create(CAdminDlg::IDD, &m_ownerWnd));
    Click(*console, IDC_ADMIN_HISTORY);
    CSearchOrderDlg& history = console->HistoryWindow();
    ASSERT_TRUE(history.IsWindowVisible());
    CString title;
    history.GetWindowText(title);
    EXPECT_EQ(CString("历史订单查询"), title);

    // One day, from its first to its last second.
    const CTime day(2026, 3, 2, 12, 0, 0);
    history.StartPicker().SetTime(&day);
    history.EndPicker().SetTime(&day);
    Click(history, IDC_SEARCH_QUERY);
    EXPECT_EQ(CString("查询完成"), Text(history, IDC_SEARCH_STATUS));
    CListCtrlEx& list = history.ResultList();
    ASSERT_EQ(3, list.GetItemCount());
    EXPECT_EQ(CString("602"), list.GetItemText(0, ORDER_COL_ORDER_NO)) << "earliest first";
    EXPECT_EQ(CString("已取消"), list.GetItemText(0, ORDER_COL_STATE));
    EXPECT_EQ(CString("强平"), list.GetItemText(2, ORDER_COL_STATE));
    EXPECT_EQ(RGB(255, 0, 0), list.GetRowColors(2)[ORDER_COL_STATE]);
    // The follow order among them, on the administrator's account.
    const char* followCells[] = {"2026-03-02 10:00:00", "90001", "CL", "市价", "卖", "0.00", "2", "2", "已成交",
                                 "---", "77.80", "701", "f701"};
    for (int column = 0; column < ORDER_COL_COUNT; ++column)
        EXPECT_EQ(CString(followCells[column]), list.GetItemText(1, column)) << column;
    EXPECT_EQ(CString("---"), list.GetItemText(0, ORDER_COL_AVERAGE)) << "nothing filled";
    KeepPicture(history.GetSafeHwnd(), "history_orders.png");

    // Showing the window again clears the status; a span without orders lists none.
    history.ShowWindow(SW_HIDE);
    Click(*console, IDC_ADMIN_HISTORY);
    EXPECT_EQ(CString(""), Text(history, IDC_SEARCH_STATUS));
    const CTime empty(2026, 4, 1, 0, 0, 0);
    history.StartPicker().SetTime(&empty);
    history.EndPicker().SetTime(&empty);
    Click(history, IDC_SEARCH_QUERY);
    EXPECT_EQ(0, list.GetItemCount());
    EXPECT_EQ(CString("查询完成"), Text(history, IDC_SEARCH_STATUS));
    console->DestroyWindow();
}

// A strategy table that cannot be read makes the console keep its hands off both lists: the
// accounts keep what the file says, and nothing is written over it.
TEST_F(AdminDlgTest, AnUnreadableStrategyTableIsToldAndNeverWrittenOver)
{
    {
        CDBUser users(m_folder + "DU", Key());
        ASSERT_TRUE(users.ReplaceAll({Assignment("80002", "李娜", "1", "稳健")}));
    }
    // Reading "Strategy_3" fails at its first row (an integer overflow in SQL).
    RunRaw(m_folder + "DS", Key(), "create view Strategy_3 as select abs(-9223372036854775807 - 1) as nStragegyId");
    MessageBoxScript boxes;
    std::unique_ptr<CAdminDlg> console = OpenConsole();
    ASSERT_TRUE(boxes.WaitForCount(1));
    EXPECT_EQ("读取本地策略数据失败！本次运行中对策略和客户策略的修改将不会保存。", boxes.Last().text);

    console->OnClientList("[80002#李娜][80003#王芳]");
    EXPECT_EQ(CString("稳健"), console->ClientList().GetItemText(0, 2)) << "as the file says";
    console->ClientList().SetCheckbox(1, 0, 1);
    Click(*console, IDC_ADMIN_APPLY);  // "无策略" for 王芳
    console->DestroyWindow();
    console.reset();

    const std::vector<UserStrategy> users = StoredAssignments(m_folder + "DU", Key());
    ASSERT_EQ(1u, users.size());
    EXPECT_EQ(CString("1"), users[0].strategyId);
    EXPECT_EQ(CString("稳健"), users[0].strategyName);
}

TEST_F(AdminDlgTest, AReplyThatMissesAnAccountKeepsItsStoredStrategy)
{
    {
        CDBStrategy strategies(m_folder + "DS", Key());
        ASSERT_TRUE(strategies.ReplaceAll({Strategy(1, "稳健")}));
        CDBUser users(m_folder + "DU", Key());
        ASSERT_TRUE(users.ReplaceAll({Assignment("80002", "李娜", "1", "稳健"), Assignment("80003", "王芳", "1", "稳健")}));
    }
    std::unique_ptr<CAdminDlg> console = OpenConsole();
    console->OnClientList("[80003#王芳]");
    ASSERT_EQ(1, console->ClientList().GetItemCount()) << "only the accounts of the reply are listed";
    std::vector<UserStrategy> users = StoredAssignments(m_folder + "DU", Key());
    ASSERT_EQ(2u, users.size());
    EXPECT_EQ(CString("80002"), users[0].userId);
    EXPECT_EQ(CString("1"), users[0].strategyId);

    console->OnClientList("[80003#王芳][80002#李娜]");
    EXPECT_EQ(CString("稳健"), console->ClientList().GetItemText(1, 2));
    console->DestroyWindow();
}

TEST_F(AdminDlgTest, TablesNoKeyOfTheAccountOpensAreSetAsideAndTold)
{
    {
        CDBUser users(m_folder + "DU", Md5Hex("another user"));
        ASSERT_TRUE(users.ReplaceAll({Assignment("80002", "李娜", "1", "稳健")}));
    }
    MessageBoxScript boxes;
    std::unique_ptr<CAdminDlg> console = OpenConsole();
    ASSERT_TRUE(boxes.WaitForCount(1));
    const std::string text = boxes.Last().text;
    EXPECT_EQ(0u, text.find("本地数据文件无法用当前账户打开，已另存为以下文件，并新建了空数据表：\n")) << text;
    EXPECT_NE(std::string::npos, text.find(std::string(m_folder + "DU"))) << text;
    EXPECT_EQ(MB_ICONWARNING, boxes.Last().type & MB_ICONMASK);
    console->DestroyWindow();
}

// Strategies that follow forex fills on the same side, at market (1) and at a limit (2), and
// the accounts that follow them; the console's legs are those of the quote store's sectors.
void StoreFollowingAccounts(const CString& folder, const CString& key)
{
    SectorRecord forex;
    forex.strName = "外汇现货";
    GetQuoteStore().AddSector(forex);
    std::vector<StrategyInfo> strategies = {Strategy(1, "市价跟"), Strategy(2, "限价跟")};
    for (StrategyInfo& strategy : strategies) {
        StrategyLeg leg;
        leg.bEnable = 1;
        leg.strContractType = "外汇现货";
        leg.strPriceType = strategy.nStragegyId == 1 ? "市价" : "限价";
        strategy.vecStrategy = {leg};
    }
    ASSERT_TRUE(CDBStrategy(folder + "DS", key).ReplaceAll(strategies));
    ASSERT_TRUE(CDBUser(folder + "DU", key).ReplaceAll(
        {Assignment("80002", "李娜", "1", "市价跟"), Assignment("80003", "王芳", "2", "限价跟")}));
}

OrderRow ForexFill(const char* account, const char* oid)
{
    OrderRow fill = Order(account, oid, "Filled", "2026-12-11 10:00:00");
    fill.cn = "XAUUSD";
    return fill;
}

TEST_F(AdminDlgTest, AFillIsFollowedOnceEvenWhenTheConsoleStartsAgain)
{
    StoreFollowingAccounts(m_folder, Key());
    auto services = std::make_shared<FakeFollowServices>();
    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE(run);
        std::unique_ptr<CAdminDlg> console = OpenConsole(services);
        Click(*console, IDC_ADMIN_START_STOP);
        OrderRow fill = ForexFill("80002", "900");
        console->SendMessage(WM_PROXY_ORDER_EVENT, (WPARAM)&fill, 0);
        EXPECT_EQ(run == 1 ? 1u : 0u, console->GetWorkerCount()) << "handed to a worker";
        EXPECT_TRUE(tolvan::test::PumpUntil([&] { return services->OrderCount() == 1; }, 30000));
        console->DestroyWindow();
    }
    EXPECT_EQ(1u, services->OrderCount());
}

TEST_F(AdminDlgTest, FollowOrdersThatDoNotEndWellAreListedAndLogged)
{
    StoreFollowingAccounts(m_folder, Key());
    auto services = std::make_shared<FakeFollowServices>();
    services->refuseAnswer = -4;  // the main window refuses every order
    services->refusalsLeft = -1;
    std::unique_ptr<CAdminDlg> console = OpenConsole(services);
    Click(*console, IDC_ADMIN_START_STOP);
    OrderRow refused = ForexFill("80002", "901");
    console->SendMessage(WM_PROXY_ORDER_EVENT, (WPARAM)&refused, 0);
    CListCtrlEx& orders = console->OrderList();
    ASSERT_TRUE(tolvan::test::PumpUntil([&] { return orders.GetItemCount() == 2; }, 30000));
    const int failed = orders.GetItemText(0, 9) == "补单失败" ? 0 : 1;
    const char* cells[] = {"80002", "李娜", "XAUUSD", "市价", "买", "", "2", "", "补单失败"};
    for (int column = 1; column <= 9; ++column) {
        if (column != 6 && column != 8)
            EXPECT_EQ(CString(cells[column - 1]), orders.GetItemText(failed, column)) << column;
    }
    EXPECT_EQ(RGB(255, 0, 0), orders.GetRowColors(failed)[9]);

    // The stop leaves a watched limit order open: it is listed, not left unseen.
    {
        std::lock_guard<std::recursive_mutex> hold(services->lock);
        services->refuseAnswer = 0;
        services->realWaits = true;
        services->lastPrices["XAUUSD"] = "77.8";
    }
    OrderRow limit = ForexFill("80003", "902");
    console->SendMessage(WM_PROXY_ORDER_EVENT, (WPARAM)&limit, 0);
    ASSERT_TRUE(tolvan::test::PumpUntil([&] {
        std::lock_guard<std::recursive_mutex> hold(services->lock);
        return !services->states.empty();
    }, 30000));
    Click(*console, IDC_ADMIN_START_STOP);
    ASSERT_FALSE(console->IsRunning());
    ASSERT_TRUE(tolvan::test::PumpUntil([&] { return console->FollowReportRows().size() == 2; }, 30000));
    const OrderRow& open = console->FollowReportRows()[0];
    EXPECT_EQ(CString("补单仍挂单"), open.st);
    EXPECT_EQ(CString("80003"), open.clientName);
    EXPECT_EQ(CString("K1"), open.oid);
    EXPECT_EQ(CString("限价"), open.ty);

    // Both are in the log, one line each, with the account of the fill they follow.
    CStdioFile log;
    ASSERT_TRUE(log.Open(console->GetFollowLogPath(), CFile::modeRead));
    std::vector<CString> lines;
    for (CString line; log.ReadString(line);)
        lines.push_back(line);
    ASSERT_EQ(2u, lines.size());
    EXPECT_NE(-1, lines[0].Find("补单失败 账户=80002")) << (LPCSTR)lines[0];
    EXPECT_NE(-1, lines[1].Find("补单仍挂单 账户=80003")) << (LPCSTR)lines[1];
    console->DestroyWindow();
}

}  // namespace
