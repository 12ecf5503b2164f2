// One registered server of the logged-in user with its connection, and the senders of every
// request of the trade protocol. The request texts carry no framing and no terminator; the
// connection's client queues them and nothing is awaited.
#pragma once
#include <afx.h>

#include "OrderRequest.h"
#include "ServerRecord.h"

class CNetwork;
class CSessionData;

class CServerSession
{
public:
    // Results of the senders.
    enum
    {
        SEND_OK = 0,
        SEND_NO_CONNECTION = -1,
        SEND_BAD_ARGUMENT = -3,
        SEND_FAILED = -4,
    };

    CServerSession();
    ~CServerSession(); // Close
    CServerSession(const CServerSession&) = delete;
    CServerSession& operator=(const CServerSession&) = delete;

    // Takes name (field 0), type (field 6), host (field 3) and port (field 4) from the record,
    // creates the connection with a copy of it, gives the connection the session data's mark
    // and the login range of its login reply and, with connect, connects it. Returns 0.
    int Open(const ServerRecord& server, bool connect, CSessionData& sessionData);
    int Open(const ServerRecord& server, bool connect);
    // Disconnects and frees the connection.
    void Close();

    const CString& GetKey() const { return m_strKey; }
    void SetKey(const CString& key) { m_strKey = key; }
    const CString& GetName() const { return m_strName; }
    void SetName(const CString& name) { m_strName = name; }
    const CString& GetType() const { return m_strType; }
    void SetType(const CString& type) { m_strType = type; }
    const CString& GetHost() const { return m_strHost; }
    int GetPort() const { return m_nPort; }
    // Null until Open.
    CNetwork* GetConnection() const { return m_pConnection; }

    // "neworder@code|price|quantity|side|type|ref|". A text holding "|", "#" or "@" would
    // shift or add fields on the server's side, so such a request is refused with -3.
    int SendNewOrder(const OrderRequest& request);
    // "preneworder@" with the same six texts and the same check.
    int SendPreNewOrder(const OrderRequest& request);
    // "cancleorder@<id>"; -3 for an empty id or one holding a delimiter.
    int SendCancelOrder(const CString& orderId);
    // "querystateorders@<kind>#" (6 all of today's orders, 2 cancellable ones).
    int QueryStateOrders(int kind);
    // "querydateorders@<kind>#<start>#<end>#<request number>#"; -3 for a request number
    // below 0 or a date holding a delimiter.
    int QueryDateOrders(int kind, const CString& startDate, const CString& endDate, int requestNumber);
    // "queryposition@".
    int QueryPosition();
    // "querysummary@".
    int QuerySummary();
    // "editpwd@<md5 of current>#<md5 of new>#".
    int EditPassword(const CString& currentPassword, const CString& newPassword);
    // The bytes as they are: 1 queued, 0 refused by the client, -1 without a connection.
    int SendRaw(const char* bytes, int length);

private:
    int SendText(const CString& text);
    static bool HoldsDelimiter(const CString& field);
    static bool IsOrderAcceptable(const OrderRequest& request);
    static CString FormatOrder(LPCSTR command, const OrderRequest& request);

    CString m_strKey;
    CString m_strName;
    CString m_strType;
    CString m_strHost;
    int m_nPort;
    CNetwork* m_pConnection;
};
