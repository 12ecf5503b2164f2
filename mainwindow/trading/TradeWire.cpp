#include "TradeWire.h"
#include "ConnectionRegistry.h"

namespace {
const int kNoConnection = CServerSession::SEND_NO_CONNECTION;
}

int CRegistryTradeWire::SendNewOrder(const OrderRequest& request)
{
    CServerSession* session = GetConnectionRegistry().GetOrderSession();
    return session != NULL ? session->SendNewOrder(request) : kNoConnection;
}

int CRegistryTradeWire::SendCancelOrder(const CString& orderNo)
{
    CServerSession* session = GetConnectionRegistry().GetOrderSession();
    return session != NULL ? session->SendCancelOrder(orderNo) : kNoConnection;
}

int CRegistryTradeWire::QueryStateOrders(int kind)
{
    CServerSession* session = GetConnectionRegistry().GetQuerySession();
    return session != NULL ? session->QueryStateOrders(kind) : kNoConnection;
}

int CRegistryTradeWire::QueryDateOrders(int kind, const CString& startDate, const CString& endDate, int page)
{
    CServerSession* session = GetConnectionRegistry().GetQuerySession();
    return session != NULL ? session->QueryDateOrders(kind, startDate, endDate, page) : kNoConnection;
}

int CRegistryTradeWire::QueryPosition()
{
    CServerSession* session = GetConnectionRegistry().GetQuerySession();
    return session != NULL ? session->QueryPosition() : kNoConnection;
}

int CRegistryTradeWire::QuerySummary()
{
    CServerSession* session = GetConnectionRegistry().GetQuerySession();
    return session != NULL ? session->QuerySummary() : kNoConnection;
}

int CRegistryTradeWire::EditPassword(const CString& currentPassword, const CString& newPassword)
{
    CServerSession* session = GetConnectionRegistry().GetQuerySession();
    return session != NULL ? session->EditPassword(currentPassword, newPassword) : kNoConnection;
}
