#include "DeskParts.h"

CDeskParts::CDeskParts(HWND mainWindow, ITradePanelOwner& owner, const CString& dataDir, CReplySlots& slots,
                       const CString& databaseFolder, const DatabaseKey& key)
    : m_followOrders(databaseFolder, key), m_windows(mainWindow, owner, dataDir, &m_followOrders),
      m_desk(slots, m_wire, m_windows)
{
    m_desk.SetOwner(mainWindow);
}

void CDeskParts::StoreFollowOrders()
{
    if (!m_followOrders.StoreAll(m_desk.Orders().ProxyOrders()))
        ::OutputDebugStringA("Tolvan: follow orders could not all be stored in the proxy-order table\n");
}

CDeskParts::~CDeskParts()
{
    DestroyRiskWindow();
}

void CDeskParts::DestroyRiskWindow()
{
    m_windows.SetRiskWindow(NULL);
    if (m_riskWindow && m_riskWindow->GetSafeHwnd() != NULL)
        m_riskWindow->DestroyWindow();
    m_riskWindow.reset();
}

CRiskSetDlg& CDeskParts::CreateRiskWindow(CWnd* owner)
{
    m_riskWindow.reset(new CRiskSetDlg(owner));
    m_riskWindow->Create(CRiskSetDlg::IDD, owner);
    m_windows.SetRiskWindow(m_riskWindow->GetSafeHwnd());
    return *m_riskWindow;
}

bool CDeskParts::SetPendingFromReceiver(int kind)
{
    if (kind != CQueryGate::IDLE)
        return m_desk.Gate().SetPending(kind, false);
    m_desk.EndPendingQueryFromReceiver();
    return true;
}

void CDeskParts::ResetTicksFromReceiver()
{
    m_desk.Gate().ResetTicks();
}
