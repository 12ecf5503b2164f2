// The main window's share of the order-supplement console: the caption button's command opens
// it on first use and afterwards shows or hides it; order events and client lists of the
// proxy connections reach it; the risk monitor stops its running; it goes with the window.
#include "VelmoraDlg.h"

#include "AdminDlg.h"
#include "DeskParts.h"
#include "FollowOrderStore.h"
#include "ReplyMessages.h"
#include "SessionData.h"
#include "UserDatabaseKey.h"

namespace {

// One line per row of a list: "<key>=cell|cell|...".
CString ListLines(const char* key, CListCtrl& list)
{
    CString text;
    const int columns = list.GetHeaderCtrl()->GetItemCount();
    for (int row = 0; row < list.GetItemCount(); ++row) {
        text += CString(key) + "=";
        for (int column = 0; column < columns; ++column)
            text += (column > 0 ? "|" : "") + list.GetItemText(row, column);
        text += "\n";
    }
    return text;
}

// The console's lists as its windows show them, for the program's test hook: one line per
// client row ("console-client=account|name|strategy"), per order row (the fourteen cells) and
// per row of the history-order window (its thirteen cells).
CString ConsoleStateLines(CAdminDlg* console)
{
    CString text;
    if (console == nullptr || console->GetSafeHwnd() == NULL)
        return "console=0\n";
    text.Format("console=1\nconsole-visible=%d\nconsole-running=%d\nconsole-workers=%d\n",
                console->IsWindowVisible() ? 1 : 0, console->IsRunning() ? 1 : 0, (int)console->GetWorkerCount());
    CGridListCtrl& clients = console->ClientList();
    for (int row = 0; row < clients.GetItemCount(); ++row)
        text += "console-client=" + clients.GetItemText(row, 0) + "|" + clients.GetItemText(row, 1) + "|"
                + clients.GetItemText(row, 2) + "\n";
    text += ListLines("console-order", console->OrderList());
    CSearchOrderDlg& history = console->HistoryWindow();
    if (history.GetSafeHwnd() != NULL)
        text += ListLines("console-history", history.ResultList());
    return text;
}

}  // namespace

CString CVelmoraDlg::ConsoleProbeLines()
{
    return ConsoleStateLines(m_pAdminDlg);
}

void CVelmoraDlg::ToggleConsole()
{
    if (m_pAdminDlg == nullptr) {
        // The console's tables lie in the user's database folder, keyed by the user's name.
        const DatabaseKey key = UserDatabaseKey(GetSessionData().m_strUserName, m_strDatabaseFolder);
        std::unique_ptr<CAdminDlg> console(new CAdminDlg(this, m_strDatabaseFolder, key));
        if (m_deskParts)
            console->SetFollowOrderTable(&m_deskParts->FollowOrders().Table(), GetSessionData().m_strUserName);
        if (!console->Create(CAdminDlg::IDD, this))
            return;
        m_pAdminDlg = console.release();
        m_pAdminDlg->ShowWindow(SW_SHOW);
        return;
    }
    m_pAdminDlg->ShowWindow(m_pAdminDlg->IsWindowVisible() ? SW_HIDE : SW_SHOW);
}

void CVelmoraDlg::StopConsoleRunning()
{
    if (m_pAdminDlg != nullptr)
        m_pAdminDlg->StopRunning();
}

LRESULT CVelmoraDlg::OnProxyOrderEvent(WPARAM wParam, LPARAM lParam)
{
    if (m_pAdminDlg != nullptr && ::IsWindow(m_pAdminDlg->GetSafeHwnd()))
        m_pAdminDlg->SendMessage(WM_PROXY_ORDER_EVENT, wParam, lParam);
    return 0;
}

LRESULT CVelmoraDlg::OnProxyOrderUpdate(WPARAM wParam, LPARAM)
{
    const CString* clients = reinterpret_cast<const CString*>(wParam);
    if (m_pAdminDlg != nullptr && clients != nullptr)
        m_pAdminDlg->OnClientList(*clients);
    return 0;
}

void CVelmoraDlg::DestroyConsole()
{
    if (m_pAdminDlg == nullptr)
        return;
    if (::IsWindow(m_pAdminDlg->GetSafeHwnd()))
        m_pAdminDlg->DestroyWindow();
    delete m_pAdminDlg;
    m_pAdminDlg = nullptr;
}
