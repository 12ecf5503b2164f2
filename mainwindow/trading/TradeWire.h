// The requests the trading rules put on the wire. The results are those of the session
// senders: 0 sent, -1 no connection, -3 refused text, -4 send failed.
#pragma once
#include <afx.h>
#include "OrderRequest.h"

class ITradeWire
{
public:
    virtual ~ITradeWire() {}
    // On the order session.
    virtual int SendNewOrder(const OrderRequest& request) = 0;
    virtual int SendCancelOrder(const CString& orderNo) = 0;
    // On the query session.
    virtual int QueryStateOrders(int kind) = 0;
    virtual int QueryDateOrders(int kind, const CString& startDate, const CString& endDate, int page) = 0;
    virtual int QueryPosition() = 0;
    virtual int QuerySummary() = 0;
    virtual int EditPassword(const CString& currentPassword, const CString& newPassword) = 0;
};

// The wire of the connection registry's sessions.
class CRegistryTradeWire : public ITradeWire
{
public:
    int SendNewOrder(const OrderRequest& request) override;
    int SendCancelOrder(const CString& orderNo) override;
    int QueryStateOrders(int kind) override;
    int QueryDateOrders(int kind, const CString& startDate, const CString& endDate, int page) override;
    int QueryPosition() override;
    int QuerySummary() override;
    int EditPassword(const CString& currentPassword, const CString& newPassword) override;
};
